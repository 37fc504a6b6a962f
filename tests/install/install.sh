#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks that exactly the program and its data
# were installed, that the desktop entry and the metainfo validate, and starts the installed
# program offscreen: --version, --help, a page, and a second start that hands its page over.
#   install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1 source=$2
tmp=$(mktemp -d)
first=""
cleanup() {
  [[ -n "$first" ]] && kill "$first" 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

# Exactly what the program needs, nothing else (no tests, no build tools).
expected=$tmp/expected
{
  echo bin/pendwick
  (cd "$source/resources" && find . -type f | sed 's|^\./|share/pendwick/|')
  echo share/pendwick/Pendwick.dct
  echo share/applications/pendwick.desktop
  echo share/metainfo/io.github.pendwick.pendwick.metainfo.xml
  echo share/icons/hicolor/scalable/apps/pendwick.svg
  for size in 16 32 48 64 128; do echo "share/icons/hicolor/${size}x${size}/apps/pendwick.png"; done
} | sort > "$expected"
(cd "$prefix" && find . -type f | sed 's|^\./||' | sort) > "$tmp/installed"
diff -u "$expected" "$tmp/installed" || fail "installed files differ from the expected list"
for size in 16 32 48 64 128; do
  file "$prefix/share/icons/hicolor/${size}x${size}/apps/pendwick.png" | grep -q "$size x $size" \
    || fail "icon pendwick.png of ${size}x${size} has another size"
done

desktop-file-validate "$prefix/share/applications/pendwick.desktop" || fail "desktop entry does not validate"
appstreamcli validate --no-net "$prefix/share/metainfo/io.github.pendwick.pendwick.metainfo.xml" \
  || fail "metainfo does not validate"

program=$prefix/bin/pendwick
"$program" --version | grep -qx "Pendwick [0-9.]*" || fail "--version"
"$program" --help | grep -q -- "--new-window" || fail "--help does not list -n"
if "$program" --no-such-option >/dev/null 2>&1; then fail "an unknown option is accepted"; fi

# The installed program runs with a home of its own and writes nothing into the installed tree.
export HOME=$tmp/home XDG_RUNTIME_DIR=$tmp/run XDG_CONFIG_HOME=$tmp/home/.config XDG_DATA_HOME=$tmp/home/.local/share
unset PENDWICK_CONFIG
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=offscreen
printf '<P>first' > "$tmp/first.html"
printf '<P>second' > "$tmp/second.html"
touch "$tmp/stamp"
sleep 1
"$program" "$tmp/first.html" &
first=$!
for _ in $(seq 120); do
  [[ -S "$XDG_RUNTIME_DIR/pendwick-instance" ]] && break
  kill -0 "$first" 2>/dev/null || fail "the installed program ended at start-up"
  sleep 0.5
done
[[ -S "$XDG_RUNTIME_DIR/pendwick-instance" ]] || fail "the installed program did not start listening"
timeout 60 "$program" "$tmp/second.html" || fail "a second start did not hand its file over and end"
kill -0 "$first" 2>/dev/null || fail "the first program ended"
kill "$first"; wait "$first" 2>/dev/null || true; first=""
written=$(find "$prefix" -newer "$tmp/stamp")
[[ -z "$written" ]] || fail "the installed program wrote into its tree: $written"
echo "installed into $prefix and started: ok"

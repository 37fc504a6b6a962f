#!/usr/bin/env bash
# Builds the Debian package from the build folder with CPack, unpacks it into a temporary
# root with dpkg -x and starts the unpacked program offscreen with --version.
#   package.sh BUILD_DIR
set -euo pipefail
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$tmp/out" >/dev/null || fail "cpack"
deb=$(ls "$tmp"/out/pendwick_*.deb)
dpkg-deb -I "$deb"
dpkg-deb -f "$deb" Depends | grep -q "libqt6widgets6" || fail "the package does not depend on Qt 6 Widgets"
dpkg-deb -c "$deb" | grep "./usr/share/applications/pendwick.desktop" >/dev/null || fail "no desktop entry in the package"
dpkg -x "$deb" "$tmp/root"
QT_QPA_PLATFORM=offscreen "$tmp/root/usr/bin/pendwick" --version | grep -qx "Pendwick [0-9.]*" \
  || fail "the unpacked program does not start"
[[ -f "$tmp/root/usr/share/pendwick/Pendwick.dct" ]] || fail "no dictionary in the package"
echo "package $(basename "$deb"): ok"

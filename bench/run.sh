#!/usr/bin/env bash
# Runs the editor benchmarks and prints their report.
#
#   bash bench/run.sh BIN_DIR
#
# BIN_DIR holds bench_editor, and the start-up probes bench_startup and bench_minimal that it
# starts, and bench_spell with the main dictionary (build/bench/bin after `make bench`). The pages are generated
# into a temporary folder that is removed at the end; the program runs offscreen with a
# configuration file of its own, never the user's. Missed targets do not change the exit
# status: this is a measurement. A program that cannot run or crashes does.
set -euo pipefail

if [ $# -ne 1 ]; then
    echo "usage: bash bench/run.sh BIN_DIR" >&2
    exit 2
fi

bin_dir=$(cd "$1" && pwd)
prog="$bin_dir/bench_editor"
if [ ! -x "$prog" ]; then
    echo "bench_editor not found in $bin_dir (build with -DPENDWICK_BENCH=ON)" >&2
    exit 2
fi

# The page generator lives in shared/ beside the repository.
here=$(cd "$(dirname "$0")" && pwd)
gen="$here/../../shared/bench/gen-page.py"
if [ ! -f "$gen" ]; then
    top=$(git -C "$here" rev-parse --show-toplevel 2>/dev/null || true)
    [ -n "$top" ] && gen="$top/../shared/bench/gen-page.py"
fi
if [ ! -f "$gen" ]; then
    # A linked work tree: shared/ stands beside the main checkout.
    common=$(git -C "$here" rev-parse --path-format=absolute --git-common-dir 2>/dev/null || true)
    [ -n "$common" ] && gen="$(dirname "$common")/../shared/bench/gen-page.py"
fi
if [ ! -f "$gen" ]; then
    echo "page generator gen-page.py not found (looked beside the repository in shared/bench/)" >&2
    exit 2
fi
python=$(command -v python3 || command -v python || true)
if [ -z "$python" ]; then
    echo "python3 is needed to generate the pages" >&2
    exit 2
fi

# bench_startup repeats the steps of the program's entry, src/app/main.cpp; say so when that
# file has changed since the copy was last compared with it (bench/main.cpp.sha256).
entry="$here/../src/app/main.cpp"
if [ -f "$entry" ] && [ -f "$here/main.cpp.sha256" ] && command -v sha256sum >/dev/null; then
    if [ "$(sha256sum < "$entry" | cut -d' ' -f1)" != "$(cut -d' ' -f1 < "$here/main.cpp.sha256")" ]; then
        echo "note: src/app/main.cpp has changed since bench/bench_startup.cpp copied its steps;"
        echo "      bring the copy up to date, then record the file's sha256 in bench/main.cpp.sha256"
        echo
    fi
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/pendwick-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

echo "Generating pages in $work ..."
for size in 1M 10M 50M; do
    "$python" "$gen" "$size" > "$work/page-$size.html"
done

export QT_QPA_PLATFORM=offscreen
export PENDWICK_CONFIG="$work/registry.ini"
export XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
echo

"$prog" suite "$work/page-1M.html" "$work/page-10M.html" "$work/page-50M.html"

# Spelling lookups against hunspell (installed by scripts/setup-deps --bench).
if [ -x "$bin_dir/bench_spell" ]; then
    echo
    "$bin_dir/bench_spell" /usr/share/dict/american-english
fi

# Extended Replace over a folder of 10,000 pages against sed -i.
if [ -x "$bin_dir/bench_extreplace" ]; then
    echo
    "$python" "$gen" 20k > "$work/page-20k.html"
    "$bin_dir/bench_extreplace" "$work/page-20k.html"
fi

# Spell checking the 10 MB page outside its tags against hunspell.
if [ -x "$bin_dir/bench_spellcheck" ]; then
    echo
    "$bin_dir/bench_spellcheck" "$work/page-10M.html"
fi

# A typed key at 10 MB while a recovery copy is written in the worker, and while none is.
if [ -x "$bin_dir/bench_recovery" ]; then
    echo
    "$bin_dir/bench_recovery" "$work/page-10M.html"
fi

# The file panel listing 10,000 pages and 2,000 pictures.
if [ -x "$bin_dir/bench_filelist" ]; then
    echo
    "$python" "$here/make-filelist-folder.py" "$work/filelist"
    "$bin_dir/bench_filelist" "$work/filelist"
fi

# Fetching the 10 MB page from a local server, against curl (scripts/setup-deps --bench).
if [ -x "$bin_dir/bench_webfetch" ]; then
    echo
    "$bin_dir/bench_webfetch" "$work/page-10M.html"
fi

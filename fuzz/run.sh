#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for the given number of seconds
# (default 60): bash fuzz/run.sh [SECONDS] [TARGET...]
# Corpora grow in build/fuzz/corpus/<target>; inputs that crash land in
# build/fuzz/artifacts/. Exits non-zero when any target found a crash.
set -euo pipefail

cd "$(dirname "$0")/.."
SECONDS_PER_TARGET=${1:-60}
shift || true
BUILD=build/fuzz
TARGETS=("$@")
if [ ${#TARGETS[@]} -eq 0 ]; then
  # Every target fuzz/CMakeLists.txt declares.
  mapfile -t TARGETS < <(sed -n 's/^add_fuzz_target(\([A-Za-z0-9_]*\).*/\1/p' fuzz/CMakeLists.txt)
fi

cmake -S fuzz -B "$BUILD" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target "${TARGETS[@]}"

# Small valid inputs to start from, written here so that no binary files are kept.
seed() { # seed TARGET NAME PRINTF-FORMAT
  mkdir -p "$BUILD/corpus/$1"
  [ -e "$BUILD/corpus/$1/$2" ] || printf "$3" >"$BUILD/corpus/$1/$2"
}
seed fuzz_imagesize gif 'GIF89a\x2c\x01\xc8\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff\x21\xfe\x03a,b\x00\x2c\x00\x00\x00\x00\x28\x00\x1e\x00\x00\x02\x02\x44\x01\x00\x3b'
seed fuzz_imagesize jpeg '\xff\xd8\xff\xe0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00\xff\xff\xc2\x00\x0b\x08\x00\x1e\x00\x28\x01\x01\x11\x00\xff\xd9'
seed fuzz_imagesize png '\x89PNG\r\n\x1a\n\x00\x00\x00\x0dIHDR\x00\x01\x11\x70\x00\x00\x00\x0a\x08\x00\x00\x00\x00'
seed fuzz_imagesize bmp 'BM\x3e\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00\x28\x00\x00\x00\x01\x00\x00\x00\xff\xff\xff\xff\x01\x00\x18\x00\x00\x00\x00\x00\x04\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\xff\x00'
seed fuzz_title page '<html><head><title>Hi</title></head><body><a href="a.html">a</a></body></html>'
seed fuzz_title reversed '</TITLE> <TITLE>x'
# A main file of two dictionaries: "BAT" and "HE" in the first, "ZOO" in the second.
seed fuzz_dictionary two 'Pendwick dictionary format 1\r\n\x1a\x05\x00\x00\x00\x05\x00\x00\x00\x02\x00\x00\x00\x01\x1f\x00\x00\x00\x03\x00\x01\x05\x00G\x04\x00@\x00\x00\xd3\x00\x00\xc4\x03\x00\x00\x00\x03\x00\x00\x00\x01\x00\x00\x00\x01?\x00\x00\x00\x02\x00Y\x03\x00N\x00\x00\xce'

status=0
for t in "${TARGETS[@]}"; do
  mkdir -p "$BUILD/corpus/$t" "$BUILD/artifacts"
  echo "== $t for ${SECONDS_PER_TARGET}s"
  if ! "$BUILD/$t" -max_total_time="$SECONDS_PER_TARGET" -print_final_stats=1 \
       -artifact_prefix="$BUILD/artifacts/$t-" "$BUILD/corpus/$t"; then
    echo "!! $t found a crash: see $BUILD/artifacts/" >&2
    status=1
  fi
done
exit $status

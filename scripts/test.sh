#!/bin/sh
# Builds and runs the whole test suite: a warnings-as-errors Release build (what
# users and packagers build) with g++, a
# clang build under AddressSanitizer + UndefinedBehaviorSanitizer (which also
# builds the fuzz targets), then replays the fuzz seeds and fuzzes briefly.
set -eu
cd "$(dirname "$0")/.."

JOBS="${JOBS:-$(nproc)}"
FUZZ_SECONDS="${FUZZ_SECONDS:-10}"

echo "== release build (g++) =="
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRIMVALE_BENCH=ON >/dev/null
cmake --build build -j "$JOBS"
ctest --test-dir build -j "$JOBS" --output-on-failure

echo "== sanitizer build (clang, ASan + UBSan) =="
CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DBRIMVALE_SANITIZE=ON -DBRIMVALE_FUZZ=ON -DBRIMVALE_BENCH=OFF >/dev/null
cmake --build build-asan -j "$JOBS"
ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
  ctest --test-dir build-asan -j "$JOBS" --output-on-failure

echo "== fuzz targets: replay seeds, then ${FUZZ_SECONDS}s each =="
scripts/fuzz.sh "$FUZZ_SECONDS"

echo "== all tests passed =="

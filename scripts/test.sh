#!/bin/sh
# Builds and runs the whole test suite: a warnings-as-errors Release build with
# g++, a clang build under AddressSanitizer + UndefinedBehaviorSanitizer (which
# also builds the fuzz targets), then replays the fuzz seeds and fuzzes briefly.
# Ends with the counts of passed, failed and skipped tests.
set -eu
cd "$(dirname "$0")/.."

JOBS="${JOBS:-$(nproc)}"
FUZZ_SECONDS="${FUZZ_SECONDS:-10}"
passed=0 failed=0 skipped=0 fuzz="not run"

# Adds up ctest's per-test lines (Passed, ***Failed, ***Skipped, ***Timeout, ...).
count() {
  p=$(grep -c 'Test *#[0-9]*:.* Passed' "$1" || true)
  s=$(grep -c 'Test *#[0-9]*:.*\*\*\*Skipped' "$1" || true)
  all=$(grep -c 'Test *#[0-9]*:' "$1" || true)
  passed=$((passed + p)) skipped=$((skipped + s)) failed=$((failed + all - p - s))
}

summary() {
  echo "== tests: $passed passed, $failed failed, $skipped skipped; fuzzing: $fuzz =="
}

corpus=../shared/corpus/mqo
if [ ! -e "$corpus" ]; then
  echo "note: no model corpus at $corpus; the corpus tests skip"
fi

echo "== release build (g++) =="
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DBRIMVALE_BENCH=ON \
  -DBRIMVALE_WERROR=ON >/dev/null
cmake --build build -j "$JOBS"
ctest --test-dir build -j "$JOBS" --output-on-failure 2>&1 | tee build/ctest.log
count build/ctest.log

echo "== sanitizer build (clang, ASan + UBSan) =="
CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DBRIMVALE_SANITIZE=ON -DBRIMVALE_FUZZ=ON -DBUILD_TESTING=ON -DBRIMVALE_BENCH=OFF -DBRIMVALE_WERROR=ON >/dev/null
cmake --build build-asan -j "$JOBS"
# intercept_tls_get_addr=0: clang 14's leak checker misreads the dynamic TLS of
# the GL drivers that Mesa loads with dlopen (glibc 2.36) and, depending on the
# memory layout, crashes in its exit scan ("Tracer caught signal 11").
ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:intercept_tls_get_addr=0" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
  ctest --test-dir build-asan -j "$JOBS" --output-on-failure 2>&1 | tee build-asan/ctest.log
count build-asan/ctest.log

echo "== fuzz targets: replay seeds, then ${FUZZ_SECONDS}s each =="
if scripts/fuzz.sh "$FUZZ_SECONDS"; then fuzz=passed; else fuzz=FAILED; fi

summary
if [ "$failed" -ne 0 ] || [ "$fuzz" != passed ]; then
  echo "== FAILED ==" >&2
  exit 1
fi
echo "== all tests passed =="

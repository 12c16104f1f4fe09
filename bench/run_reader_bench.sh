#!/bin/sh
# Prints the reader figures on the generated 1,000,000-vertex / 1,000,000-quad
# model: MB/s (bytes_per_second) and vertices/s (items_per_second) of the text
# and BVertex reads next to the fgets + sscanf baseline of the same run, whether
# the numbers are bit-identical to sscanf/strtof, and peak memory against the
# finished document. Targets: text >= 3x the baseline, BVertex >= 1 GB/s,
# bit_identical 1, peak_over_document <= 1.5.
# Usage: bench/run_reader_bench.sh [BUILD_DIR]   (default: build)
set -eu
bin="${1:-build}/bin"
if [ ! -x "$bin/reader_bench" ]; then
  echo "missing $bin/reader_bench (configure with -DBRIMVALE_BENCH=ON and build it)" >&2
  exit 1
fi
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
"$bin/reader_bench" 2>/dev/null | grep '^BM_'

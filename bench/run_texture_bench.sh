#!/bin/sh
# Prints the texture memory figures: a model of 48 materials each naming a
# 2048 x 2048 picture, read whole; the texel bytes the materials hold against
# the document's texture budget and against keeping every texture whole, and
# the growth of resident memory while reading.
# Usage: bench/run_texture_bench.sh [BUILD_DIR]   (default: build)
set -eu
bin="${1:-build}/bin"
if [ ! -x "$bin/texture_memory_bench" ]; then
  echo "missing $bin/texture_memory_bench (configure with -DBRIMVALE_BENCH=ON and build it)" >&2
  exit 1
fi
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
"$bin/texture_memory_bench" 2>/dev/null | grep '^BM_'

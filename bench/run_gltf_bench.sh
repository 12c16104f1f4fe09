#!/bin/sh
# Prints the glTF export figures: brimvale-cli export of a generated
# 1,000,000-quad smooth, textured model to .glb against brimvale-cli info of
# the same file, whole processes, best of three; time ratio (target <= 1.5) and
# peak memory against the reader's plus the written file.
# Usage: bench/run_gltf_bench.sh [BUILD_DIR]   (default: build)
set -eu
bin="${1:-build}/bin"
for program in gltf_export_bench brimvale-cli; do
  if [ ! -x "$bin/$program" ]; then
    echo "missing $bin/$program (configure with -DBRIMVALE_BENCH=ON and build it)" >&2
    exit 1
  fi
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
"$bin/gltf_export_bench" 2>/dev/null | grep -v '^-\|^Benchmark\|^Run on\|^CPU\|^  L\|^Load'

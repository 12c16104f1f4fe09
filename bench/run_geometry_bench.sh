#!/bin/sh
# Prints the geometry figures: subdivision of a 100,000-quad closed mesh for 1-4
# passes (each in a fresh process, so every figure is cold), smooth normals
# against a plain vertex-normal pass, and the whole chain on the largest model.
# Usage: bench/run_geometry_bench.sh [BUILD_DIR]   (default: build)
set -eu
bin="${1:-build}/bin"
for program in subdivision_bench smooth_normals_bench derivation_chain_bench; do
  if [ ! -x "$bin/$program" ]; then
    echo "missing $bin/$program (configure with -DBRIMVALE_BENCH=ON and build it)" >&2
    exit 1
  fi
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
echo "== subdivision, closed all-quad torus of 100,000 quads (targets: >= 2.5M quads/s at 4 passes, <= 80 B/quad),"
echo "   each beside the floor: allocating and writing only the output's positions and corner indices"
# milliseconds of a one-iteration benchmark line
ms() { awk '/^BM_/ { print $2; exit }'; }
for passes in 1 2 3 4; do
  line=$("$bin/subdivision_bench" --benchmark_filter="BM_Subdivide/$passes/" 2>/dev/null | grep '^BM_')
  floor=$("$bin/subdivision_bench" --benchmark_filter="BM_TouchFloor/$passes/" 2>/dev/null | grep '^BM_')
  echo "$line"
  echo "$floor"
  echo "  subdivision / floor: $(echo "scale=2; $(echo "$line" | ms) / $(echo "$floor" | ms)" | bc)x"
done
echo "== the same with a colour on every corner (4 passes), beside the uncoloured run"
"$bin/subdivision_bench" --benchmark_filter="BM_SubdivideColoured/4/" 2>/dev/null | grep '^BM_'
echo "== the same through FreezeModifiers (chain + baking with links)"
for passes in 1 2 3 4; do
  "$bin/subdivision_bench" --benchmark_filter="BM_FreezePatch/$passes/" 2>/dev/null | grep '^BM_'
done
echo "== smooth normals on 1,000,000 triangles vs area-weighted vertex normals (target: ratio <= 10)"
"$bin/smooth_normals_bench" 2>/dev/null | grep '^BM_'
echo "== whole chain on the largest corpus model, patch on (16 segments), objects on 1 and on 2 threads"
# The corpus sits beside the checkout; the benchmark's own guess goes by its
# source path, which a compiler cache may have made relative.
here=$(cd "$(dirname "$0")" && pwd)
: "${BRIMVALE_CHAIN_MODEL:=$here/../../shared/corpus/mqo/rtm-unofficial/src/main/resources/assets/minecraft/models/n2100_mc.mqoz}"
export BRIMVALE_CHAIN_MODEL
for threads in 1 2; do
  "$bin/derivation_chain_bench" --benchmark_filter="BM_DerivationChain/$threads/" 2>/dev/null | grep '^BM_'
done
echo "== the same through the output mesh builder as the exports run it, on 1 and on 2 threads"
for threads in 1 2; do
  "$bin/derivation_chain_bench" --benchmark_filter="BM_OutputMeshes/$threads/" 2>/dev/null | grep '^BM_'
done

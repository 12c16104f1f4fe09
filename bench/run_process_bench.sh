#!/bin/sh
# Prints the whole-process figures, each a fresh (cold) process, best of RUNS:
#  1. `brimvale-cli info --json` on the generated 1,000,000-vertex / 1,000,000-quad
#     model (text, and its BVertex twin) next to a plain fgets + sscanf program
#     on the same text file (target: text >= 2x the baseline), with peak
#     resident memory against the resident size of the finished document
#     (target: <= 1.2x); the same two zipped as .mqoz, whose model is
#     inflated while it is read (same peak target);
#  2. `info --derived` on 8 objects of 2,500 quads with curved surfaces at 16
#     segments (5.1 M derived quads), --threads 1 against --threads 2 (target:
#     >= 1.6x on 2 cores) and whether both print the same, with the speed-up
#     that plain arithmetic gets from a second thread at the same time;
#  3. `info --derived` on a 100,000-quad torus with curved surfaces at 16
#     segments (25.6 M derived quads) on 1 and 2 threads, against a process
#     that only allocates and writes the output's positions and corners.
# Usage: bench/run_process_bench.sh [BUILD_DIR] [RUNS]   (defaults: build, 3)
set -eu
build="${1:-build}"
runs="${2:-3}"
bin="$build/bin"
for program in "$bin/process_bench_tool" "$bin/naive_reader" "$bin/brimvale-cli"; do
  if [ ! -x "$program" ]; then
    echo "missing $program (configure with -DBRIMVALE_BENCH=ON and build it)" >&2
    exit 1
  fi
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$bin/process_bench_tool" torus "$tmp/torus.mqo" "$tmp/torus_bvertex.mqo"
"$bin/process_bench_tool" patches "$tmp/patches.mqo"
python3 -c 'import sys, zipfile
for path in sys.argv[1:]:
    with zipfile.ZipFile(path + "z", "w", zipfile.ZIP_DEFLATED) as archive:
        archive.write(path, path.rsplit("/", 1)[-1])' "$tmp/torus.mqo" "$tmp/torus_bvertex.mqo"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"

# shellcheck source=bench/best_of_runs.sh
. "$(dirname "$0")/best_of_runs.sh"

echo "== whole-process read, 1,000,000 vertices and quads ($(du -m "$tmp/torus.mqo" | cut -f1) MB text)"
best "$bin/naive_reader" "$tmp/torus.mqo"
baseTime=$bestTime
basePeak=$bestPeak
echo "fgets+sscanf            ${baseTime}s  peak ${basePeak} KiB"
document=$(( $("$bin/process_bench_tool" document "$tmp/torus.mqo") / 1024 ))
for model in torus.mqo torus_bvertex.mqo torus.mqoz torus_bvertex.mqoz; do
  best "$bin/brimvale-cli" info --json "$tmp/$model"
  echo "info --json $model  ${bestTime}s  peak ${bestPeak} KiB  speed-up over sscanf $(ratio "$baseTime" "$bestTime")x" \
       " peak/document $(ratio "$bestPeak" "$document") (document ${document} KiB)"
done

echo "== info --derived, 8 objects x 2,500 quads, curved surfaces at 16 segments"
best "$bin/brimvale-cli" info --derived --threads 1 "$tmp/patches.mqo"
oneTime=$bestTime
cp "$tmp/out" "$tmp/one"
echo "--threads 1  ${oneTime}s  peak ${bestPeak} KiB"
best "$bin/brimvale-cli" info --derived --threads 2 "$tmp/patches.mqo"
twoTime=$bestTime
echo "--threads 2  ${twoTime}s  peak ${bestPeak} KiB  speed-up $(ratio "$oneTime" "$twoTime")x"
if cmp -s "$tmp/one" "$tmp/out"; then echo "identical output: yes"; else echo "identical output: NO"; fi
# The same two counts on pure arithmetic, right after: on a loaded machine the
# second thread gets less than a core, and this is the ceiling it leaves.
best "$bin/process_bench_tool" spin 1
oneTime=$bestTime
best "$bin/process_bench_tool" spin 2
echo "the machine now: 2 threads of plain arithmetic $(ratio "$oneTime" "$bestTime")x 1 thread; load average $(cut -d' ' -f1-3 /proc/loadavg)"

echo "== the same model exported (every derived vertex and face written), --threads 1 against 2"
/usr/bin/time -f "%e" -o "$tmp/time" "$bin/brimvale-cli" export --threads 1 "$tmp/patches.mqo" -o "$tmp/one.pov" >/dev/null
echo "--threads 1  $(cat "$tmp/time")s"
/usr/bin/time -f "%e" -o "$tmp/time" "$bin/brimvale-cli" export --threads 2 "$tmp/patches.mqo" -o "$tmp/two.pov" >/dev/null
echo "--threads 2  $(cat "$tmp/time")s"
if cmp -s "$tmp/one_obj.inc" "$tmp/two_obj.inc"; then echo "identical export: yes"; else echo "identical export: NO"; fi

echo "== info --derived on a closed torus of 99,856 quads, curved surfaces at 16 segments (25.6 M derived quads,"
echo "   normals included), against the floor: a process that only allocates and writes the output's positions"
echo "   and corner indices (targets: <= 6x the floor's time on 2 threads, <= 100 B per derived quad)"
"$bin/process_bench_tool" curved "$tmp/curved.mqo"
quads=25563136
best "$bin/process_bench_tool" floor "$quads"
floorTime=$bestTime
echo "floor        ${floorTime}s  peak ${bestPeak} KiB  $(echo "scale=1; $bestPeak * 1024 / $quads" | bc) B/quad"
for threads in 1 2; do
  best "$bin/brimvale-cli" info --derived --threads "$threads" "$tmp/curved.mqo"
  echo "--threads $threads  ${bestTime}s  peak ${bestPeak} KiB  $(echo "scale=1; $bestPeak * 1024 / $quads" | bc) B/quad" \
       " time/floor $(ratio "$bestTime" "$floorTime")x"
done

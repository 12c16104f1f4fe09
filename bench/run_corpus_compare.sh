#!/bin/sh
# Prints, for two builds of brimvale-cli, what the real corpus costs a user:
# opening (info), deriving (info --derived), rendering, and the POV-Ray and
# glTF exports of the largest corpus models, each a fresh process, best of
# RUNS, with its peak resident memory and the new/old time ratio.
# Usage: bench/run_corpus_compare.sh OLD_BIN_DIR NEW_BIN_DIR [RUNS]   (RUNS: 3)
set -eu
if [ $# -lt 2 ]; then
  echo "usage: $0 OLD_BIN_DIR NEW_BIN_DIR [RUNS]" >&2
  exit 64
fi
old=$(cd "$1" && pwd)/brimvale-cli
new=$(cd "$2" && pwd)/brimvale-cli
runs=${3:-3}
here=$(cd "$(dirname "$0")" && pwd)
corpus=$here/../../shared/corpus/mqo
[ -d "$corpus" ] || { echo "no corpus at $corpus" >&2; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"

bestDir=$tmp
# shellcheck source=bench/best_of_runs.sh
. "$here/best_of_runs.sh"

# The three largest models.
models=$(find "$corpus" \( -name '*.mqo' -o -name '*.mqoz' \) -printf '%s %p\n' | sort -rn | head -n 3 | cut -d' ' -f2)
for model in $models; do
  echo "== $(basename "$model")"
  for task in "info" "info --derived" "render -o out.png" "export -o out.pov" "export -o out.glb"; do
    # shellcheck disable=SC2086 # task is a list of words
    set -- $task
    command=$1
    shift
    best "$old" "$command" "$model" "$@"
    oldTime=$bestTime
    oldPeak=$bestPeak
    best "$new" "$command" "$model" "$@"
    printf '%-18s old %6ss %8s KiB   new %6ss %8s KiB   new/old %s\n' "$task" "$oldTime" "$oldPeak" "$bestTime" \
      "$bestPeak" "$(echo "scale=2; $bestTime / ($oldTime + 0.001)" | bc)"
  done
done

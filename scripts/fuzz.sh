#!/bin/sh
# Replays every fuzz target's seeds, then fuzzes each for SECONDS (default 10).
# A target that is missing, crashes, leaks, runs out of memory or hangs fails
# the run; its output is shown and the input that did it is kept under
# build-asan/fuzz-artifacts/<target>/.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET]
set -eu
cd "$(dirname "$0")/.."
SECONDS_EACH="${1:-10}"
ONLY="${2:-}"
BIN=build-asan/bin
# Per input: seconds before a hang counts as a failure, and a memory ceiling.
LIMITS="-timeout=20 -rss_limit_mb=2048"
failed=""
ran=0

# Runs "$@" into LOG; on failure shows the end of LOG and records TARGET.
# A watchdog stops a run that libFuzzer's own timers cannot end.
check() {
  target=$1 what=$2 log=$3 budget=$4
  shift 4
  status=0
  timeout -k 10 "$budget" "$@" >"$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    echo "fuzz: $target failed during $what (exit status $status); the end of its output:" >&2
    tail -n 40 "$log" >&2
    failed="$failed $target"
    return 1
  fi
  return 0
}

for src in fuzz/*.cpp; do
  [ -e "$src" ] || continue
  name=$(basename "$src" .cpp)
  [ -n "$ONLY" ] && [ "$ONLY" != "$name" ] && continue
  ran=$((ran + 1))
  seeds="fuzz/seeds/$name"
  work="build-asan/fuzz-corpus/$name"
  artifacts="build-asan/fuzz-artifacts/$name"
  mkdir -p "$work" "$artifacts"
  if [ ! -x "$BIN/$name" ]; then
    echo "fuzz: $name is not built ($BIN/$name is missing)" >&2
    failed="$failed $name"
    continue
  fi
  # shellcheck disable=SC2086 # LIMITS is a list of options
  set -- $LIMITS -artifact_prefix="$artifacts/"
  count=0
  if [ -d "$seeds" ]; then
    count=$(find "$seeds" -maxdepth 1 -type f | wc -l)
  fi
  if [ "$count" -gt 0 ]; then
    # Each seed is run once, as its own input.
    check "$name" "seed replay" "$artifacts/replay.log" 600 "$BIN/$name" "$@" "$seeds"/* || continue
  fi
  summary="$count seeds replayed"
  if [ "$SECONDS_EACH" -gt 0 ]; then
    if [ "$count" -gt 0 ]; then set -- "$@" "$seeds"; fi
    check "$name" "fuzzing" "$artifacts/fuzz.log" $((SECONDS_EACH + 120)) \
      "$BIN/$name" -max_total_time="$SECONDS_EACH" -print_final_stats=1 "$work" "$@" || continue
    summary="$summary, $(grep -o 'number_of_executed_units: *[0-9]*' "$artifacts/fuzz.log" | tr -s ' ') in ${SECONDS_EACH}s"
  fi
  echo "-- $name: $summary"
done

if [ "$ran" -eq 0 ]; then
  echo "fuzz: no fuzz target${ONLY:+ named $ONLY}" >&2
  exit 1
fi
if [ -n "$failed" ]; then
  echo "fuzz: FAILED:$failed" >&2
  exit 1
fi

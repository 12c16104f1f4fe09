#!/bin/sh
# Replays every fuzz target's seeds, then fuzzes each for SECONDS (default 10).
# Usage: scripts/fuzz.sh [SECONDS] [TARGET]
set -eu
cd "$(dirname "$0")/.."
SECONDS_EACH="${1:-10}"
ONLY="${2:-}"
BIN=build-asan/bin

for src in fuzz/*.cpp; do
  [ -e "$src" ] || continue
  name=$(basename "$src" .cpp)
  [ -n "$ONLY" ] && [ "$ONLY" != "$name" ] && continue
  seeds="fuzz/seeds/$name"
  corpus="build-asan/fuzz-corpus/$name"
  mkdir -p "$corpus"
  echo "-- $name"
  if [ -d "$seeds" ]; then
    "$BIN/$name" -runs=0 "$seeds" 2>&1 | tail -1
  fi
  if [ "$SECONDS_EACH" -gt 0 ]; then
    "$BIN/$name" -max_total_time="$SECONDS_EACH" -print_final_stats=1 "$corpus" ${seeds:+"$seeds"} 2>&1 \
      | grep -E "stat::number_of_executed_units|ERROR|SUMMARY" || true
    # A crash leaves a crash-* file and a non-zero status; rerun to surface it.
    if ls crash-* leak-* timeout-* oom-* >/dev/null 2>&1; then
      echo "fuzz: $name found a failing input" >&2
      exit 1
    fi
  fi
done

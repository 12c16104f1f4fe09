# shellcheck shell=sh disable=SC2154,SC2034 # runs and tmp come from the caller, which reads the results
# Sourced by the process benchmarks. best CMD...: runs CMD $runs times, each a
# fresh process, and sets bestTime (lowest seconds) and bestPeak (the peak
# resident KiB of that run). Needs $runs and $tmp; runs in $bestDir when set
# (relative output paths land there); the last run's output is in $tmp/out.
best() {
  bestTime=""
  bestPeak=""
  i=0
  while [ "$i" -lt "$runs" ]; do
    (cd "${bestDir:-.}" && /usr/bin/time -f "%e %M" -o "$tmp/time" "$@" >"$tmp/out" 2>/dev/null) || true
    # A failing command adds a line before the figures.
    read -r seconds peak <<EOF_TIME
$(tail -n 1 "$tmp/time")
EOF_TIME
    if [ -z "$bestTime" ] || [ "$(echo "$seconds < $bestTime" | bc)" = 1 ]; then
      bestTime=$seconds
      bestPeak=$peak
    fi
    i=$((i + 1))
  done
}

# ratio A B: A / B to two decimals
ratio() { echo "scale=2; $1 / $2" | bc; }

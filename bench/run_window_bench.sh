#!/bin/sh
# Prints how long the window stops answering while it opens the 100,000-quad
# torus with curved surfaces at 16 segments (25.6 M derived quads): the
# longest gap of a 10 ms heartbeat on the window's thread from the open until
# the faces are drawn, the total time, and what one frame of the model costs
# alone (the software renderer's floor for any stall). Runs on Xvfb.
# With a second build folder (an older tree with window_stall_bench built) it
# prints that one's figures first, as "before".
# Usage: bench/run_window_bench.sh [BUILD_DIR] [BEFORE_BUILD_DIR]   (default: build)
set -eu
build="${1:-build}"
before="${2:-}"
for program in "$build/bin/window_stall_bench" "$build/bin/process_bench_tool"; do
  if [ ! -x "$program" ]; then
    echo "missing $program (configure with -DBRIMVALE_BENCH=ON and build it)" >&2
    exit 1
  fi
done
command -v xvfb-run >/dev/null || { echo "xvfb-run is missing (scripts/setup.sh installs it)" >&2; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$build/bin/process_bench_tool" curved "$tmp/torus.mqo"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
run() {
  echo "$1:"
  XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data" LC_ALL=C.UTF-8 \
    xvfb-run -a -s "-screen 0 1280x1024x24" "$2/bin/window_stall_bench" "$tmp/torus.mqo" 2>&1 | grep -v XDG_RUNTIME_DIR
}
if [ -n "$before" ]; then run "before ($before)" "$before"; fi
run "now ($build)" "$build"

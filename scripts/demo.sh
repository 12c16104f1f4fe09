#!/bin/sh
# The README's main job: builds Brimvale and runs it on a bundled example.
set -eu
cd "$(dirname "$0")/.."
EXAMPLE="${1:-examples/half_body_joined.mqo}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" >/dev/null
echo "== brimvale-cli info $EXAMPLE =="
build/bin/brimvale-cli info "$EXAMPLE"

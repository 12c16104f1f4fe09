#!/bin/sh
# The README's main job: builds Brimvale, shows what it read from a bundled
# example, draws the example's view offscreen to a PNG, exports the example as
# a POV-Ray scene and renders it to a PNG.
set -eu
cd "$(dirname "$0")/.."
EXAMPLE="${1:-examples/half_body_joined.mqo}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc)" >/dev/null
echo "== brimvale-cli info $EXAMPLE =="
build/bin/brimvale-cli info "$EXAMPLE"

NAME="$(basename "$EXAMPLE")"
NAME="${NAME%.*}"
OUT=build/demo
mkdir -p "$OUT"
echo "== brimvale-cli render $EXAMPLE -o $OUT/${NAME}_view.png =="
build/bin/brimvale-cli render "$EXAMPLE" -o "$OUT/${NAME}_view.png" --size 640x480
echo "View written: $OUT/${NAME}_view.png"
echo "== brimvale-cli export $EXAMPLE -o $OUT/$NAME.pov --render $OUT/$NAME.png =="
build/bin/brimvale-cli export "$EXAMPLE" -o "$OUT/$NAME.pov" --target povray \
  --render "$OUT/$NAME.png" --size 640x480
echo "Picture written: $OUT/$NAME.png"

# On a desktop, the main job ends in the window, on the same example.
if { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; } && [ -x build/bin/brimvale ] \
   && [ -z "${BRIMVALE_NO_WINDOW:-}" ]; then
  echo "== brimvale $EXAMPLE (close the window to end) =="
  exec build/bin/brimvale "$EXAMPLE"
fi

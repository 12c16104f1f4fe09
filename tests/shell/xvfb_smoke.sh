#!/bin/sh
# Starts the real window on a virtual X display, orbits the model with
# synthesized mouse drags, opens the menus, the file dialog, the About box and
# the benchmark, and checks the screenshots: the model is drawn, it moves with
# the drag, and the menus are painted. Screenshots stay in OUT for a person.
#   xvfb_smoke.sh BRIMVALE MODEL OUT
# Runs itself again inside xvfb-run when no display is given.
set -eu
BRIMVALE=$1
MODEL=$2
OUT=$3

if [ -z "${BRIMVALE_SMOKE_INNER:-}" ]; then
  for tool in xvfb-run xdotool import compare convert; do
    # 77: skipped (ctest reports it), not passed, on a machine without the tools.
    command -v "$tool" >/dev/null || { echo "xvfb_smoke: $tool is missing (run scripts/setup.sh)"; exit 77; }
  done
  mkdir -p "$OUT"
  BRIMVALE_SMOKE_INNER=1 exec xvfb-run -a -s "-screen 0 1100x800x24" sh "$0" "$@"
fi

fail() { echo "xvfb_smoke: FAILED: $*"; kill "$PID" 2>/dev/null || true; exit 1; }
shot() { import -window root "$OUT/$1.png"; }
# Fraction of strongly red pixels: the test model is red, nothing else on screen is.
red_share() { convert "$OUT/$1.png" -scale 25% -fx "(r>0.5 && g<0.35 && b<0.35) ? 1 : 0" -format "%[fx:mean]" info:; }
# Pixels that differ between two screenshots.
changed() { compare -metric AE -fuzz 8% "$OUT/$1.png" "$OUT/$2.png" null: 2>&1 || true; }
# Without a window manager nobody gives the window the focus back after a
# dialog closes, so the keyboard steps hand it over themselves.
focus() { xdotool windowfocus --sync "$WIN" 2>/dev/null || xdotool windowfocus "$WIN"; }
# Polls rather than --sync: xdotool gives up on BadWindow when another window
# (a tooltip, the status bar's progress) vanishes while it looks.
wait_window() {
  i=0
  while [ $i -lt 200 ]; do
    found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
    [ -z "$found" ] || { echo "$found"; return 0; }
    i=$((i + 1)); sleep 0.1
  done
  return 1
}
gone_window() {
  i=0
  while xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; do
    i=$((i + 1)); [ $i -lt 50 ] || fail "window '$1' did not close"; sleep 0.1
  done
}

export XDG_CONFIG_HOME="$OUT/config"
export LC_ALL=C.UTF-8
rm -rf "$XDG_CONFIG_HOME"
# In Japanese, whatever the locale: the steps below find windows by their titles.
"$BRIMVALE" --lang ja "$MODEL" >"$OUT/brimvale.log" 2>&1 &
PID=$!

WIN=$(wait_window "$(basename "$MODEL") - Brimvale") || true
[ -n "$WIN" ] || fail "the main window did not appear"
eval "$(xdotool getwindowgeometry --shell "$WIN")"
sleep 1
shot 1-start
START_RED=$(red_share 1-start)
echo "model share at start: $START_RED"
awk "BEGIN { exit !($START_RED > 0.02) }" || fail "the model is not drawn"

# Orbit: a right-button drag over the view (the view fills the left part).
CX=$((X + WIDTH * 3 / 10)); CY=$((Y + HEIGHT / 2))
xdotool mousemove "$CX" "$CY" mousedown 3
for step in 1 2 3 4 5 6 7 8; do xdotool mousemove "$((CX + step * 15))" "$((CY - step * 4))"; done
xdotool mouseup 3
sleep 0.5
shot 2-orbited
MOVED=$(changed 1-start 2-orbited)
echo "pixels changed by the orbit: $MOVED"
[ "$MOVED" -gt 3000 ] || fail "the model did not move with the drag"
awk "BEGIN { exit !($(red_share 2-orbited) > 0.02) }" || fail "the model vanished after the drag"

# A pan with the left button moves it again.
xdotool mousemove "$CX" "$CY" mousedown 1 mousemove "$((CX - 40))" "$((CY + 20))" mousemove "$((CX - 80))" "$((CY + 40))" mouseup 1
sleep 0.5
shot 3-panned
[ "$(changed 2-orbited 3-panned)" -gt 3000 ] || fail "the pan did not move the model"

# The File menu, by its mnemonic.
focus
xdotool mousemove "$CX" "$CY" key alt+f
sleep 0.7
shot 4-file-menu
[ "$(changed 3-panned 4-file-menu)" -gt 2000 ] || fail "the File menu did not open"
xdotool key Escape Escape
sleep 0.3

# Ctrl+O opens the Metasequoia file dialog; cancelling it keeps the model.
focus
xdotool key ctrl+o
DIALOG=$(wait_window "開く") || true
[ -n "$DIALOG" ] || fail "Ctrl+O showed no file dialog"
sleep 0.5
shot 5-open-dialog
xdotool key Escape
gone_window "開く"

# The About box from the Help menu.
focus
xdotool key alt+h
sleep 0.5
shot 6-help-menu
xdotool key Return
ABOUT=$(wait_window "ﾊﾞｰｼﾞｮﾝ情報") || true
[ -n "$ABOUT" ] || fail "the About box did not open"
[ "$(xdotool getwindowname "$ABOUT")" = "ﾊﾞｰｼﾞｮﾝ情報" ] || fail "the About box is titled '$(xdotool getwindowname "$ABOUT")'"
sleep 0.5
shot 7-about
xdotool key Return
gone_window "ﾊﾞｰｼﾞｮﾝ情報"

# The benchmark reports in a message box.
focus
xdotool key alt+h Down Return
BENCH=$(wait_window "ベンチマーク") || true
[ -n "$BENCH" ] || fail "the benchmark showed no message"
[ "$(xdotool getwindowname "$BENCH")" = "ベンチマーク" ] || fail "the benchmark box is titled '$(xdotool getwindowname "$BENCH")'"
sleep 0.5
shot 8-benchmark
xdotool key Return
gone_window "ベンチマーク"
sleep 0.3
shot 9-after-benchmark
awk "BEGIN { exit !($(red_share 9-after-benchmark) > 0.02) }" || fail "the model is gone after the benchmark"

# Exit from the File menu: the program ends by itself, cleanly.
focus
xdotool key alt+f x
i=0
while kill -0 "$PID" 2>/dev/null; do
  i=$((i + 1)); [ $i -lt 50 ] || fail "the program did not exit"; sleep 0.1
done
wait "$PID" || fail "the program exited with an error status"
[ ! -e "$XDG_CONFIG_HOME/brimvale/brimvale.ini" ] || fail "brimvale.ini written without a folder"
echo "xvfb_smoke: passed; screenshots in $OUT"

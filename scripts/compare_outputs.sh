#!/bin/sh
# Runs two builds of brimvale-cli on every example and every model under
# ../shared/corpus/mqo (or on the models given) and compares what they write:
# the rendered PNG, the POV-Ray export (scene, include files, images) and the
# glTF export. Both runs write into the same folder, one after the other, so
# paths written inside the files and messages agree.
# Usage: scripts/compare_outputs.sh OLD_BIN_DIR NEW_BIN_DIR [MODEL...]
# Exit status: 0 no difference, 1 a difference (each one listed), 64 bad usage.
set -eu
if [ $# -lt 2 ]; then
  echo "usage: $0 OLD_BIN_DIR NEW_BIN_DIR [MODEL...]" >&2
  exit 64
fi
old=$(cd "$1" && pwd)/brimvale-cli
new=$(cd "$2" && pwd)/brimvale-cli
shift 2
root=$(cd "$(dirname "$0")/.." && pwd)
for cli in "$old" "$new"; do
  [ -x "$cli" ] || { echo "$0: $cli is not an executable" >&2; exit 64; }
done
if [ $# -eq 0 ]; then
  set -- "$root"/examples/*.mqo "$root"/examples/*.mqoz
  if [ -d "$root/../shared/corpus/mqo" ]; then
    # shellcheck disable=SC2046 # model paths hold no spaces
    set -- "$@" $(find "$root/../shared/corpus/mqo" -name '*.mqo' -o -name '*.mqoz' | sort)
  fi
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
models=0 differing=0
for model in "$@"; do
  models=$((models + 1))
  for side in old new; do
    cli=$old
    [ "$side" = new ] && cli=$new
    dir="$work/run"
    rm -rf "$dir" "${work:?}/$side" && mkdir -p "$dir"
    # Each run's exit status is compared too: a model one side refuses counts.
    (cd "$dir" && { "$cli" render "$model" -o render.png >render.log 2>&1; echo "render $?"; \
      "$cli" export "$model" -o scene.pov >pov.log 2>&1; echo "pov $?"; \
      "$cli" export "$model" -o model.glb >glb.log 2>&1; echo "glb $?"; } >status.txt)
    mv "$dir" "$work/$side"
  done
  if ! diff -r "$work/old" "$work/new" >"$work/diff.txt" 2>&1; then
    differing=$((differing + 1))
    echo "DIFFERENT: $model"
    sed 's/^/  /' "$work/diff.txt" | head -n 20
  fi
done
echo "$models models compared, $differing with differences"
[ "$differing" -eq 0 ]

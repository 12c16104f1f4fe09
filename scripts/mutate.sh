#!/bin/sh
# Mutation check of the test suite (a developer's tool, not part of CI).
# Copies the working tree to a scratch folder, then for each one-line mutation
# of scripts/mutations.txt: applies it there, rebuilds only the test targets
# it names, runs only the tests it names, and puts the line back. A mutation
# that no test notices "survives"; the run fails if any does.
# Usage: scripts/mutate.sh [NAME-PATTERN]   (grep pattern over the names)
# Environment: MUTATE_DIR (default build-mutate), JOBS (default 2).
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
LIST="$ROOT/scripts/mutations.txt"
SCRATCH="${MUTATE_DIR:-$ROOT/build-mutate}"
JOBS="${JOBS:-2}"
ONLY="${1:-}"
TREE="$SCRATCH/tree"
TAB=$(printf '\t')

# The tracked and new files of the working tree, not the build folders.
mkdir -p "$TREE"
# tar keeps each file's time, so unchanged files are not rebuilt.
git ls-files -z --cached --others --exclude-standard | tar --null -T - -cf - | tar -xf - -C "$TREE"
if [ ! -f "$TREE/build/build.ninja" ]; then
  echo "mutate: configuring $TREE/build"
  cmake -S "$TREE" -B "$TREE/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DBRIMVALE_BENCH=OFF \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache >/dev/null
fi

# Replaces the single occurrence of FROM by TO in FILE (all literal text).
mutate() {
  python3 - "$1" "$2" "$3" <<'EOF'
import sys
path, old, new = sys.argv[1:]
text = open(path, encoding="utf-8").read()
if text.count(old) != 1:
    sys.exit(f"{text.count(old)} occurrences of the line in {path}")
open(path, "w", encoding="utf-8").write(text.replace(old, new))
EOF
}

killed=0 survived="" broken=""
report="$SCRATCH/report.txt"
: >"$report"
# Each line: NAME <tab> FILE <tab> FROM <tab> TO <tab> TARGETS (comma-separated) <tab> TEST REGEX
while IFS="$TAB" read -r name file from to targets tests; do
  case "$name" in '' | '#'*) continue ;; esac
  if [ -n "$ONLY" ] && ! printf '%s\n' "$name" | grep -q -- "$ONLY"; then continue; fi
  if ! mutate "$TREE/$file" "$from" "$to"; then
    broken="$broken $name"
    continue
  fi
  log="$SCRATCH/$name.log"
  # shellcheck disable=SC2046 # one argument per target
  if ! nice -n 10 cmake --build "$TREE/build" -j "$JOBS" --target $(echo "$targets" | tr ',' ' ') >"$log" 2>&1; then
    echo "mutate: $name does not build (see $log)" >&2
    broken="$broken $name"
  elif ctest --test-dir "$TREE/build" -R "$tests" -j "$JOBS" >>"$log" 2>&1; then
    echo "SURVIVED  $name  ($file: $to)"
    survived="$survived $name"
  else
    caught=$(sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) .*/\1/p' "$log" | tr '\n' ' ')
    echo "killed    $name  by $caught"
    printf '%s\t%s\n' "$name" "$caught" >>"$report"
    killed=$((killed + 1))
  fi
  cp "$ROOT/$file" "$TREE/$file"
done <"$LIST"

echo "== $killed killed; survived:${survived:- none}; not applicable or not building:${broken:- none} =="
[ -z "$survived" ] && [ -z "$broken" ]

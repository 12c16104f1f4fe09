#!/bin/sh
# Usage: qtest_skip.sh [--except FUNCTION]... PROGRAM [ARGS]
# Runs a QTest program and turns a skipped test function into ctest's skip
# status 77 (QTest alone exits 0, a pass). --except leaves out a function that
# another run of the program covers (one that needs a real OpenGL context).
except=""
while [ "${1:-}" = "--except" ]; do
  except="$except $2"
  shift 2
done
log=$(mktemp) || exit 1
status=0
if [ -n "$except" ]; then
  program=$1
  shift
  functions=$("$program" -functions | sed 's/()$//') || exit 1
  for name in $except; do
    printf '%s\n' "$functions" | grep -qx "$name" || { echo "qtest_skip: no function $name" >&2; exit 1; }
    functions=$(printf '%s\n' "$functions" | grep -vx "$name")
  done
  # shellcheck disable=SC2086 # one argument per function name
  "$program" "$@" $functions >"$log" 2>&1 || status=$?
else
  "$@" >"$log" 2>&1 || status=$?
fi
cat "$log"
if [ "$status" -eq 0 ] && grep -q '^SKIP   :' "$log"; then status=77; fi
rm -f "$log"
exit "$status"

#!/bin/sh
# The bash completion of brimvale-cli: commands, a command's options, and file
# names filtered to what the argument takes.
#   completion_test.sh BUILD SOURCE OUT
set -eu
SOURCE=$2
OUT=$3
TEST_NAME=completion
. "$(dirname "$0")/install_checks.sh"
need_tools bash

rm -rf "$OUT"
mkdir -p "$OUT/models"
touch "$OUT/models/a.mqo" "$OUT/models/b.MQOZ" "$OUT/models/notes.txt" "$OUT/models/pic.png"
mkdir "$OUT/models/sub"

# Prints the sorted completions of the words given (the last is completed).
complete_words() {
  (cd "$OUT/models" && bash -c '
    shopt -s extglob
    . "$0"
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
    _brimvale_cli
    printf "%s\n" "${COMPREPLY[@]}" | sort | tr "\n" " "' "$SOURCE/packaging/completion/brimvale-cli" "$@")
}

expect() {
  want=$1
  shift
  got=$(complete_words "$@")
  [ "$got" = "$want" ] || fail "'$*' completes to '$got', not '$want'"
}

expect "render " brimvale-cli ren
expect "--version " brimvale-cli --v
expect "a.mqo b.MQOZ sub " brimvale-cli render ""
expect "--json " brimvale-cli info --js
expect "pic.png sub " brimvale-cli render a.mqo -o ""
expect "pic.png sub " brimvale-cli thumbnail a.mqo ""
expect "gltf megapov povray " brimvale-cli export a.mqo --target ""
expect " " brimvale-cli render a.mqo --size ""  # a number: nothing offered
echo "completion: passed"

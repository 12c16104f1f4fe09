#!/bin/sh
# The plug-in SDK as an author uses it: the samples, the guide's example and a
# marker plug-in built out of tree against the installed header only, through
# pkg-config and through find_package; the CMake build installed into the
# user's plug-in folder; and the installed program, started through its desktop
# entry's Exec line, loading the user's plug-in in place of its own of the same
# name.
#   plugin_sdk_test.sh BUILD SOURCE OUT
set -eu
BUILD=$1
SOURCE=$2
OUT=$3
TEST_NAME=plugin_sdk
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/install_checks.sh"
need_tools pkg-config cc c++ cmake

rm -rf "$OUT"
mkdir -p "$OUT"
PREFIX=$OUT/prefix
install_into "$BUILD" "$PREFIX"
EXAMPLES=$PREFIX/share/doc/brimvale/examples
[ -f "$PREFIX/include/brimvale/mq_plugin.h" ] || fail "the header is not installed"
# The guide's complete example, as a reader would copy it out.
sed -n '/^```c$/,/^```$/p' "$PREFIX/share/doc/brimvale/plugins.md" | sed '1d;$d' >"$OUT/triangle.c"
[ -s "$OUT/triangle.c" ] || fail "docs/plugins.md has no C example"

# pkg-config: compile flags only, nothing to link.
export PKG_CONFIG_PATH="$PREFIX/share/pkgconfig"
flags=$(pkg-config --cflags brimvale-plugin) || fail "pkg-config does not know brimvale-plugin"
[ -z "$(pkg-config --libs brimvale-plugin | tr -d ' ')" ] || fail "brimvale-plugin asks plug-ins to link something"
mkdir -p "$OUT/pkg-config"
for source in "$EXAMPLES"/*.c "$EXAMPLES"/*.cpp "$OUT/triangle.c" "$HERE/marker_plugin.c"; do
  name=$(basename "${source%.*}")
  case "$source" in
    *.cpp) compiler=c++ ;;
    *) compiler="cc -std=c11" ;;
  esac
  # shellcheck disable=SC2086
  $compiler -Wall -Wextra -Werror -fPIC -shared $flags "$source" -o "$OUT/pkg-config/$name.so" -lm ||
    fail "$name does not build through pkg-config"
done

# find_package: the same plug-ins, installed into the user's folder. The marker
# takes the name of an installed sample, so only the user's copy can write it.
project=$OUT/cmake-project
mkdir -p "$project"
cat >"$project/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.16)
project(sdk_check C CXX)
find_package(BrimvalePlugin 2 REQUIRED)
brimvale_add_plugin_module(invert_faces KIND Object SOURCES "$EXAMPLES/invert_faces.cpp")
brimvale_add_plugin_module(select_report KIND Select SOURCES "$EXAMPLES/select_report.c")
brimvale_add_plugin_module(triangle KIND Create SOURCES "$OUT/triangle.c")
brimvale_add_plugin_module(marker KIND Create SOURCES "$HERE/marker_plugin.c")
set_target_properties(marker PROPERTIES OUTPUT_NAME create_shapes)
CMAKE
cmake -S "$project" -B "$project/build" -G Ninja -DCMAKE_PREFIX_PATH="$PREFIX" -DCMAKE_C_FLAGS="-Wall -Werror" \
  >"$OUT/cmake.log" 2>&1 || fail "find_package(BrimvalePlugin): $(cat "$OUT/cmake.log")"
cmake --build "$project/build" >>"$OUT/cmake.log" 2>&1 || fail "the CMake build: $(cat "$OUT/cmake.log")"
DATA=$OUT/data-home
cmake --install "$project/build" --prefix "$DATA/brimvale" >>"$OUT/cmake.log" 2>&1 || fail "installing the plug-ins"
for file in Create/create_shapes.so Create/triangle.so Object/invert_faces.so Select/select_report.so; do
  [ -f "$DATA/brimvale/Plugins/$file" ] || fail "Plugins/$file was not installed into the user's folder"
done

# The installed program, started as the desktop starts it.
cp "$SOURCE/examples/half_body_joined.mqo" "$OUT/model.mqo"
exec_line=$(sed -n 's/^Exec=//p' "$PREFIX/share/applications/org.brimvale.Brimvale.desktop")
line=$(printf '%s' "$exec_line" | sed "s|%f|'$OUT/model.mqo'|")
MARKER=$OUT/marker.txt
(
  export PATH="$PREFIX/bin:$PATH" XDG_DATA_HOME="$DATA" XDG_CONFIG_HOME="$OUT/config" XDG_STATE_HOME="$OUT/state"
  export QT_QPA_PLATFORM=offscreen BRIMVALE_PLUGIN_MARKER="$MARKER"
  eval "exec $line"
) >"$OUT/brimvale.log" 2>&1 &
PID=$!
i=0
while [ ! -s "$MARKER" ] && kill -0 "$PID" 2>/dev/null && [ $i -lt 300 ]; do
  i=$((i + 1))
  sleep 0.1
done
sleep 0.5
kill -0 "$PID" 2>/dev/null || fail "brimvale ended early: $(cat "$OUT/brimvale.log")"
kill "$PID"
wait "$PID" 2>/dev/null || true
[ -s "$MARKER" ] || fail "the user's plug-in was not loaded: $(cat "$OUT/brimvale.log")"
[ "$(cat "$MARKER")" = "$PREFIX/bin/brimvale" ] || fail "MQInit was given '$(cat "$MARKER")'"
if grep -q "skipped" "$OUT/brimvale.log"; then fail "plug-ins were skipped: $(cat "$OUT/brimvale.log")"; fi
echo "plugin_sdk: passed"

# Shared by the install tests (sourced): failing, tools, and the texture check.

fail() { echo "$TEST_NAME: FAILED: $*"; exit 1; }

need_tools() {
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "$TEST_NAME: $tool is missing (run scripts/setup.sh)"; exit 77; }
  done
}

# Installs BUILD into PREFIX with stripped programs.
install_into() {
  cmake --install "$1" --prefix "$2" --strip >"$2.install.log" 2>&1 || fail "cmake --install failed: $(cat "$2.install.log")"
}

# Exports the bundled textured example with the brimvale-cli given, its JPEG
# material given an alpha plane: the export must read the JPEG, PNG and alpha
# pictures through the codec libraries and bake them into new PNGs. The model
# is copied first, so nothing points back into the sources.
check_bakes_textures() {
  cli=$1
  work=$2
  rm -rf "$work"
  mkdir -p "$work"
  cp "$SOURCE"/examples/texture_* "$work/"
  sed 's/tex("texture_jpg.jpg")/tex("texture_jpg.jpg") aplane("texture_alpha.png")/' \
    "$SOURCE/examples/textured_cubes.mqo" >"$work/textured.mqo"
  (cd "$work" && "$cli" export textured.mqo -o scene.pov >export.log 2>&1) ||
    fail "$cli could not export: $(cat "$work/export.log")"
  grep -q 'tex_jpg' "$work/scene_mat.inc" || fail "the export has no JPEG material"
  for baked in "$work/scene_pig2.png" "$work/scene_pig4.png"; do
    [ "$(head -c 4 "$baked" 2>/dev/null | tail -c 3)" = PNG ] ||
      fail "$cli baked no $(basename "$baked"): $(cat "$work/export.log"; ls "$work")"
  done
}

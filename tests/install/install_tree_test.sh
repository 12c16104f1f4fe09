#!/bin/sh
# Installs the build into a scratch prefix and checks it as a desktop would:
# every file where the freedesktop tools look, the validators clean, the MIME
# type known by name and by content, the thumbnailer's own Exec line drawing a
# picture, and the whole tree still working once moved away from where it was
# installed.
#   install_tree_test.sh BUILD SOURCE OUT
set -eu
BUILD=$1
SOURCE=$2
OUT=$3
TEST_NAME=install_tree
. "$(dirname "$0")/install_checks.sh"
need_tools desktop-file-validate appstreamcli update-mime-database xdg-mime gio identify convert

rm -rf "$OUT"
mkdir -p "$OUT"
PREFIX=$OUT/prefix
install_into "$BUILD" "$PREFIX"

APP=org.brimvale.Brimvale
for file in bin/brimvale bin/brimvale-cli lib/brimvale/libtessjpg.so lib/brimvale/libtesspng.so \
    lib/brimvale/Plugins/Create/create_shapes.so lib/brimvale/Plugins/Object/invert_faces.so \
    lib/brimvale/Plugins/Select/select_report.so share/applications/$APP.desktop \
    share/mime/packages/$APP.xml share/icons/hicolor/scalable/apps/$APP.svg \
    share/thumbnailers/brimvale.thumbnailer share/metainfo/$APP.metainfo.xml; do
  [ -f "$PREFIX/$file" ] || fail "$file is not installed"
done
if grep -rlF "$OUT" "$PREFIX"; then fail "the files above name the install prefix"; fi

DESKTOP=$PREFIX/share/applications/$APP.desktop
desktop-file-validate "$DESKTOP" || fail "desktop-file-validate"
grep -qx 'Exec=brimvale %f' "$DESKTOP" || fail "the desktop entry does not open files with %f"
appstreamcli validate --no-net "$PREFIX/share/metainfo/$APP.metainfo.xml" >"$OUT/appstream.log" 2>&1 ||
  fail "appstreamcli validate: $(cat "$OUT/appstream.log")"

# The file type, by name and by the first line, as a GNOME desktop sees it.
XDG_DATA_DIRS="$PREFIX/share:/usr/share" update-mime-database "$PREFIX/share/mime" || fail "update-mime-database"
mkdir -p "$OUT/models"
cp "$SOURCE/examples/half_body_joined.mqo" "$OUT/models/model.mqo"
cp "$SOURCE/examples/zipped_cage.mqoz" "$OUT/models/model.mqoz"
cp "$SOURCE/examples/half_body_joined.mqo" "$OUT/models/no_extension"
for pair in model.mqo:model/x-metasequoia model.mqoz:model/x-metasequoia-zip no_extension:model/x-metasequoia; do
  file=${pair%%:*}
  type=$(XDG_DATA_DIRS="$PREFIX/share:/usr/share" XDG_DATA_HOME="$OUT/data-home" XDG_CURRENT_DESKTOP=GNOME \
    xdg-mime query filetype "$OUT/models/$file")
  [ "$type" = "${pair#*:}" ] || fail "xdg-mime names $file '$type', not ${pair#*:}"
done

# Moved elsewhere, the programs still find their libraries.
mv "$PREFIX" "$OUT/moved"
PREFIX=$OUT/moved
check_bakes_textures "$PREFIX/bin/brimvale-cli" "$OUT/bake"

# The thumbnailer's own Exec line with %s, %i and %o filled in, run as a file
# manager runs it (the program found on PATH).
quote() { printf "'%s'" "$(printf '%s' "$1" | sed "s/'/'\\\\''/g")"; }
exec_line=$(sed -n 's/^Exec=//p' "$PREFIX/share/thumbnailers/brimvale.thumbnailer")
thumbnail() {
  line=$(printf '%s' "$exec_line" | sed -e "s|%s|$1|g" -e "s|%i|$(quote "$2")|g" -e "s|%o|$(quote "$3")|g")
  eval "PATH=\"\$PREFIX/bin:\$PATH\" $line"
}
thumbnail 128 "$OUT/models/model.mqo" "$OUT/thumbnail.png" || fail "the thumbnailer failed on a good model"
size=$(identify -format '%w %h' "$OUT/thumbnail.png")
for side in $size; do [ "$side" -le 128 ] && [ "$side" -ge 64 ] || fail "the thumbnail is $size, not within 128"; done
spread=$(convert "$OUT/thumbnail.png" -colorspace Gray -format '%[fx:standard_deviation]' info:)
awk "BEGIN { exit !($spread > 0.02) }" || fail "the thumbnail is blank (spread $spread)"

printf 'PK\003\004 not a zip archive' >"$OUT/models/broken.mqoz"
for bad in "$OUT/models/broken.mqoz" "$OUT/models/absent.mqo" "$SOURCE/README.md"; do
  if thumbnail 128 "$bad" "$OUT/bad.png" 2>>"$OUT/bad.log"; then fail "the thumbnailer accepted $bad"; fi
  [ ! -e "$OUT/bad.png" ] || fail "the thumbnailer left a file for $bad"
done
[ -z "$(find "$OUT" -maxdepth 1 -name '.brimvale-thumbnail-*')" ] || fail "the thumbnailer left a partial file"
echo "install_tree: passed"

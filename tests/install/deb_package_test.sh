#!/bin/sh
# The Debian package: cpack builds it from this build folder, its control data
# names the libraries the programs need, it holds the programs, the desktop
# files and the SDK, and unpacked anywhere its brimvale-cli bakes textures.
#   deb_package_test.sh BUILD SOURCE OUT
set -eu
BUILD=$1
SOURCE=$2
OUT=$3
TEST_NAME=deb_package
. "$(dirname "$0")/install_checks.sh"
need_tools cpack dpkg-deb dpkg-shlibdeps

rm -rf "$OUT"
mkdir -p "$OUT"
cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$OUT" >"$OUT/cpack.log" 2>&1 || fail "cpack: $(cat "$OUT/cpack.log")"
DEB=$(find "$OUT" -maxdepth 1 -name 'brimvale_*.deb' | head -1)
[ -n "$DEB" ] || fail "cpack made no brimvale_*.deb: $(ls "$OUT")"

depends=$(dpkg-deb -f "$DEB" Depends)
for library in libc6 libstdc++6 libqt6widgets6 libqt6openglwidgets6 libqt6svg6 libjpeg62-turbo libpng16-16 libzip4 libegl1 \
    libgl1-mesa-dri; do
  case ", $depends," in
    *", $library "* | *", $library,"*) ;;
    *) fail "Depends lacks $library: $depends" ;;
  esac
done
dpkg-deb -f "$DEB" Recommends | grep -q povray || fail "the package does not recommend povray"

dpkg-deb -c "$DEB" >"$OUT/contents.txt"
for file in usr/bin/brimvale usr/bin/brimvale-cli usr/lib/brimvale/libtessjpg.so usr/lib/brimvale/libtesspng.so \
    usr/lib/brimvale/Plugins/Create/create_shapes.so usr/share/applications/org.brimvale.Brimvale.desktop \
    usr/share/mime/packages/org.brimvale.Brimvale.xml usr/share/thumbnailers/brimvale.thumbnailer \
    usr/share/metainfo/org.brimvale.Brimvale.metainfo.xml usr/share/icons/hicolor/scalable/apps/org.brimvale.Brimvale.svg \
    usr/include/brimvale/mq_plugin.h usr/share/pkgconfig/brimvale-plugin.pc \
    usr/share/cmake/BrimvalePlugin/BrimvalePluginConfig.cmake usr/share/doc/brimvale/plugins.md; do
  grep -q " \./$file\$" "$OUT/contents.txt" || fail "the package lacks /$file"
done

dpkg-deb -x "$DEB" "$OUT/unpacked"
check_bakes_textures "$OUT/unpacked/usr/bin/brimvale-cli" "$OUT/bake"
echo "deb_package: passed"

#!/bin/sh
# The Debian package: cpack builds it from this build folder, its control data
# names the libraries the programs need, it holds the programs, the desktop
# files, the SDK, manual pages and completion, lintian finds nothing wrong with
# it, and unpacked anywhere its brimvale-cli bakes textures.
#   deb_package_test.sh BUILD SOURCE OUT
set -eu
BUILD=$1
SOURCE=$2
OUT=$3
TEST_NAME=deb_package
. "$(dirname "$0")/install_checks.sh"
need_tools cpack dpkg-deb dpkg-shlibdeps lintian

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
    usr/share/cmake/BrimvalePlugin/BrimvalePluginConfig.cmake usr/share/doc/brimvale/plugins.md \
    usr/share/doc/brimvale/copyright usr/share/doc/brimvale/changelog.gz usr/share/man/man1/brimvale.1.gz \
    usr/share/man/man1/brimvale-cli.1.gz usr/share/bash-completion/completions/brimvale-cli; do
  grep -q " \./$file\$" "$OUT/contents.txt" || fail "the package lacks /$file"
done

# The version is the build's, the one --version prints.
version=$(dpkg-deb -f "$DEB" Version)
[ "$("$BUILD/bin/brimvale-cli" --version)" = "brimvale-cli (Brimvale) $version" ] ||
  fail "the package's version $version is not the program's: $("$BUILD/bin/brimvale-cli" --version)"

# Any error or warning, and any tag lintian cannot even classify, fails.
lintian --fail-on error,warning "$DEB" >"$OUT/lintian.log" 2>&1 || fail "lintian: $(cat "$OUT/lintian.log")"
if grep -q '^[EW]:' "$OUT/lintian.log"; then fail "lintian: $(cat "$OUT/lintian.log")"; fi

dpkg-deb -x "$DEB" "$OUT/unpacked"
check_bakes_textures "$OUT/unpacked/usr/bin/brimvale-cli" "$OUT/bake"
echo "deb_package: passed"

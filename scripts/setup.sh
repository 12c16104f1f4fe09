#!/bin/sh
# Installs every Debian package Brimvale needs to build, test, fuzz and render.
# Safe to run again: apt-get skips what is already installed.
set -eu

PACKAGES="
  cmake ninja-build g++ pkg-config git
  clang libclang-rt-14-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libpng-dev libjpeg62-turbo-dev libzip-dev nlohmann-json3-dev
  libx11-dev libgl-dev libglu1-mesa-dev libegl-dev libegl-mesa0 libgl1-mesa-dri libosmesa6-dev
  qt6-base-dev libqt6opengl6-dev qt6-svg-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  fonts-ipafont-gothic
  povray
  xvfb xauth xdotool x11-apps imagemagick openbox
  python3
  desktop-file-utils appstream xdg-utils shared-mime-info libglib2.0-bin dpkg-dev lintian help2man
"

if [ "$(id -u)" -eq 0 ]; then
  SUDO=""
else
  SUDO="sudo"
fi

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

if [ -n "$missing" ]; then
  echo "setup: installing:$missing"
  $SUDO apt-get update -qq
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
else
  echo "setup: all packages present"
fi

# The Khronos glTF validator for the glTF export tests, in a git-ignored folder
# the tests look in; without node and npm those tests skip. Debian's node is
# installed only where no node is present (a newer one may come from elsewhere).
if ! command -v npm >/dev/null 2>&1 && ! command -v node >/dev/null 2>&1; then
  { $SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends nodejs npm; } ||
    echo "setup: nodejs and npm could not be installed"
fi
if command -v npm >/dev/null 2>&1; then
  tools="$(cd "$(dirname "$0")/.." && pwd)/.tools/gltf-validator"
  if [ ! -f "$tools/node_modules/gltf-validator/package.json" ]; then
    echo "setup: installing gltf-validator into $tools"
    mkdir -p "$tools"
    npm install --prefix "$tools" --no-audit --no-fund --loglevel=error gltf-validator@2.0.0-dev.3.10 ||
      echo "setup: gltf-validator could not be installed; the glTF validation tests will skip"
  fi
else
  echo "setup: npm not found; the glTF validation tests will skip"
fi

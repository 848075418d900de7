#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# Quick when everything is already there: apt runs only for missing packages.
set -euo pipefail
PKGS=(
  cmake ninja-build g++ pkg-config libgtest-dev
  qt6-base-dev qt6-multimedia-dev qt6-image-formats-plugins qt6-translations-l10n
  libmagick++-6.q16-dev libturbojpeg0-dev libjpeg62-turbo-dev libtiff-dev libpng-dev libjpeg-turbo-progs
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad
  gstreamer1.0-plugins-ugly gstreamer1.0-libav gstreamer1.0-tools timgm6mb-soundfont
  fonts-ipafont-gothic fonts-ipafont-mincho
  libcdio-dev libcdio-paranoia-dev
  xvfb xauth imagemagick xdotool openbox x11-utils
  clang-14 libclang-rt-14-dev clang-format-14
)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"

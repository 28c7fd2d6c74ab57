#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# Only missing packages are installed; runs apt-get through sudo when not root.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang libclang-rt-14-dev clang-format
  libsdl2-dev libepoxy-dev libgl-dev libbullet-dev
  libboost-dev libboost-filesystem-dev
  libimgui-dev libpng-dev libjpeg-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth libgl1-mesa-dri xdotool imagemagick x11-apps x11-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"

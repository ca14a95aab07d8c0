#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need, when any is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git
  libsdl2-dev libepoxy-dev libopenal-dev libasound2-dev libstb-dev libvorbis-dev libpng-dev libjpeg-dev
  libcairo2-dev libfreetype-dev libfontconfig-dev
  fonts-3270 fonts-oxygen fonts-dseg fonts-dejavu-core fonts-urw-base35
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth sox xdg-user-dirs poppler-utils xdotool desktop-file-utils
  weston xwayland pulseaudio pulseaudio-utils x11-utils libdecor-0-plugin-1-cairo
  clang libclang-rt-14-dev clang-format ninja-build
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Run as root (or install them with: sudo apt-get install ${missing[*]})" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

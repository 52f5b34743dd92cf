#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when
# any is missing. Runs as root, or through sudo when it is at hand.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config git
  libgl-dev libglu1-mesa-dev libgl1-mesa-dri
  libjpeg62-turbo-dev libsdl2-dev libx11-dev libxrandr-dev libxtst-dev libgtk-3-dev
  libgtest-dev libbenchmark-dev
  libfreetype-dev fonts-dejavu-core
  xvfb xauth xdotool x11-xserver-utils x11-apps x11-utils imagemagick
  xdg-utils
)

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"

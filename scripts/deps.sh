#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when
# any is missing. Runs as root, or through sudo when it is at hand.
#   scripts/deps.sh            the Linux build and its tests
#   scripts/deps.sh --windows  also the MinGW-w64 cross build and Wine
#   scripts/deps.sh --fuzz     also clang and its libFuzzer and sanitizer runtimes
#   scripts/deps.sh --profile  also perf, for bench/run-profile.sh
#   scripts/deps.sh --package  also debhelper and lintian, for scripts/package.sh
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config git
  libgl-dev libglu1-mesa-dev libgl1-mesa-dri
  libjpeg62-turbo-dev libsdl2-dev libx11-dev libxrandr-dev libxtst-dev libxss-dev libgtk-3-dev
  libgtest-dev libbenchmark-dev
  libfreetype-dev libpng-dev fonts-dejavu-core
  xvfb xauth xdotool x11-xserver-utils x11-apps x11-utils imagemagick
  xfonts-base xscreensaver libxml2-utils python3 sox dbus-daemon dbus-bin xdg-utils
  # The real hosts' tests: MATE's screen saver and its menu library, a user's
  # sound server, and gdb to read a running show's settings.
  mate-screensaver gir1.2-matemenu-2.0 python3-gi python3-numpy pulseaudio pulseaudio-utils gdb
)
if [ "${1:-}" = "--windows" ]; then
  # Wine only recommends the X libraries it needs under Xvfb. Xorg's dummy
  # driver gives Wine two monitors; nsis builds the setup program.
  PACKAGES+=(
    g++-mingw-w64-x86-64-posix googletest dpkg-dev fp-utils
    wine64 wine fonts-wine
    libxrandr2 libxcursor1 libxi6 libxinerama1 libxcomposite1 libxrender1 libxxf86vm1
    xserver-xorg-core xserver-xorg-video-dummy nsis
  )
fi
if [ "${1:-}" = "--fuzz" ]; then
  PACKAGES+=(clang libclang-rt-14-dev)
fi
if [ "${1:-}" = "--profile" ]; then
  PACKAGES+=(linux-perf)
fi
if [ "${1:-}" = "--package" ]; then
  # debian/control's Build-Depends beyond the build's own list above.
  PACKAGES+=(debhelper lintian libjpeg-dev libxext-dev pkgconf dpkg-dev)
fi

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

#!/usr/bin/env bash
# Cross-builds Coralux.scr, the native Windows screen saver, into build-windows/
# (extra arguments go to CMake's configure step). libjpeg-turbo comes from
# Debian's own source package and GoogleTest from Debian's googletest package;
# both are built once for MinGW-w64 into build-windows/deps and kept there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --windows

ROOT=$PWD
BUILD=$ROOT/build-windows
DEPS=$BUILD/deps
PREFIX=$DEPS/prefix
TOOLCHAIN=$ROOT/cmake/mingw-w64.cmake
JOBS=${JOBS:-2}
mkdir -p "$DEPS"

# Fetches a source package through private apt lists, so the machine's own
# apt setup stays as it is, and checks its files against the .dsc.
fetch_source() {
  local package=$1 apt=$DEPS/apt
  mkdir -p "$apt/sources/lists/partial" "$apt/parts"
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$apt/parts/debian.sources"
  local options=(-o Dir::Etc::sourcelist=/dev/null -o "Dir::Etc::sourceparts=$apt/parts"
    -o "Dir::State::Lists=$apt/sources/lists" -o Dir::Cache::archives="$apt/archives" -o APT::Sandbox::User=root)
  apt-get "${options[@]}" update -qq
  (cd "$DEPS" && apt-get "${options[@]}" source --download-only -qq "$package")
  local dsc
  dsc=$(ls "$DEPS"/"$package"_*.dsc | head -n 1)
  # Every file the .dsc names must have the SHA-256 it gives.
  awk '/^Checksums-Sha256:/ {on = 1; next} /^[^ ]/ {on = 0} on && NF == 3 {print $1 "  " $3}' "$dsc" \
    >"$DEPS/$package.sha256"
  [ -s "$DEPS/$package.sha256" ] || { echo "no checksums in $dsc" >&2; exit 1; }
  (cd "$DEPS" && sha256sum --quiet -c "$package.sha256")
  rm -rf "$DEPS/$package-src"
  dpkg-source --no-check -x "$dsc" "$DEPS/$package-src" >/dev/null
}

build_libjpeg() {
  [ -f "$DEPS/libjpeg.done" ] && return 0
  echo "Cross-building libjpeg-turbo from Debian's source package"
  fetch_source libjpeg-turbo
  cmake -S "$DEPS/libjpeg-turbo-src" -B "$DEPS/libjpeg-build" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" -DENABLE_SHARED=OFF -DWITH_SIMD=OFF \
    -DWITH_TURBOJPEG=OFF >/dev/null
  cmake --build "$DEPS/libjpeg-build" -j"$JOBS" --target install >/dev/null
  touch "$DEPS/libjpeg.done"
}

build_googletest() {
  [ -f "$DEPS/googletest.done" ] && return 0
  echo "Cross-building GoogleTest from /usr/src/googletest"
  cmake -S /usr/src/googletest -B "$DEPS/googletest-build" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=OFF \
    >/dev/null
  cmake --build "$DEPS/googletest-build" -j"$JOBS" --target install >/dev/null
  touch "$DEPS/googletest.done"
}

build_libjpeg
build_googletest
cmake -S . -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$PREFIX" -DCORALUX_BENCH=OFF "$@" >/dev/null
cmake --build "$BUILD" -j"$JOBS" ${CORALUX_TARGETS:+--target $CORALUX_TARGETS}
echo "Built $BUILD/Coralux.scr"

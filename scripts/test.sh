#!/usr/bin/env bash
# Installs what is missing, builds and runs every test under a virtual X server.
#   scripts/test.sh             the normal suite in build/
#   scripts/test.sh --sanitize  the same suite built with ASan and UBSan in build-sanitize/
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

BUILD=build
CONFIG=()
if [ "${1:-}" = "--sanitize" ]; then
  BUILD=build-sanitize
  CONFIG=(-DCORALUX_SANITIZE=ON -DCORALUX_BENCH=OFF)
fi
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${CONFIG[@]}" >/dev/null
cmake --build "$BUILD" -j"$(nproc)"

# The X server keeps large frames resident instead of faulting on each one.
export MALLOC_MMAP_THRESHOLD_=33554432 MALLOC_TRIM_THRESHOLD_=1073741824
export ASAN_OPTIONS=detect_leaks=0
# -noreset: an X server resets when its last client leaves, and a test that
# connects during the reset finds no display.
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --test-dir "$BUILD" --output-on-failure -j"$(nproc)"

#!/usr/bin/env bash
# Installs what is missing, builds and runs every test under a virtual X server.
#   scripts/test.sh             the normal suite in build/
#   scripts/test.sh --sanitize  the same suite built with AddressSanitizer,
#                               UndefinedBehaviorSanitizer and LeakSanitizer
#                               in build-sanitize/
#   scripts/test.sh --thread    the sound tests, whose audio thread runs beside the
#                               program's, built with ThreadSanitizer in build-tsan/
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

BUILD=build
CONFIG=()
case "${1:-}" in
--sanitize)
  BUILD=build-sanitize
  CONFIG=(-DCORALUX_SANITIZE=ON -DCORALUX_BENCH=OFF)
  ;;
--thread)
  BUILD=build-tsan
  CONFIG=(-DCORALUX_TSAN=ON -DCORALUX_BENCH=OFF)
  ;;
esac
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${CONFIG[@]}" >/dev/null

# The X server keeps large frames resident instead of faulting on each one.
export MALLOC_MMAP_THRESHOLD_=33554432 MALLOC_TRIM_THRESHOLD_=1073741824
# Leaks inside the libraries we call are suppressed by name, each with its
# reason, in tests/lsan.supp; none of our own code is.
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
# GTK's accessibility bridge drops two strings when it finds no accessibility
# bus, as under Xvfb; its allocations pass through glib without frame
# pointers, so no suppression can name them. The tests run without it.
export NO_AT_BRIDGE=1
export UBSAN_OPTIONS=print_stacktrace=1
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1"
# -noreset: an X server resets when its last client leaves, and a test that
# connects during the reset finds no display.
XVFB=(xvfb-run -a -s "-screen 0 1280x1024x24 -noreset")

if [ "${1:-}" = "--thread" ]; then
  cmake --build "$BUILD" -j"$(nproc)" --target test_sound
  "${XVFB[@]}" "$BUILD/tests/test_sound"
  exit
fi
cmake --build "$BUILD" -j"$(nproc)"
"${XVFB[@]}" ctest --test-dir "$BUILD" --output-on-failure -j"$(nproc)"

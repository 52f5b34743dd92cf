#!/usr/bin/env bash
# Peak resident memory of the full-screen show (`coralux /s`, default
# settings, sound through SDL's disk driver into /dev/null) and of the floor
# program after SECONDS of running, at 1280x720 and 1920x1080 (or the sizes
# SIZES lists), each size in a virtual X server of its own. Reads VmHWM and
# VmRSS from /proc just before the program is told to end; most of it is the
# GL driver's and LLVM's code, which the floor program shows too. Given a
# second build (another checkout's build directory), its show runs too.
#   bench/run-memory.sh [build-dir] [seconds] [baseline-build-dir]
set -euo pipefail
BUILD=$(realpath "${1:-build}")
SECONDS_TO_RUN=${2:-30}
BASELINE=$(if [ -n "${3:-}" ]; then realpath "$3"; fi)
SIZES=${SIZES:-1280x720 1920x1080}
CONFIG=$(mktemp -d)
trap 'rm -rf "$CONFIG"' EXIT
export MALLOC_MMAP_THRESHOLD_=33554432 MALLOC_TRIM_THRESHOLD_=1073741824
export XDG_CONFIG_HOME=$CONFIG SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null

for size in $SIZES; do
  SIZE=$size BUILD=$BUILD BASELINE=$BASELINE SECONDS_TO_RUN=$SECONDS_TO_RUN xvfb-run -a -s "-screen 0 ${size}x24" bash -c '
    report() {
      local name=$1 pid=$2
      sleep "$SECONDS_TO_RUN"
      peak=$(awk "/^VmHWM/ { print \$2 }" /proc/$pid/status)
      now=$(awk "/^VmRSS/ { print \$2 }" /proc/$pid/status)
      kill -TERM "$pid"
      wait "$pid" || true
      awk -v s="$SIZE" -v w="$name" -v p="$peak" -v n="$now" -v t="$SECONDS_TO_RUN" "BEGIN {
        printf \"%s %s: peak resident memory %.1f MB, resident %.1f MB after %d s\n\", w, s, p / 1024, n / 1024, t }"
    }
    "$BUILD/coralux" /s 2>/dev/null &
    report show $!
    "$BUILD/bench/bench_FloorBench" "$SIZE" 1 $((SECONDS_TO_RUN + 60)) >/dev/null &
    report floor $!
    if [ -n "$BASELINE" ]; then
      "$BASELINE/coralux" /s 2>/dev/null &
      report baseline $!
    fi
  '
done

#!/usr/bin/env bash
# Start-up time, from launch to the first frame swapped, of the full-screen
# show (`coralux /s`, default settings, sound as the machine has it) and
# of the floor program, taking turns in one virtual X server; prints the
# medians and their ratio. bench_first_swap, preloaded into both, reads the
# clock at the first swap and ends the process there. Given a second build
# (another checkout's build directory), its show takes its turn too and the
# two shows are compared.
#   bench/run-startup.sh [build-dir] [runs] [WIDTHxHEIGHT] [baseline-build-dir]
set -euo pipefail
BUILD=$(realpath "${1:-build}")
RUNS=${2:-9}
SIZE=${3:-1280x720}
BASELINE=$(if [ -n "${4:-}" ]; then realpath "$4"; fi)
LOG=$(mktemp)
CONFIG=$(mktemp -d)
trap 'rm -rf "$LOG" "$CONFIG"' EXIT
export MALLOC_MMAP_THRESHOLD_=33554432 MALLOC_TRIM_THRESHOLD_=1073741824
export XDG_CONFIG_HOME=$CONFIG

xvfb-run -a -s "-screen 0 ${SIZE}x24" bash -c '
  probe=$1/bench/libbench_first_swap.so
  launch() {
    local name=$1
    shift
    echo "$name $(CORALUX_LAUNCH_US=${EPOCHREALTIME/./} LD_PRELOAD=$probe "$@" 2>&1 | grep -o "[0-9.]* ms after" | grep -o "^[0-9.]*")"
  }
  # One run of each first, unmeasured, so that neither pays for a cold disk cache.
  launch warm "$1/coralux" /s >/dev/null
  launch warm "$1/bench/bench_FloorBench" "$3" 1 1 >/dev/null
  if [ -n "$4" ]; then launch warm "$4/coralux" /s >/dev/null; fi
  for _ in $(seq "$2"); do
    launch show "$1/coralux" /s
    launch floor "$1/bench/bench_FloorBench" "$3" 1 1
    if [ -n "$4" ]; then launch baseline "$4/coralux" /s; fi
  done
' _ "$BUILD" "$RUNS" "$SIZE" "$BASELINE" | tee "$LOG"

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
show=$(awk '$1 == "show" { print $2 }' "$LOG" | median)
floor=$(awk '$1 == "floor" { print $2 }' "$LOG" | median)
awk -v s="$show" -v f="$floor" -v n="$RUNS" 'BEGIN {
  printf "start-up to the first swap, medians of %d runs: show %.1f ms, floor %.1f ms, ratio %.2f\n", n, s, f, s / f }'
if [ -n "$BASELINE" ]; then
  old=$(awk '$1 == "baseline" { print $2 }' "$LOG" | median)
  awk -v s="$show" -v o="$old" 'BEGIN { printf "baseline show %.1f ms: this show takes %.3f of its time\n", o, s / o }'
fi

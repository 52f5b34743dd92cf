#!/usr/bin/env bash
# Frame rates of the scene (without fish, or with FISH of each kind: 5 is the
# default scene) against the floor at 1280x720 and 1920x1080 (or the sizes
# SIZES lists), each size in a virtual X server of its own. The programs take turns, one timed run each,
# so all see the same machine load; the medians of the runs are printed at
# the end. Given a second build (another checkout's build directory), its
# scene takes its turn too and the two scenes' frame times are compared.
#   bench/run-scene.sh [build-dir] [runs] [seconds-per-run] [fish] [baseline-build-dir]
set -euo pipefail
BUILD=${1:-build}
RUNS=${2:-5}
SECONDS_PER_RUN=${3:-4}
FISH=${4:-0}
BASELINE=${5:-}
SIZES=${SIZES:-1280x720 1920x1080}
LOG=$(mktemp)
trap 'rm -f "$LOG"' EXIT
# The X server keeps large frames resident instead of faulting on each one.
export MALLOC_MMAP_THRESHOLD_=33554432 MALLOC_TRIM_THRESHOLD_=1073741824

for size in $SIZES; do
  xvfb-run -a -s "-screen 0 ${size}x24" bash -c '
    for _ in $(seq "$3"); do
      "$1/bench/bench_FloorBench" "$2" 1 "$4"
      "$1/bench/bench_SceneBench" "$2" 1 "$4" "$5"
      if [ -n "$6" ]; then
        "$6/bench/bench_SceneBench" "$2" 1 "$4" "$5" | sed "s/^scene/baseline/"
      fi
    done
  ' _ "$BUILD" "$size" "$RUNS" "$SECONDS_PER_RUN" "$FISH" "$BASELINE" | tee -a "$LOG"
done

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
echo
for size in $SIZES; do
  floor=$(grep "^floor $size:" "$LOG" | awk '{ print $3 }' | median)
  scene=$(grep "^scene $size:" "$LOG" | awk '{ print $3 }' | median)
  floorMs=$(grep "^floor $size:" "$LOG" | awk '{ print $5 }' | median)
  sceneMs=$(grep "^scene $size:" "$LOG" | awk '{ print $5 }' | median)
  awk -v s="$size" -v f="$floor" -v c="$scene" -v fm="$floorMs" -v cm="$sceneMs" 'BEGIN {
    printf "%s: floor %.1f fps, scene %.1f fps, ratio %.2f; frame work floor %.3f ms, scene %.3f ms\n",
           s, f, c, c / f, fm, cm }'
  if [ -n "$BASELINE" ]; then
    processor() { grep "^$1 $size:" "$LOG" | grep -o "[0-9.]* ms of processor time" | awk '{ print $1 }' | median; }
    old=$(grep "^baseline $size:" "$LOG" | awk '{ print $3 }' | median)
    awk -v s="$size" -v o="$old" -v c="$scene" -v op="$(processor baseline)" -v cp="$(processor scene)" 'BEGIN {
      printf "%s: baseline scene %.1f fps, this scene %.1f fps: frame time %.3f of the baseline'"'"'s;", s, o, c, o / c
      printf " processor time per frame (all threads) %.2f against %.2f ms: %.3f\n", cp, op, cp / op }'
  fi
done

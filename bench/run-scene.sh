#!/usr/bin/env bash
# Frame rates of the scene (without fish, or with FISH of each kind: 5 is the
# default scene) against the floor at 1280x720 and 1920x1080, each size in a
# virtual X server of its own. The two programs take turns, one timed run
# each, so both see the same machine load; the medians of the runs are
# printed at the end.
#   bench/run-scene.sh [build-dir] [runs] [seconds-per-run] [fish]
set -euo pipefail
BUILD=${1:-build}
RUNS=${2:-5}
SECONDS_PER_RUN=${3:-4}
FISH=${4:-0}
LOG=$(mktemp)
trap 'rm -f "$LOG"' EXIT
# The X server keeps large frames resident instead of faulting on each one.
export MALLOC_MMAP_THRESHOLD_=33554432 MALLOC_TRIM_THRESHOLD_=1073741824

for size in 1280x720 1920x1080; do
  xvfb-run -a -s "-screen 0 ${size}x24" bash -c '
    for _ in $(seq "$3"); do
      "$1/bench/bench_FloorBench" "$2" 1 "$4"
      "$1/bench/bench_SceneBench" "$2" 1 "$4" "$5"
    done
  ' _ "$BUILD" "$size" "$RUNS" "$SECONDS_PER_RUN" "$FISH" | tee -a "$LOG"
done

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
echo
for size in 1280x720 1920x1080; do
  floor=$(grep "^floor $size:" "$LOG" | awk '{ print $3 }' | median)
  scene=$(grep "^scene $size:" "$LOG" | awk '{ print $3 }' | median)
  floorMs=$(grep "^floor $size:" "$LOG" | awk '{ print $5 }' | median)
  sceneMs=$(grep "^scene $size:" "$LOG" | awk '{ print $5 }' | median)
  awk -v s="$size" -v f="$floor" -v c="$scene" -v fm="$floorMs" -v cm="$sceneMs" 'BEGIN {
    printf "%s: floor %.1f fps, scene %.1f fps, ratio %.2f; frame work floor %.3f ms, scene %.3f ms\n",
           s, f, c, c / f, fm, cm }'
done

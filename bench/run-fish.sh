#!/usr/bin/env bash
# Frame rates of the scene with 0, 5 and 10 fish of each kind at 1280x720 in
# one virtual X server, taking turns one timed run each so all three see the
# same machine load, then the time to load the four fish models. The medians
# of the runs are printed at the end.
#   bench/run-fish.sh [build-dir] [runs] [seconds-per-run]
set -euo pipefail
BUILD=${1:-build}
RUNS=${2:-5}
SECONDS_PER_RUN=${3:-4}
SIZE=1280x720
LOG=$(mktemp)
trap 'rm -f "$LOG"' EXIT
# The X server keeps large frames resident instead of faulting on each one.
export MALLOC_MMAP_THRESHOLD_=33554432 MALLOC_TRIM_THRESHOLD_=1073741824

xvfb-run -a -s "-screen 0 ${SIZE}x24" bash -c '
  for _ in $(seq "$3"); do
    for fish in 0 5 10; do
      "$1/bench/bench_SceneBench" "$2" 1 "$4" "$fish"
    done
  done
  "$1/bench/bench_FishModelBench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
' _ "$BUILD" "$SIZE" "$RUNS" "$SECONDS_PER_RUN" | tee -a "$LOG"

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
echo
for fish in 0 5 10; do
  rate=$(grep "^scene $SIZE:.*, $fish fish of each kind" "$LOG" | awk '{ print $3 }' | median)
  work=$(grep "^scene $SIZE:.*, $fish fish of each kind" "$LOG" | awk '{ print $5 }' | median)
  printf "%s, %2d fish of each kind: %.1f fps, frame work %.3f ms\n" "$SIZE" "$fish" "$rate" "$work"
done

#!/usr/bin/env bash
# Frame rates of the scene at 1280x720 in one virtual X server: without fish,
# with 5 and 10 fish of each kind (5 is the default scene), and with twenty
# fish all of one kind, for each kind; the runs take turns so that all see the
# same machine load. Then the time to load the four fish models. The medians
# of the runs are printed at the end.
#   bench/run-fish.sh [build-dir] [runs] [seconds-per-run] [WIDTHxHEIGHT]
set -euo pipefail
BUILD=${1:-build}
RUNS=${2:-5}
SECONDS_PER_RUN=${3:-4}
SIZE=${4:-1280x720}
LOG=$(mktemp)
trap 'rm -f "$LOG"' EXIT
# The X server keeps large frames resident instead of faulting on each one.
export MALLOC_MMAP_THRESHOLD_=33554432 MALLOC_TRIM_THRESHOLD_=1073741824
SCENES=("0" "5" "10" "5 yellow" "5 blue" "5 pearl" "5 tiny")

xvfb-run -a -s "-screen 0 ${SIZE}x24" bash -c '
  build=$1 size=$2 runs=$3 seconds=$4
  shift 4
  for _ in $(seq "$runs"); do
    for scene in "$@"; do
      # shellcheck disable=SC2086
      "$build/bench/bench_SceneBench" "$size" 1 "$seconds" $scene
    done
  done
  "$build/bench/bench_FishModelBench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
' _ "$BUILD" "$SIZE" "$RUNS" "$SECONDS_PER_RUN" "${SCENES[@]}" | tee -a "$LOG"

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
echo
for fish in $(grep -o "yellow/blue/pearl/tiny [0-9/]*" "$LOG" | awk '{ print $2 }' | awk '!seen[$0]++'); do
  rate=$(grep "^scene $SIZE:.* $fish\$" "$LOG" | awk '{ print $3 }' | median)
  work=$(grep "^scene $SIZE:.* $fish\$" "$LOG" | awk '{ print $5 }' | median)
  printf "%s, fish yellow/blue/pearl/tiny %-11s %6.1f fps, %6.3f ms a frame, frame work %.3f ms\n" \
    "$SIZE" "$fish:" "$rate" "$(awk -v r="$rate" 'BEGIN { print 1000 / r }')" "$work"
done

#!/usr/bin/env bash
# Where the default scene's processor time goes: one run of bench_SceneBench
# under `perf record` (the software clock, every thread), then the time per
# frame of the GL driver's rasteriser threads and of our frame thread, the
# latter split by library; the program's own code is bench_SceneBench there.
# Given "floor" instead of a fish count, the floor program is profiled.
#   bench/run-profile.sh [build-dir] [WIDTHxHEIGHT] [seconds] [fish of each kind | floor]
set -euo pipefail
"$(dirname "$0")/../scripts/deps.sh" --profile
BUILD=${1:-build}
SIZE=${2:-1280x720}
SECONDS_TO_RUN=${3:-6}
FISH=${4:-5}
FREQUENCY=2000
DATA=$(mktemp)
LOG=$(mktemp)
trap 'rm -f "$DATA" "$LOG"' EXIT
export MALLOC_MMAP_THRESHOLD_=33554432 MALLOC_TRIM_THRESHOLD_=1073741824

PROGRAM=("$BUILD/bench/bench_SceneBench" "$SIZE" 1 "$SECONDS_TO_RUN" "$FISH")
[ "$FISH" = floor ] && PROGRAM=("$BUILD/bench/bench_FloorBench" "$SIZE" 1 "$SECONDS_TO_RUN")

xvfb-run -a -s "-screen 0 ${SIZE}x24" perf record -q -e cpu-clock -F "$FREQUENCY" -o "$DATA" "${PROGRAM[@]}" \
  2>/dev/null | tee "$LOG"
perf report -q -n -i "$DATA" --no-children --sort comm,dso -g none 2>/dev/null |
  python3 -c '
import re, sys
rate = float(re.search(r"([0-9.]+) fps", open(sys.argv[1]).read()).group(1))
frames = rate * float(sys.argv[2])
ms_per_sample = 1000.0 / float(sys.argv[3])
raster, frame_thread = 0, {}
for line in sys.stdin:
    fields = line.split()
    if len(fields) < 4:
        continue
    samples, comm, dso = int(fields[1]), fields[2], " ".join(fields[3:])
    if comm.startswith("llvmpipe"):
        raster += samples
    else:
        frame_thread[dso] = frame_thread.get(dso, 0) + samples
per_frame = lambda n: n * ms_per_sample / frames
print(f"{frames:.0f} frames; processor time per frame:")
print(f"  rasteriser threads {per_frame(raster):7.3f} ms")
print(f"  frame thread       {per_frame(sum(frame_thread.values())):7.3f} ms, of which")
for dso, n in sorted(frame_thread.items(), key=lambda item: -item[1]):
    if per_frame(n) >= 0.005:
        print(f"    {dso:26} {per_frame(n):7.3f} ms")
' "$LOG" "$SECONDS_TO_RUN" "$FREQUENCY"

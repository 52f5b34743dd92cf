#!/usr/bin/env bash
# The soak: the default scene with its sound, in a 320x240 window under a
# virtual X server, first for two hours of scene time from the start, then for
# ten minutes from where a show of ninety days would be. Sound goes through
# SDL's disk driver into /dev/null, paced in real time, so the mixer runs as
# with a sound card. Exits non-zero when a check of either run failed.
#   bench/run-soak.sh [build-dir] [minutes] [late-minutes] [late-days]
set -euo pipefail
BUILD=${1:-build}
MINUTES=${2:-120}
LATE_MINUTES=${3:-10}
LATE_DAYS=${4:-90}
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null

status=0
xvfb-run -a -s "-screen 0 320x240x24" "$BUILD/bench/bench_SoakBench" "$MINUTES" 0 320x240 || status=1
xvfb-run -a -s "-screen 0 320x240x24" "$BUILD/bench/bench_SoakBench" "$LATE_MINUTES" "$LATE_DAYS" 320x240 || status=1
exit $status

#!/usr/bin/env bash
# Installs what is missing, builds and starts the full-screen show. Without a
# display it runs the show under a virtual X server for a few seconds and saves
# a screenshot of the screen.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec build/coralux /s
fi

SHOT=${SCREENSHOT:-$PWD/build/screenshot.png}
SECONDS_TO_RUN=${SECONDS_TO_RUN:-6}
export MALLOC_MMAP_THRESHOLD_=33554432 MALLOC_TRIM_THRESHOLD_=1073741824
xvfb-run -a -s "-screen 0 1280x720x24" bash -c '
  build/coralux /s &
  pid=$!
  sleep "$1"
  xwd -root -silent | convert xwd:- "$2"
  kill -TERM "$pid"
  wait "$pid"
' _ "$SECONDS_TO_RUN" "$SHOT"
echo "Screenshot of the running show: $SHOT"

#!/usr/bin/env bash
# Takes the show's screenshots in docs/, each in a virtual X server of the
# window's size: the show with default settings (sound off) at 1920x1080,
# 3840x2160, 2560x1080 and 1080x1920 as docs/show-WIDTHxHEIGHT.jpg, and one
# coral up close at 1920x1080 and 3840x2160, without fish or ripples, as
# docs/coral-WIDTHxHEIGHT.png: the baseline build's (another checkout's, such
# as main's) on the left when one is given, this build's on the right.
#   scripts/screenshots.sh [build-dir] [baseline-build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=$(realpath "${1:-build}")
BASELINE=$(if [ -n "${2:-}" ]; then realpath "$2"; fi)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export XDG_CONFIG_HOME=$WORK/config MALLOC_MMAP_THRESHOLD_=33554432 MALLOC_TRIM_THRESHOLD_=1073741824

# shot BUILD SIZE SECONDS OUT [option...]: the screen after that long.
shot() {
  local build=$1 size=$2 seconds=$3 out=$4
  shift 4
  xvfb-run -a -s "-screen 0 ${size}x24" bash -c '
    "$1/coralux" /s --sounds=0 "${@:4}" 2>/dev/null &
    pid=$!
    sleep "$2"
    xwd -root -silent | convert xwd:- "$3"
    kill -TERM "$pid"
    wait "$pid" || true
  ' _ "$build" "$seconds" "$out" "$@"
}

# Frames come slowly at 4K without a GPU, and each moves the scene 0.1 s at
# most: the bubbles need longer to rise there.
for size in 1920x1080 3840x2160 2560x1080 1080x1920; do
  seconds=12
  [ "$size" = 3840x2160 ] && seconds=60
  shot "$BUILD" "$size" "$seconds" "$WORK/show.png"
  convert "$WORK/show.png" -quality 90 "docs/show-$size.jpg"
done

# The orange coral left of the big rock, from its foot to its tips.
NO_FISH=(--yellow-fish=0 --blue-fish=0 --pearl-fish=0 --tiny-fish=0 --ripples=0)
for size in 1920x1080 3840x2160; do
  width=${size%x*} height=${size#*x}
  crop="$((width * 12 / 100))x$((height * 24 / 100))+$((width * 585 / 1000))+$((height * 67 / 100))"
  shot "$BUILD" "$size" 3 "$WORK/new.png" "${NO_FISH[@]}"
  convert "$WORK/new.png" -crop "$crop" +repage "$WORK/new-crop.png"
  if [ -n "$BASELINE" ]; then
    shot "$BASELINE" "$size" 3 "$WORK/old.png" "${NO_FISH[@]}"
    convert "$WORK/old.png" -crop "$crop" +repage "$WORK/old-crop.png"
    convert "$WORK/old-crop.png" "$WORK/new-crop.png" -background '#20242a' -splice 8x0 +append -chop 8x0 \
      -define png:exclude-chunk=date,time "docs/coral-$size.png"
  else
    convert "$WORK/new-crop.png" -define png:exclude-chunk=date,time "docs/coral-$size.png"
  fi
done
echo "Screenshots: docs/show-*.jpg docs/coral-*.png"

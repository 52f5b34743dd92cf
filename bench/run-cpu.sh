#!/usr/bin/env bash
# Processor use of the full-screen show (`coralux /s`, default settings, sound
# through SDL's disk driver into /dev/null), in cores, at 1280x720 and
# 1920x1080 (or the sizes SIZES lists): paced to the display's rate, unpaced
# (--max-fps=0), at 30 frames a second (--max-fps=30), and paced while the X
# server blanks the screen (`xset s activate`), when nothing of the show can
# be seen. Each reading is the
# process's user and system time over SECONDS after a settling time, read
# from /proc; the runs take turns RUNS times and the medians are printed.
#   bench/run-cpu.sh [build-dir] [runs] [seconds]
set -euo pipefail
BUILD=$(realpath "${1:-build}")
RUNS=${2:-3}
SECONDS_TO_RUN=${3:-10}
SIZES=${SIZES:-1280x720 1920x1080}
CONFIG=$(mktemp -d)
LOG=$(mktemp)
trap 'rm -rf "$CONFIG" "$LOG"' EXIT
export MALLOC_MMAP_THRESHOLD_=33554432 MALLOC_TRIM_THRESHOLD_=1073741824
export XDG_CONFIG_HOME=$CONFIG SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null

for size in $SIZES; do
  SIZE=$size BUILD=$BUILD RUNS=$RUNS SECONDS_TO_RUN=$SECONDS_TO_RUN xvfb-run -a -s "-screen 0 ${size}x24" bash -c '
    ticks() { awk "{ print \$14 + \$15 }" "/proc/$1/stat"; }
    measure() {
      local name=$1; shift
      xset s reset
      "$BUILD/coralux" /s "$@" 2>/dev/null &
      local pid=$!
      sleep 3
      [ "$name" = unseen ] && { xset s activate; sleep 1; }
      local before; before=$(ticks "$pid")
      sleep "$SECONDS_TO_RUN"
      local after; after=$(ticks "$pid")
      kill -TERM "$pid"
      wait "$pid" || true
      awk -v s="$SIZE" -v w="$name" -v d="$((after - before))" -v hz="$(getconf CLK_TCK)" -v t="$SECONDS_TO_RUN" \
        "BEGIN { printf \"%s %s: %.3f cores\n\", w, s, d / hz / t }"
    }
    xset s off
    for _ in $(seq "$RUNS"); do
      measure paced
      measure unpaced --max-fps=0
      measure at-30 --max-fps=30
      measure unseen
    done
  ' | tee -a "$LOG"
done

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
echo
for size in $SIZES; do
  line="$size:"
  for name in paced unpaced at-30 unseen; do
    line="$line $name $(grep "^$name $size:" "$LOG" | awk '{ print $3 }' | median) cores,"
  done
  echo "${line%,}"
done

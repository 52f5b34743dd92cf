#!/usr/bin/env bash
# Records what the show plays, for checking the sounds by eye and by ear:
#   docs/show-sound.wav   20 s of the mixer's real output for the default
#                         scene (ambient loop and the blue fishes' splashes),
#                         taken from `coralux /s` through SDL's disk driver
#   docs/show-sound.png   its spectrogram
#   docs/sound-assets.png the spectrogram of each sound in the pack
# Needs build/coralux (scripts/build.sh). Runs the show under a virtual X
# server with a config home of its own, so the defaults apply.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
SECONDS_TO_RECORD=20
RATE=44100  # what the show asks of the device
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

XDG_CONFIG_HOME="$WORK/config" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$WORK/show.raw" \
  xvfb-run -a -s "-screen 0 1280x720x24" bash -c '
    build/coralux /s 2>/dev/null &
    pid=$!
    sleep $(('"$SECONDS_TO_RECORD"' + 3))
    kill -TERM $pid
    wait $pid'

# The recording starts when the device opens; the loop starts a moment later.
sox -t raw -r $RATE -e signed -b 16 -c 2 "$WORK/show.raw" docs/show-sound.wav silence 1 1 0 trim 0 $SECONDS_TO_RECORD
sox docs/show-sound.wav -n spectrogram -x 1200 -y 513 -t "coralux /s: ${SECONDS_TO_RECORD} s of the mixer's output" \
  -o docs/show-sound.png

for sound in main splash0 splash1 splash2; do
  sox "resources/pack/sound/$sound.wav" -n spectrogram -x 600 -y 257 -t "sound/$sound.wav" -o "$WORK/$sound.png"
done
convert "$WORK"/{main,splash0,splash1,splash2}.png -append docs/sound-assets.png
echo "Written docs/show-sound.wav, docs/show-sound.png and docs/sound-assets.png"

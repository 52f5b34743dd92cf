#!/usr/bin/env bash
# The show's sound through SDL's disk driver: a run writes non-silent audio
# that follows the ambient loop; with "EnableSounds" 0 the audio device is
# never opened (no file); with no usable audio driver the show runs silently
# and ends normally; on the machine's own driver, with or without a sound
# card, nothing is said about sound on standard error.
set -euo pipefail
CORALUX=$(realpath "$1")
# The show runs several times on one X server; one that resets as the last
# client leaves would refuse the next run while it does.
if [ -z "${CORALUX_E2E_DISPLAY:-}" ]; then
  exec env CORALUX_E2E_DISPLAY=1 xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$CORALUX"
fi
source "$(dirname "$0")/support/saver.bash"
: "${CORALUX_SOURCE_DIR:?}"
AUDIO="$E2E_DIR/audio.raw"

# Runs the show for a few seconds, ends it as the host does, and checks its status.
run_show() {
  "$CORALUX" /s 2>>"$E2E_DIR/stderr" &
  local pid=$!
  wait_for_window "$pid"
  sleep 3
  kill -TERM "$pid"
  wait_for_exit "$pid" 20
  [ "$EXIT_STATUS" -eq 0 ] || fail "the run ended with status $EXIT_STATUS: $(cat "$E2E_DIR/stderr")"
}

export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$AUDIO"
run_show
[ -s "$AUDIO" ] || fail "no audio was written"
python3 "$(dirname "$0")/support/ambient_in_output.py" "$AUDIO" 44100 \
  "$CORALUX_SOURCE_DIR/resources/pack/sound/main.wav" || fail "the output does not follow the ambient loop"
echo "ok: the show plays the ambient loop"

rm -f "$AUDIO"
mkdir -p "$(dirname "$STORE")"
printf '[Software\\Quillworth Software\\Coralux Screensaver]\n"EnableSounds"=dword:0\n' >"$STORE"
run_show
[ -e "$AUDIO" ] && fail "the audio device was opened with sounds off"
echo "ok: no audio device with sounds off"

rm -f "$STORE"
export SDL_AUDIODRIVER=no-such-driver
run_show
echo "ok: a silent show without an audio driver"

unset SDL_AUDIODRIVER SDL_DISKAUDIOFILE
: >"$E2E_DIR/stderr"
run_show
grep -i -E "alsa|audio|sound" "$E2E_DIR/stderr" && fail "the run spoke about sound on standard error"
echo "ok: nothing said about sound on the default driver"
echo "PASS"

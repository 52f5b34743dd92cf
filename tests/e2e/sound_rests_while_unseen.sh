#!/usr/bin/env bash
# The show's sound rests with its picture: with a real PulseAudio server of
# the test user's (a null sink), the show's stream goes away while the X
# server's own saver blanks the screen and comes back when it is reset, and
# the recording of the sink's monitor shows the ambient loop going on where
# it stopped, without a click at either edge of the rest.
set -euo pipefail
source "$(dirname "$0")/support/hosts.bash"
: "${CORALUX_SOURCE_DIR:?}"
AMBIENT=$CORALUX_SOURCE_DIR/resources/pack/sound/main.wav
RUNTIME=$WORK/run
install -d -m 700 -o "$HOST_USER" -g "$HOST_GROUP" "$RUNTIME"

stage_install
start_x 640x480
session() { as_user XDG_RUNTIME_DIR="$RUNTIME" "$@"; }
session pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
  --load="module-null-sink sink_name=coralux_test rate=44100 channels=2" \
  --load="module-native-protocol-unix auth-anonymous=1" >"$WORK/pulse.log" 2>&1 &
for _ in $(seq 100); do [ -S "$RUNTIME/pulse/native" ] && break; sleep 0.05; done
[ -S "$RUNTIME/pulse/native" ] || fail "PulseAudio did not start: $(cat "$WORK/pulse.log")"
streams() { session pactl list short sink-inputs | wc -l; }
# Waits until the show has that many streams open on the server.
wait_for_streams() {
  for _ in $(seq 40); do [ "$(streams)" = "$1" ] && return 0; sleep 0.05; done
  fail "$2"
}

session parec -d coralux_test.monitor --raw --format=s16le --rate=44100 --channels=2 >"$WORK/show.raw" 2>/dev/null &
RECORDER=$!
# No blue fish: their splashes would sound over the loop.
session "$STAGE/usr/bin/coralux" /s --blue-fish=0 &
wait_for_show "coralux /s" 10
wait_until_lit 3
wait_for_streams 1 "the show opened no stream"
sleep 1.5
xset s activate
wait_for_streams 0 "the show's stream stays open while the screen is blanked"
echo "ok: the stream goes while the show is unseen"
sleep 1.5
xset s reset
wait_for_streams 1 "the show's stream did not come back"
echo "ok: the stream comes back when the show is seen"
sleep 1.5
kill "$RECORDER" "$SHOW_PID"
wait "$RECORDER" 2>/dev/null || true
/usr/bin/python3 "$(dirname "$0")/support/loop_across_rest.py" "$WORK/show.raw" 44100 "$AMBIENT" 1.0 ||
  fail "the ambient loop does not go on where it stopped"
echo "PASS"

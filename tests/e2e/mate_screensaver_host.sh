#!/usr/bin/env bash
# Coralux under MATE's real screen saver (mate-screensaver 1.26), as the
# package sets it up: its theme list, read through its menu file as its
# preferences window reads it, names Coralux; with the theme chosen,
# activating starts our program with XSCREENSAVER_WINDOW and a trimmed
# environment (no XDG_RUNTIME_DIR), and the screen shows the scene with the
# setup dialog's stored settings (2 yellow fish). Its sound reaches the test
# user's real PulseAudio server (a null sink): the recording of the sink's
# monitor follows the ambient loop. SIGSTOP for 3 s, as MATE does while its
# unlock dialog shows, then SIGCONT: new frames within 0.5 s, and the scene
# clock, read off the light rays, has moved on by at most 0.1 s across the
# stop. Deactivating ends it within a second. Previews, in a window named by
# --window-id or in one smaller than its monitor, play nothing.
set -euo pipefail
# MATE runs a theme's command only from its hack folders, and the test user
# needs a runtime folder: both are made in a mount namespace of this
# script's own, which nothing else sees.
if [ -z "${CORALUX_E2E_NAMESPACE:-}" ]; then
  export CORALUX_E2E_NAMESPACE=1
  if unshare --mount --propagation private true 2>/dev/null; then
    exec unshare --mount --propagation private bash "$0" "$@"
  fi
  # In a chroot / is no mount point; its mounts stay private when none is shared.
  grep -q ' shared:' /proc/self/mountinfo && { echo "FAIL: no private mount namespace here" >&2; exit 1; }
  exec unshare --mount --propagation unchanged bash "$0" "$@"
fi
source "$(dirname "$0")/support/hosts.bash"
: "${CORALUX_SOURCE_DIR:?}"
SUPPORT=$(dirname "$0")/support
CAUSTIC=$CORALUX_SOURCE_DIR/resources/pack/caust.tga
AMBIENT=$CORALUX_SOURCE_DIR/resources/pack/sound/main.wav
WIDTH=640
HEIGHT=480

stage_install
mkdir "$WORK/hacks"
ln -s "$STAGE/usr/bin/coralux" "$WORK/hacks/coralux"
mount --bind "$WORK/hacks" /usr/libexec/xscreensaver
mount -t tmpfs -o mode=755 tmpfs /run
RUNTIME=/run/user/$(id -u "$HOST_USER")
install -d -m 700 -o "$HOST_USER" -g "$HOST_GROUP" "$RUNTIME"
export XDG_DATA_DIRS=$STAGE/usr/share:/usr/share

/usr/bin/python3 "$SUPPORT/mate_themes.py" >"$WORK/themes"
grep -qxF "$(printf 'screensavers-coralux.desktop\tCoralux\t/usr/libexec/xscreensaver/coralux --root')" "$WORK/themes" ||
  fail "MATE's theme list lacks Coralux: $(cut -f2 "$WORK/themes" | tr '\n' ',')"
echo "ok: MATE's theme list names Coralux"

start_x "${WIDTH}x$HEIGHT"
write_store '"YellowFishCount"=dword:00000002' '"BlueFishCount"=dword:00000000' \
  '"PearlFishCount"=dword:00000000' '"TinyFishCount"=dword:00000000' '"Fade"=dword:00000000'
mkdir -p "$USER_HOME/.config/glib-2.0/settings"
cat >"$USER_HOME/.config/glib-2.0/settings/keyfile" <<'KEYS'
[org/mate/screensaver]
mode='single'
themes=['screensavers-coralux']
lock-enabled=false
idle-activation-enabled=false
KEYS
chown -R "$HOST_USER:$HOST_GROUP" "$USER_HOME/.config"

# The user's session: a session bus, and a sound server with a null sink.
start_session_bus
session() { as_user DBUS_SESSION_BUS_ADDRESS="$BUS" XDG_RUNTIME_DIR="$RUNTIME" "$@"; }
session pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
  --load="module-null-sink sink_name=coralux_test rate=44100 channels=2" \
  --load="module-native-protocol-unix auth-anonymous=1" >"$WORK/pulse.log" 2>&1 &
for _ in $(seq 100); do [ -S "$RUNTIME/pulse/native" ] && break; sleep 0.05; done
[ -S "$RUNTIME/pulse/native" ] || fail "PulseAudio did not start: $(cat "$WORK/pulse.log")"
record() { session parec -d coralux_test.monitor --raw --format=s16le --rate=44100 --channels=2 >"$1" 2>/dev/null & }
mate() { as_user DBUS_SESSION_BUS_ADDRESS="$BUS" GSETTINGS_BACKEND=keyfile XDG_DATA_DIRS="$XDG_DATA_DIRS" "$@"; }

mate mate-screensaver --no-daemon >"$WORK/mate.log" 2>&1 &
for _ in $(seq 100); do mate mate-screensaver-command --query >/dev/null 2>&1 && break; sleep 0.1; done
record "$WORK/show.raw"
RECORDER=$!
mate mate-screensaver-command --activate >/dev/null
wait_for_show "coralux --root" 10
SHOW=$SHOW_PID
environment=$(tr '\0' '\n' <"/proc/$SHOW/environ")
grep -q '^XSCREENSAVER_WINDOW=' <<<"$environment" || fail "no XSCREENSAVER_WINDOW: $environment"
grep -q '^XDG_RUNTIME_DIR=' <<<"$environment" && fail "the environment was not trimmed: $environment"
wait_until_lit 3
sleep 3
kill "$RECORDER"
wait "$RECORDER" 2>/dev/null || true
/usr/bin/python3 "$SUPPORT/ambient_in_output.py" --recorded "$WORK/show.raw" 44100 "$AMBIENT" ||
  fail "the sound server's recording does not follow the ambient loop"
[ "$(read_setting "$SHOW" YellowFishCount)" = 2 ] || fail "the show has not the stored 2 yellow fish"
echo "ok: MATE runs Coralux with the stored settings, and its sound reaches the user's server"

# The scene clock: the pattern row of the light rays, 15 a second, 32 a round.
clock() {
  xwd -root -silent | convert xwd:- -crop "${WIDTH}x32+0+0" +repage -depth 8 "rgb:$WORK/top.rgb"
  python3 "$SUPPORT/scene_clock.py" "$WORK/top.rgb" "$WIDTH" "$HEIGHT" "$CAUSTIC"
}
frame() { xwd -root -silent | md5sum; }
now() { date +%s%N; }
kill -STOP "$SHOW"
sleep 0.3
stopped=$(frame)
read -r before fit_before < <(clock)
sleep 3
kill -CONT "$SHOW"
resumed=$(now)
moved=
while [ $(($(now) - resumed)) -lt 500000000 ]; do
  [ "$(frame)" != "$stopped" ] && moved=1 && break
done
kill -STOP "$SHOW"
ran=$(($(now) - resumed))
sleep 0.3
read -r after fit_after < <(clock)
kill -CONT "$SHOW"
[ -n "$moved" ] || fail "no new frame within 0.5 s of SIGCONT"
python3 - "$before" "$fit_before" "$after" "$fit_after" "$ran" <<'PY' || fail "the scene jumped across the stop"
import sys
before, fit_before, after, fit_after, ran = int(sys.argv[1]), float(sys.argv[2]), int(sys.argv[3]), float(sys.argv[4]), int(sys.argv[5]) / 1e9
assert fit_before > 0.9 and fit_after > 0.9, "the light rays could not be read (%.2f, %.2f)" % (fit_before, fit_after)
rows = (after - before) % 32
# Each reading is within one row; the show ran for `ran` seconds in all.
jump = (rows - 1) / 15 - ran
print("ok: new frames at once; the scene moved %.2f s while it ran %.2f s across the 3 s stop" % (rows / 15, ran))
sys.exit(0 if jump <= 0.1 else 1)
PY

mate mate-screensaver-command --deactivate >/dev/null
ends_within_a_second "$SHOW" "Coralux"
sleep 0.5
[ -z "$(show_pids coralux)" ] || fail "a Coralux process was left behind"
echo "ok: deactivation ends Coralux within a second"

# Previews: xscreensaver's settings name their window with --window-id, MATE's
# preferences run the full-screen command line in a small window.
xlogo -geometry 200x150+10+10 2>/dev/null &
PREVIEW_HOST=$!
host=
for _ in $(seq 50); do
  host=$(xwininfo -root -tree | sed -n 's/^ *\(0x[0-9a-f]*\) "xlogo".*/\1/p' | head -n1)
  [ -n "$host" ] && break
  sleep 0.1
done
[ -n "$host" ] || fail "no preview window"
record "$WORK/previews.raw"
RECORDER=$!
# With the session's bus, as the settings windows have it, but without XDG_RUNTIME_DIR.
previewer() { as_user DBUS_SESSION_BUS_ADDRESS="$BUS" "$@" 2>/dev/null; }
previewer "$STAGE/usr/bin/coralux" --root --window-id "$host" &
previewer XSCREENSAVER_WINDOW="$host" "$STAGE/usr/bin/coralux" --root &
for _ in $(seq 100); do [ "$(show_pids 'coralux --root' | wc -l)" = 2 ] && break; sleep 0.1; done
sleep 2.5
kill "$RECORDER" $(show_pids 'coralux --root') "$PREVIEW_HOST"
wait "$RECORDER" 2>/dev/null || true
[ -s "$WORK/previews.raw" ] || fail "nothing was recorded during the previews"
python3 -c 'import sys; d = open(sys.argv[1], "rb").read(); sys.exit(d.count(0) != len(d))' "$WORK/previews.raw" ||
  fail "a preview played sound"
echo "ok: previews play nothing"
echo "PASS"

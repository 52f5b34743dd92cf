#!/usr/bin/env bash
# The system's announcement that it will sleep ends the show: on a private
# bus standing in for the system bus, a stand-in for logind sends
# PrepareForSleep(false) (waking: the show goes on), then PrepareForSleep(true),
# which ends the show within a second, with status 0.
set -euo pipefail
CORALUX=$1
WORK=$(mktemp -d)
BUS_PID=
trap '[ -z "$BUS_PID" ] || kill "$BUS_PID" 2>/dev/null || true; rm -rf "$WORK"' EXIT
export XDG_CONFIG_HOME=$WORK

dbus-daemon --session --nofork --print-address=3 --print-pid=4 3>"$WORK/address" 4>"$WORK/pid" 2>/dev/null &
for _ in $(seq 50); do [ -s "$WORK/address" ] && [ -s "$WORK/pid" ] && break; sleep 0.1; done
BUS_PID=$(cat "$WORK/pid")
export DBUS_SYSTEM_BUS_ADDRESS=$(head -n1 "$WORK/address")

xvfb-run -a -s "-screen 0 640x480x24" bash -s "$CORALUX" <<'EOF'
set -euo pipefail
CORALUX=$1
sleep_signal() {
  dbus-send --bus="$DBUS_SYSTEM_BUS_ADDRESS" --type=signal /org/freedesktop/login1 \
    org.freedesktop.login1.Manager.PrepareForSleep "boolean:$1"
}
"$CORALUX" /s --sounds=0 &
PID=$!
timeout 10 xdotool search --sync --name '^OpenGL Window$' >/dev/null
sleep 0.5
sleep_signal false
sleep 0.5
kill -0 "$PID" 2>/dev/null || { echo "FAIL: waking ended the show"; exit 1; }
sleep_signal true
for _ in $(seq 20); do kill -0 "$PID" 2>/dev/null || break; sleep 0.05; done
kill -0 "$PID" 2>/dev/null && { kill -KILL "$PID"; echo "FAIL: PrepareForSleep(true) did not end the show"; exit 1; }
wait "$PID" || { echo "FAIL: the show ended with status $?"; exit 1; }
echo "ok: the announcement of sleep ended the show"
EOF

#!/usr/bin/env bash
# The show, under an X server of its own, ends within a second of a key press,
# a click or a 31-pixel pointer move, with status 0. A 30-pixel move does not
# end it, and SIGTERM ends it through its closing steps with status 0.
set -euo pipefail
CORALUX=$1
# The runs save their settings: into a config home of the script's own.
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT

xvfb-run -a -s "-screen 0 1024x768x24" bash -s "$CORALUX" <<'EOF'
set -euo pipefail
CORALUX=$1
PID=

start_show() {
  "$CORALUX" /s &
  PID=$!
  timeout 10 xdotool search --sync --name '^OpenGL Window$' >/dev/null
  sleep 0.3   # let the window take the focus and note the pointer
}

# Fails unless the show ends within a second, with status 0.
expect_end() {
  local what=$1
  for _ in $(seq 20); do
    kill -0 "$PID" 2>/dev/null || break
    sleep 0.05
  done
  if kill -0 "$PID" 2>/dev/null; then
    kill -KILL "$PID"
    echo "FAIL: $what did not end the show within a second"
    exit 1
  fi
  local status=0
  wait "$PID" || status=$?
  [ "$status" -eq 0 ] || { echo "FAIL: $what ended the show with status $status"; exit 1; }
  echo "ok: $what"
}

start_show
xdotool key a
expect_end "a key press"

start_show
xdotool click 1
expect_end "a click"

start_show
xdotool mousemove_relative 30 30
sleep 0.5
kill -0 "$PID" 2>/dev/null || { echo "FAIL: a 30-pixel move ended the show"; exit 1; }
xdotool mousemove_relative -- -30 -30
sleep 0.2
xdotool mousemove_relative 31 0
expect_end "a 31-pixel move"

start_show
kill -TERM "$PID"
expect_end "SIGTERM"
EOF

#!/usr/bin/env bash
# The host's window destroyed at once, under the preview (/p) and under the
# hosted show (--window-id, as xscreensaver runs it): at moments drawn from a
# seeded source (printed; CORALUX_FAULT_SEED replays it) from the program's
# start to well after it draws. The preview ends within 5 s with status 0;
# the show ends within 5 s with status 0, or 1 with its message on standard
# error when the window went before the show could draw into it. Never a
# crash: SDL once crashed making a GL context on a window gone meanwhile.
set -euo pipefail
CORALUX=$(realpath "$1")
source "$(dirname "$0")/support/saver.bash"
# The X server resets when its last client leaves, and a program starting
# during the reset finds no display: one client stays for the whole script.
xev -root -event focus >/dev/null 2>&1 &
export SDL_AUDIODRIVER=dummy

seed=${CORALUX_FAULT_SEED:-$(od -An -N2 -tu2 /dev/urandom | tr -d ' ')}
echo "seed $seed"
RANDOM=$seed

# Starts a host window; its id in HOST_ID, its process in HOST_PID.
start_host() {
  xlogo -title "host-$1" -geometry 200x150+10+10 2>/dev/null &
  HOST_PID=$!
  HOST_ID=
  for _ in $(seq 50); do
    HOST_ID=$(xwininfo -root -tree | sed -n "s/^ *\(0x[0-9a-f]*\) \"host-$1\".*/\1/p" | head -1)
    [ -n "$HOST_ID" ] && break
    sleep 0.1
  done
  [ -n "$HOST_ID" ] || fail "no host window"
}

# A third of the rounds for the preview; the show's, whose start-up is the
# longer and the more fragile, fall within its first 0.4 s.
for round in $(seq 12); do
  start_host "$round"
  if [ $((round % 3)) -eq 0 ]; then
    what="preview"
    delay=$(printf '0.%03d' $((RANDOM % 600)))
    "$CORALUX" /p $((HOST_ID)) 2>"$E2E_DIR/stderr" &
  else
    what="hosted show"
    delay=$(printf '0.%03d' $((RANDOM % 400)))
    "$CORALUX" --window-id "$HOST_ID" 2>"$E2E_DIR/stderr" &
  fi
  program=$!
  sleep "$delay"
  kill "$HOST_PID"
  wait "$HOST_PID" 2>/dev/null || true
  wait_for_exit "$program" 5
  case "$what $EXIT_STATUS" in
  "preview 0" | "hosted show 0") ;;
  "hosted show 1") grep -q '^"Could not create main window"$' "$E2E_DIR/stderr" ||
    fail "the $what ended with status 1 and no message after $delay s (seed $seed): $(cat "$E2E_DIR/stderr")" ;;
  *) fail "the $what ended with status $EXIT_STATUS when its host went after $delay s (seed $seed)" ;;
  esac
  echo "ok: $what, host gone after $delay s: status $EXIT_STATUS"
done
echo "PASS"

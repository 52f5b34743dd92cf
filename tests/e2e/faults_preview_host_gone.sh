#!/usr/bin/env bash
# The host's preview window destroyed at once: at a moment drawn from a
# seeded source (printed; CORALUX_FAULT_SEED replays it) between the
# preview's start and well after its picture shows. Each time the preview
# ends within 5 s with status 0 (Xlib's own handler of an X error, for one,
# would end it with status 1).
set -euo pipefail
CORALUX=$(realpath "$1")
source "$(dirname "$0")/support/saver.bash"
# The X server resets when its last client leaves, and a program starting
# during the reset finds no display: one client stays for the whole script.
xev -root -event focus >/dev/null 2>&1 &

seed=${CORALUX_FAULT_SEED:-$(od -An -N2 -tu2 /dev/urandom | tr -d ' ')}
echo "seed $seed"
RANDOM=$seed
for round in $(seq 8); do
  xlogo -title "host-$round" -geometry 200x150+10+10 2>/dev/null &
  host=$!
  id=
  for _ in $(seq 50); do
    id=$(xwininfo -root -tree | sed -n "s/^ *\(0x[0-9a-f]*\) \"host-$round\".*/\1/p" | head -1)
    [ -n "$id" ] && break
    sleep 0.1
  done
  [ -n "$id" ] || fail "no host window"
  delay=$(printf '0.%03d' $((RANDOM % 600)))
  "$CORALUX" /p $((id)) &
  preview=$!
  sleep "$delay"
  kill "$host"
  wait "$host" 2>/dev/null || true
  wait_for_exit "$preview" 5
  [ "$EXIT_STATUS" -eq 0 ] || fail "round $round (host gone after $delay s, seed $seed): status $EXIT_STATUS"
  echo "ok: host gone after $delay s"
done
echo "PASS"

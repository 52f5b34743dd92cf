#!/usr/bin/env bash
# The preview's picture inside a host window: at the picture's own size it
# is the picture itself; in a smaller host it is the whole picture scaled
# down, not a crop of it. When the host destroys its window the preview ends
# within a second; a handle that names no window ends it at once, quietly.
set -euo pipefail
CORALUX=$(realpath "$1")
source "$(dirname "$0")/support/saver.bash"
BITMAP="$CORALUX_SOURCE_DIR/resources/bitmaps/preview.bmp"
# The X server resets when its last client leaves, and a program starting
# during the reset finds no display: one client stays for the whole script.
xev -root -event focus >/dev/null 2>&1 &

# Normalised mean absolute difference of two pictures (0 same, 1 opposite).
difference() {
  # compare's status only says whether the pictures differ at all.
  { compare -metric MAE "$1" "$2" null: 2>&1 || true; } | sed -n 's/.*(\(.*\)).*/\1/p'
}
below() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }

# Starts a host window of the given size; its id in HOST_ID, its process in HOST_PID.
start_host() {
  xlogo -title "host-$1" -geometry "$1+20+20" 2>/dev/null &
  HOST_PID=$!
  HOST_ID=
  for _ in $(seq 50); do
    HOST_ID=$(xwininfo -root -tree | sed -n "s/^ *\(0x[0-9a-f]*\) \"host-$1\".*/\1/p" | head -1)
    [ -n "$HOST_ID" ] && break
    sleep 0.1
  done
  [ -n "$HOST_ID" ] || fail "no host window"
  HOST_ID=$((HOST_ID))
}

# Waits for the preview's picture to appear inside the host, then saves the host's pixels.
capture_host() {
  for _ in $(seq 50); do
    xwininfo -tree -id "$HOST_ID" | grep -q '"Splash Window"' && break
    sleep 0.1
  done
  sleep 0.3
  xwd -silent -nobdrs -id "$HOST_ID" | convert xwd:- "$1"
}

# Fails unless the process ends with status 0 within a second.
expect_end_within_a_second() {
  for _ in $(seq 10); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$1" 2>/dev/null && fail "$2: the preview still runs after a second"
  local status=0
  wait "$1" || status=$?
  [ "$status" -eq 0 ] || fail "$2: the preview ended with status $status"
}

start_host 200x150
"$CORALUX" /p "$HOST_ID" &
PREVIEW=$!
capture_host "$E2E_DIR/full.png"
convert "$BITMAP" "$E2E_DIR/picture.png"
d=$(difference "$E2E_DIR/full.png" "$E2E_DIR/picture.png")
below "$d" 0.001 || fail "the host of the picture's size does not show the picture (difference $d)"
kill "$HOST_PID"
expect_end_within_a_second "$PREVIEW" "the host's window destroyed"
echo "ok: the picture at its own size, and the end with the host"

start_host 100x75
"$CORALUX" /p "$HOST_ID" &
PREVIEW=$!
capture_host "$E2E_DIR/small.png"
convert "$BITMAP" -filter box -resize '100x75!' "$E2E_DIR/scaled.png"
convert "$BITMAP" -crop 100x75+0+0 +repage "$E2E_DIR/crop.png"
d=$(difference "$E2E_DIR/small.png" "$E2E_DIR/scaled.png")
below "$d" 0.02 || fail "the small host does not show the picture scaled down (difference $d)"
d=$(difference "$E2E_DIR/small.png" "$E2E_DIR/crop.png")
below 0.05 "$d" || fail "the small host shows a crop of the picture (difference $d)"
kill "$HOST_PID"
expect_end_within_a_second "$PREVIEW" "the small host's window destroyed"
echo "ok: a smaller host shows the whole picture scaled down"

"$CORALUX" /p 123456789 2>"$E2E_DIR/stderr" &
expect_end_within_a_second $! "a handle naming no window"
[ ! -s "$E2E_DIR/stderr" ] || fail "a handle naming no window wrote: $(cat "$E2E_DIR/stderr")"
echo "ok: a handle naming no window"
echo "PASS"

#!/usr/bin/env bash
# The setup dialog driven with real X input: it opens for /c, no argument and
# /c:1234; both pictures show their bitmaps, also after another window
# covered them; OK at once keeps every stored value; a fish slider moved and
# OK (or Enter) pressed changes the store, while Cancel, Escape, "X" and each
# quit signal leave it alone; dragging the caption strip moves the dialog;
# "More Info..." hands the help page beside the program to the desktop's
# handler and does not wait.
set -euo pipefail
CORALUX=$(realpath "$1")
source "$(dirname "$0")/support/saver.bash"
BITMAPS="$CORALUX_SOURCE_DIR/resources/bitmaps"
DIALOG_UNITS_WIDE=350
DIALOG_UNITS_HIGH=247
# The X server resets when its last client leaves, and a program starting
# during the reset finds no display: one client stays for the whole script.
xev -root -event focus >/dev/null 2>&1 &

difference() {
  # compare's status only says whether the pictures differ at all.
  { compare -metric MAE "$1" "$2" null: 2>&1 || true; } | sed -n 's/.*(\(.*\)).*/\1/p'
}
below() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }

# Starts the dialog with the given arguments; DIALOG (process), WID and its
# geometry X Y WIDTH HEIGHT once it shows.
open_dialog() {
  "$CORALUX" "$@" &
  DIALOG=$!
  WID=
  for _ in $(seq 100); do
    if ! kill -0 "$DIALOG" 2>/dev/null; then
      local status=0
      wait "$DIALOG" || status=$?
      fail "the dialog ended with status $status before showing ($*)"
    fi
    WID=$(xdotool search --onlyvisible --name '^Coralux: Setup$' 2>/dev/null | head -1) && [ -n "$WID" ] && break
    sleep 0.1
  done
  [ -n "$WID" ] || fail "no dialog for '$*'"
  sleep 0.3
  read_geometry
  xdotool windowfocus --sync "$WID"
}

read_geometry() {
  eval "$(xdotool getwindowgeometry --shell "$WID")"
}

# The screen point of dialog units (x, y), as the dialog lays its controls out.
point() {
  echo $((X + $1 * WIDTH / DIALOG_UNITS_WIDE)) $((Y + $2 * HEIGHT / DIALOG_UNITS_HIGH))
}

click_at() {
  xdotool mousemove --sync $(point "$1" "$2") click 1
}

# Fails unless the dialog ends with status 0 within ten seconds.
expect_closed() {
  wait_for_exit "$DIALOG" 10
  [ "$EXIT_STATUS" -eq 0 ] || fail "$1: the dialog ended with status $EXIT_STATUS"
}

# Moves the yellow fish slider to its end with the keyboard.
move_yellow_slider() {
  click_at 97 131
  xdotool key --clearmodifiers End
}

# Each picture window holds its bitmap scaled to the window's size.
check_pictures() {
  local ids
  ids=$(xwininfo -root -tree | sed -n 's/^ *\(0x[0-9a-f]*\) "Splash Window".*/\1/p')
  [ "$(echo "$ids" | wc -w)" -eq 2 ] || fail "expected two picture windows, found: $ids"
  for id in $ids; do
    local size bitmap d
    size=$(xwininfo -id "$id" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
    bitmap="$BITMAPS/preview.bmp"
    [ "${size%x*}" -gt $((3 * ${size#*x})) ] && bitmap="$BITMAPS/title.bmp"
    xwd -silent -nobdrs -id "$id" | convert xwd:- "$E2E_DIR/shown.png"
    convert "$bitmap" -filter box -resize "$size!" "$E2E_DIR/expected.png"
    d=$(difference "$E2E_DIR/shown.png" "$E2E_DIR/expected.png")
    below "$d" 0.03 || fail "picture $id ($size) does not show $(basename "$bitmap") (difference $d)"
  done
}

# Maps another window over the whole dialog for a moment.
cover_dialog() {
  xev -geometry "${WIDTH}x${HEIGHT}+${X}+${Y}" >/dev/null 2>&1 &
  local cover=$!
  for _ in $(seq 50); do
    [ -n "$(xdotool search --onlyvisible --pid "$cover" 2>/dev/null)" ] && break
    sleep 0.1
  done
  sleep 0.3
  kill "$cover"
  wait "$cover" 2>/dev/null || true
  sleep 0.5
}

for arguments in "/c" "" "/c:1234"; do
  open_dialog $arguments
  before=$(md5sum <"$STORE")
  if [ -z "$arguments" ]; then
    check_pictures
    cover_dialog
    check_pictures
  fi
  xdotool key --clearmodifiers Escape
  expect_closed "Escape"
  [ "$(md5sum <"$STORE")" = "$before" ] || fail "Escape changed the store"
done
echo "ok: /c, no argument and /c:1234 open the dialog; Escape saves nothing; both pictures show, also uncovered"

# No value at its default, and none 0 where it could be another: filling the
# controls must not save a half-filled dialog over them.
printf '%s\n' 'Windows Registry Editor Version 5.00' '' \
  '[HKEY_CURRENT_USER\Software\Quillworth Software\Coralux Screensaver]' \
  '"ScreenWidth"=dword:00000320' '"ScreenHeight"=dword:00000258' '"ScreenDepth"=dword:00000020' \
  '"UseDesktopSettings"=dword:00000000' '"EnableSounds"=dword:00000001' '"UseDesktopBitmap"=dword:00000001' \
  '"BackgroundRes"=dword:00000080' '"EnableRipples"=dword:00000001' '"EnableFPS"=dword:00000001' \
  '"Fade"=dword:00000021' '"YellowFishCount"=dword:00000007' '"PearlFishCount"=dword:00000003' \
  '"BlueFishCount"=dword:00000009' '"TinyFishCount"=dword:00000001' >"$STORE"
values=$(grep '^"' "$STORE")
open_dialog /c
click_at 250 232
expect_closed "OK at once"
[ "$(grep '^"' "$STORE")" = "$values" ] || fail "OK at once changed the stored values:
$(cat "$STORE")"
echo "ok: OK at once keeps every stored value"

open_dialog /c
move_yellow_slider
click_at 250 232
expect_closed "OK"
grep -q '^"YellowFishCount"=dword:0000000a$' "$STORE" || fail "OK did not store the slider: $(cat "$STORE")"
open_dialog /c
move_yellow_slider
xdotool key --clearmodifiers Home Return
expect_closed "Enter"
grep -q '^"YellowFishCount"=dword:00000000$' "$STORE" || fail "Enter did not press OK: $(cat "$STORE")"
echo "ok: a slider moved and OK (or Enter) changes the store"

before=$(md5sum <"$STORE")
for close in "317 232" "335 7"; do
  open_dialog /c
  click_at 97 146
  xdotool key --clearmodifiers Home
  click_at $close
  expect_closed "the button at $close"
  [ "$(md5sum <"$STORE")" = "$before" ] || fail "the button at $close changed the store"
done
echo "ok: Cancel and X save nothing"

for signal in TERM INT HUP QUIT; do
  open_dialog /c
  move_yellow_slider
  kill -s "$signal" "$DIALOG"
  wait_for_exit "$DIALOG" 3
  [ "$EXIT_STATUS" -eq 0 ] || fail "SIG$signal: the dialog ended with status $EXIT_STATUS"
  [ "$(md5sum <"$STORE")" = "$before" ] || fail "SIG$signal changed the store"
done
echo "ok: SIGTERM, SIGINT, SIGHUP and SIGQUIT each end the dialog at once, saving nothing"

open_dialog /c
start_x=$X start_y=$Y
xdotool mousemove --sync $(point 100 7) mousedown 1
for step in 1 2 3 4 5 6; do
  xdotool mousemove_relative --sync -- 10 -8
  sleep 0.05
done
xdotool mouseup 1
sleep 0.3
read_geometry
[ $((X - start_x)) -ge 50 ] && [ $((start_y - Y)) -ge 40 ] ||
  fail "dragging the caption moved the dialog from $start_x,$start_y to $X,$Y"
xdotool key --clearmodifiers Escape
expect_closed "Escape after the drag"
echo "ok: dragging the caption strip moves the dialog"

# A stand-in handler first on PATH notes what it was given and lingers, as a
# browser would. The dialog runs where no ReadMe.html is, with the default
# Path (the current folder), so the copy beside the program is the one opened.
mkdir "$E2E_DIR/bin" "$E2E_DIR/empty"
cat >"$E2E_DIR/bin/xdg-open" <<HANDLER
#!/bin/sh
printf '%s' "\$1" >"$E2E_DIR/opened.part" && mv "$E2E_DIR/opened.part" "$E2E_DIR/opened"
exec sleep 20 </dev/null >/dev/null 2>&1
HANDLER
chmod +x "$E2E_DIR/bin/xdg-open"
cd "$E2E_DIR/empty"
PATH="$E2E_DIR/bin:$PATH" open_dialog /c
cd - >/dev/null
click_at 317 197
for _ in $(seq 50); do
  [ -f "$E2E_DIR/opened" ] && break
  sleep 0.1
done
[ "$(cat "$E2E_DIR/opened" 2>/dev/null)" = "$(realpath "$(dirname "$CORALUX")/ReadMe.html")" ] ||
  fail "More Info opened '$(cat "$E2E_DIR/opened" 2>/dev/null)' instead of the page beside the program"
xdotool key --clearmodifiers Escape
expect_closed "Escape while the help handler still runs"
echo "ok: More Info opens the page beside the program without waiting for the handler"
echo "PASS"

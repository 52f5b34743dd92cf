#!/usr/bin/env bash
# The setup dialog and a full-screen show saving at once: OK in the dialog
# takes the focus from the show, which ends and stores its settings while the
# dialog stores the user's. The user's new choice is kept, a value the program
# does not know stays, and each value is stored once. Two rounds, each with
# another choice.
set -euo pipefail
CORALUX=$(realpath "$1")
source "$(dirname "$0")/support/saver.bash"
# The X server resets when its last client leaves, and a program starting
# during the reset finds no display: one client stays for the whole script.
xev -root -event focus >/dev/null 2>&1 &

mkdir -p "$(dirname "$STORE")"
printf 'Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Quillworth Software\\Coralux Screensaver]\n"EnableSounds"=dword:00000000\n"Unknown"=dword:00000007\n' >"$STORE"

for round in "End 0000000a" "Home 00000000"; do
  read -r key expected <<<"$round"
  "$CORALUX" /c &
  dialog=$!
  wid=
  for _ in $(seq 100); do
    kill -0 "$dialog" 2>/dev/null || fail "the dialog ended before showing"
    wid=$(xdotool search --onlyvisible --name '^Coralux: Setup$' 2>/dev/null | head -1) && [ -n "$wid" ] && break
    sleep 0.1
  done
  [ -n "$wid" ] || fail "no dialog"
  xdotool windowfocus --sync "$wid"
  sleep 0.3
  # The yellow fish slider, at (97, 131) of the dialog's 350 x 247 units, moved to an end.
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  xdotool mousemove --sync $((X + 97 * WIDTH / 350)) $((Y + 131 * HEIGHT / 247)) click 1
  xdotool key --clearmodifiers "$key"

  "$CORALUX" /s &
  show=$!
  wait_for_window "$show"
  sleep 1
  xdotool windowfocus --sync "$wid" key --clearmodifiers Return
  wait_for_exit "$dialog" 10
  [ "$EXIT_STATUS" -eq 0 ] || fail "the dialog ended with status $EXIT_STATUS"
  wait_for_exit "$show" 10
  [ "$EXIT_STATUS" -eq 0 ] || fail "the show ended with status $EXIT_STATUS"

  grep -q "^\"YellowFishCount\"=dword:$expected\$" "$STORE" || fail "the dialog's choice ($key) was lost:
$(cat "$STORE")"
  grep -q '^"Unknown"=dword:00000007$' "$STORE" || fail "a value the program does not know was lost"
  [ "$(grep -c '^"' "$STORE")" -eq 15 ] || fail "the store does not hold each value once:
$(cat "$STORE")"
  echo "ok: the dialog's choice ($key) kept while the show saved"
done
echo "PASS"

#!/usr/bin/env bash
# The settings store in trouble, with the real program: made read-only,
# damaged, replaced by a folder, or its config home impossible to create.
# Each time the show runs on what it can read and ends normally on its host's
# SIGTERM; what it cannot write stays as it was, and a damaged store keeps
# its readable values and its unreadable lines. The setup dialog's OK on a
# read-only store says so instead of dropping the user's choice silently.
set -euo pipefail
CORALUX=$(realpath "$1")
source "$(dirname "$0")/support/saver.bash"
# The X server resets when its last client leaves, and a program starting
# during the reset finds no display: one client stays for the whole script.
xev -root -event focus >/dev/null 2>&1 &
export SDL_AUDIODRIVER=dummy
KEY='[HKEY_CURRENT_USER\Software\Quillworth Software\Coralux Screensaver]'

# Runs the show until it draws, ends it as a host does and checks it ended cleanly.
run_show() {
  "$CORALUX" /s 2>"$E2E_DIR/stderr" &
  local pid=$!
  wait_for_window "$pid"
  sleep 0.5
  kill -TERM "$pid"
  wait_for_exit "$pid" 10
  [ "$EXIT_STATUS" -eq 0 ] || fail "$1: the show ended with status $EXIT_STATUS: $(cat "$E2E_DIR/stderr")"
}

reset_store() {
  rm -rf "$XDG_CONFIG_HOME"
  mkdir -p "$(dirname "$STORE")"
  printf '%s\n' 'Windows Registry Editor Version 5.00' '' "$KEY" "$@" >"$STORE"
}

reset_store '"Fade"=dword:00000025'
chmod 444 "$STORE"
before=$(md5sum <"$STORE")
run_show "read-only store"
[ "$(md5sum <"$STORE")" = "$before" ] || fail "the read-only store changed"
echo "ok: a read-only store is read and left alone"

reset_store '"Fade"=dword:00000025' $'\x7f\x45\x4c\x46\x01 junk' '"EnableFPS"=dword:00000001' '"YellowFishCount"=dwo'
run_show "damaged store"
grep -q '^"Fade"=dword:00000025$' "$STORE" || fail "a readable value was lost: $(cat "$STORE")"
grep -q '^"EnableFPS"=dword:00000001$' "$STORE" || fail "a readable value was lost: $(cat "$STORE")"
grep -q $'^\x7f''ELF' "$STORE" || fail "an unreadable line was dropped"
grep -q '^"YellowFishCount"=dword:00000005$' "$STORE" || fail "a damaged value was not mended: $(cat "$STORE")"
echo "ok: a damaged store keeps what it holds and gets the rest"

rm -rf "$XDG_CONFIG_HOME"
mkdir -p "$STORE"
run_show "a folder in the store's place"
[ -d "$STORE" ] || fail "the folder in the store's place was replaced"
echo "ok: a folder in the store's place is left alone"

rm -rf "$XDG_CONFIG_HOME"
touch "$E2E_DIR/file"
XDG_CONFIG_HOME="$E2E_DIR/file/config" run_show "a config home that cannot be made"
echo "ok: a config home that cannot be made"

rm -rf "$XDG_CONFIG_HOME"
XDG_CONFIG_HOME="$E2E_DIR/new/deep/config" run_show "a missing config home"
[ "$(grep -c '^"' "$E2E_DIR/new/deep/config/coralux/settings.reg")" -eq 14 ] ||
  fail "the missing config home was not made with the fourteen values"
echo "ok: a missing config home is made"

reset_store '"YellowFishCount"=dword:00000005'
chmod 444 "$STORE"
"$CORALUX" /c 2>"$E2E_DIR/stderr" &
dialog=$!
wid=
for _ in $(seq 100); do
  wid=$(xdotool search --onlyvisible --name '^Coralux: Setup$' 2>/dev/null | head -1) && [ -n "$wid" ] && break
  sleep 0.1
done
[ -n "$wid" ] || fail "no dialog"
xdotool windowfocus --sync "$wid"
sleep 0.3
eval "$(xdotool getwindowgeometry --shell "$wid")"
xdotool mousemove --sync $((X + 97 * WIDTH / 350)) $((Y + 131 * HEIGHT / 247)) click 1
xdotool key --clearmodifiers End Return
box=
for _ in $(seq 50); do
  kill -0 "$dialog" 2>/dev/null || break
  box=$(xdotool search --onlyvisible --name '^Coralux:$' 2>/dev/null | head -1) && [ -n "$box" ] && break
  sleep 0.1
done
[ -n "$box" ] || fail "OK on a read-only store said nothing"
xdotool windowfocus --sync "$box" key --clearmodifiers Return
wait_for_exit "$dialog" 10
[ "$EXIT_STATUS" -ne 0 ] || fail "a lost save ended with status 0"
grep -q '"Could not save the settings"' "$E2E_DIR/stderr" || fail "no message on standard error: $(cat "$E2E_DIR/stderr")"
echo "ok: OK on a read-only store says the settings were not saved"
echo "PASS"

#!/usr/bin/env bash
# With no store at all, a full-screen run creates the key empty at start, in
# a file regedit could import, and, ended by its host (SIGTERM), leaves all
# fourteen values at their defaults. With only the file an earlier version
# wrote (elsewhere, in decimal), the run uses its values, writes the new
# file from it and leaves the old one as it was.
set -euo pipefail
CORALUX=$(realpath "$1")
source "$(dirname "$0")/support/saver.bash"
# The X server resets when its last client leaves, and a program starting
# during the reset finds no display: one client stays for the whole script.
xev -root -event focus >/dev/null 2>&1 &

# Runs the show until it draws, then ends it as its host does.
run_show() {
  "$CORALUX" /s "$@" &
  local pid=$!
  wait_for_window "$pid"
  sleep 0.5
  kill -TERM "$pid"
  wait_for_exit "$pid" 20
  [ "$EXIT_STATUS" -eq 0 ] || fail "the run ended with status $EXIT_STATUS"
}

"$CORALUX" /s &
pid=$!
wait_for_window "$pid"
[ -f "$STORE" ] || fail "no store was created at start"
[ "$(head -1 "$STORE")" = "Windows Registry Editor Version 5.00" ] || fail "the new store is no .reg file: $(cat "$STORE")"
grep -q '^\[HKEY_CURRENT_USER\\Software\\Quillworth Software\\Coralux Screensaver\]$' "$STORE" ||
  fail "no key in the new store"
grep -q '^"' "$STORE" && fail "the new key is not empty: $(cat "$STORE")"

kill -TERM "$pid"
wait_for_exit "$pid" 20
[ "$EXIT_STATUS" -eq 0 ] || fail "the run ended with status $EXIT_STATUS"

expected='"ScreenWidth"=dword:00000280
"ScreenHeight"=dword:000001e0
"ScreenDepth"=dword:00000010
"UseDesktopSettings"=dword:00000001
"EnableSounds"=dword:00000001
"UseDesktopBitmap"=dword:00000000
"BackgroundRes"=dword:00000200
"EnableRipples"=dword:00000001
"EnableFPS"=dword:00000000
"Fade"=dword:00000064
"YellowFishCount"=dword:00000005
"PearlFishCount"=dword:00000005
"BlueFishCount"=dword:00000005
"TinyFishCount"=dword:00000005'
values=$(grep '^"' "$STORE" || true)
[ "$values" = "$expected" ] || fail "store after the run:
$(cat "$STORE")"
echo "ok: a first run stores the defaults"

rm -rf "$XDG_CONFIG_HOME"
EARLIER="$XDG_CONFIG_HOME/Quillworth Software/Coralux Screensaver.reg"
mkdir -p "$(dirname "$EARLIER")"
cat >"$EARLIER" <<'STORE'
; Coralux Screensaver settings for this user. Safe to edit by hand; lines
; the program cannot read are kept as they are. One value per line:
;   "Name"=dword:640      32-bit number, decimal (or 0x hexadecimal)
;   "Name"="text"         text; write \\ for \ and \" for "
;   "Name"=hex:01,02,ff   binary bytes; hex(N): for a value of type N

[Software\Quillworth Software\Coralux Screensaver]
"EnableSounds"=dword:0
"Fade"=dword:33
"YellowFishCount"=dword:10
STORE
before=$(md5sum <"$EARLIER")
run_show
[ "$(md5sum <"$EARLIER")" = "$before" ] || fail "the earlier store changed"
for value in '"EnableSounds"=dword:00000000' '"Fade"=dword:00000021' '"YellowFishCount"=dword:0000000a' \
  '"TinyFishCount"=dword:00000005'; do
  grep -qx "$value" "$STORE" || fail "the new store lacks $value:
$(cat "$STORE")"
done
echo "ok: the earlier store is read, copied into the new one and left in place"
echo "PASS"

#!/usr/bin/env bash
# With no store at all, a full-screen run creates the key empty at start and,
# ended by its host (SIGTERM), leaves all fourteen values at their defaults.
set -euo pipefail
CORALUX=$(realpath "$1")
source "$(dirname "$0")/support/saver.bash"

"$CORALUX" /s &
pid=$!
wait_for_window "$pid"
[ -f "$STORE" ] || fail "no store was created at start"
grep -q '^\[Software\\Quillworth Software\\Coralux Screensaver\]$' "$STORE" || fail "no key in the new store"
grep -q '^"' "$STORE" && fail "the new key is not empty: $(cat "$STORE")"

kill -TERM "$pid"
wait_for_exit "$pid" 20
[ "$EXIT_STATUS" -eq 0 ] || fail "the run ended with status $EXIT_STATUS"

expected='"ScreenWidth"=dword:640
"ScreenHeight"=dword:480
"ScreenDepth"=dword:16
"UseDesktopSettings"=dword:1
"EnableSounds"=dword:1
"UseDesktopBitmap"=dword:0
"BackgroundRes"=dword:512
"EnableRipples"=dword:1
"EnableFPS"=dword:0
"Fade"=dword:100
"YellowFishCount"=dword:5
"PearlFishCount"=dword:5
"BlueFishCount"=dword:5
"TinyFishCount"=dword:5'
values=$(grep '^"' "$STORE" || true)
[ "$values" = "$expected" ] || fail "store after the run:
$(cat "$STORE")"
echo "PASS"

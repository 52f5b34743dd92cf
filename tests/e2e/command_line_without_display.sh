#!/usr/bin/env bash
# Without any display: an unknown switch and the setup mode end quietly with
# status 0 and never try to open a window; the show fails with a clear message
# on standard error and a non-zero status, and never hangs.
set -euo pipefail
CORALUX=$1
unset DISPLAY WAYLAND_DISPLAY
ERR=$(mktemp)
# Every mode reads the settings store, and creates it: in a config home of the script's own.
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME
trap 'rm -f "$ERR"; rm -rf "$XDG_CONFIG_HOME"' EXIT

for quiet in /x -q "" /c; do
  status=0
  timeout 10 "$CORALUX" $quiet 2>"$ERR" || status=$?
  [ "$status" -eq 0 ] || { echo "FAIL: '$quiet' ended with status $status"; exit 1; }
  [ ! -s "$ERR" ] || { echo "FAIL: '$quiet' wrote: $(cat "$ERR")"; exit 1; }
done
echo "ok: quiet modes"

status=0
timeout 10 "$CORALUX" /s 2>"$ERR" || status=$?
[ "$status" -ne 0 ] && [ "$status" -ne 124 ] || { echo "FAIL: /s without display ended with status $status"; exit 1; }
grep -q "cannot open the X display" "$ERR" || { echo "FAIL: no display message: $(cat "$ERR")"; exit 1; }
grep -q '"Could not create main window"' "$ERR" || { echo "FAIL: no failure message: $(cat "$ERR")"; exit 1; }
echo "ok: /s without display"

# A mistyped option is named, with status 2, before anything else happens.
status=0
timeout 10 "$CORALUX" /s --yelow-fish=3 2>"$ERR" || status=$?
[ "$status" -eq 2 ] || { echo "FAIL: a mistyped option ended with status $status"; exit 1; }
grep -q "unrecognized option '--yelow-fish=3'" "$ERR" || { echo "FAIL: the message does not name it: $(cat "$ERR")"; exit 1; }
echo "ok: a mistyped option"

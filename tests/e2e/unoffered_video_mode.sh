#!/usr/bin/env bash
# A stored video mode the display does not offer: the show fails with the
# trace and its message in the "Coralux:" box and on standard error, the
# screen is back in its own mode before the box shows, Return dismisses the
# box and the process ends with a non-zero status. A host's single SIGTERM
# ends the process while the box shows.
set -euo pipefail
CORALUX=$1
HOME_DIR=$(mktemp -d)
trap 'rm -rf "$HOME_DIR"' EXIT
export XDG_CONFIG_HOME=$HOME_DIR
mkdir -p "$HOME_DIR/coralux"
cat >"$HOME_DIR/coralux/settings.reg" <<'EOF'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Quillworth Software\Coralux Screensaver]
"ScreenWidth"=dword:00000280
"ScreenHeight"=dword:000001e0
"ScreenDepth"=dword:00000010
"UseDesktopSettings"=dword:00000000
"EnableSounds"=dword:00000000
EOF

xvfb-run -a -s "-screen 0 1024x768x24" bash -s "$CORALUX" "$HOME_DIR/stderr" <<'EOF'
set -euo pipefail
CORALUX=$1
ERR=$2
"$CORALUX" /s 2>"$ERR" &
PID=$!

find_box() {
  box=
  for _ in $(seq 100); do
    # The tree may change while it is walked (windows come and go): try again.
    box=$( (xwininfo -root -tree 2>/dev/null || true) | sed -n 's/^ *\(0x[0-9a-f]*\) "Coralux:".*/\1/p' | head -n1)
    [ -n "$box" ] && return 0
    sleep 0.1
  done
  kill -KILL "$PID"
  echo "FAIL: no message box"
  cat "$ERR"
  exit 1
}
find_box

size=$(xrandr | sed -n 's/.*current \([0-9]*\) x \([0-9]*\),.*/\1x\2/p')
[ "$size" = "1024x768" ] || { echo "FAIL: screen is $size while the box shows"; exit 1; }

xdotool windowfocus --sync "$box"
xdotool key Return
status=0
timeout 5 tail --pid="$PID" -f /dev/null || { kill -KILL "$PID"; echo "FAIL: Return left the box open"; exit 1; }
wait "$PID" || status=$?
[ "$status" -ne 0 ] || { echo "FAIL: a failed show exited 0"; exit 1; }

expected=$(printf '%s\n%s\n\n%s' "Coralux:" \
  "CSaverApp::InitInstance() -> CSaverApp::MainLoop() -> CSaverApp::DoSaver()" \
  '"Could not set specified video mode"')
[ "$(cat "$ERR")" = "$expected" ] || { echo "FAIL: standard error reads:"; cat "$ERR"; exit 1; }

"$CORALUX" /s 2>/dev/null &
PID=$!
find_box
kill -TERM "$PID"
timeout 2 tail --pid="$PID" -f /dev/null || { kill -KILL "$PID"; echo "FAIL: SIGTERM left the box open"; exit 1; }
echo "ok: failure shown with its trace, mode kept, status $status, SIGTERM ends the box"
EOF

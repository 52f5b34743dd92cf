#!/usr/bin/env bash
# No display, or a display without GL. DISPLAY naming a display where no
# server runs: the show fails with its message on standard error and status
# 1, the setup dialog and the preview end with status 0 (the dialog saying
# why it shows nothing); none hangs, and so for the preview without DISPLAY.
# An X server without GLX: the show's box reads "Could not create main
# window", Return ends it with status 1 and the store is unchanged; the
# hosted show says the same on standard error only.
set -euo pipefail
CORALUX=$(realpath "$1")
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export XDG_CONFIG_HOME=$WORK/config SDL_AUDIODRIVER=dummy
ERR=$WORK/stderr
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

nowhere=
for n in $(seq 90 120); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { nowhere=":$n"; break; }
done
[ -n "$nowhere" ] || fail "no free display number"

# Runs the program with DISPLAY as given ("" unsets it); its status in STATUS.
run() {
  local display=$1
  shift
  STATUS=0
  if [ -z "$display" ]; then
    env -u DISPLAY timeout 10 "$CORALUX" "$@" 2>"$ERR" || STATUS=$?
  else
    DISPLAY=$display timeout 10 "$CORALUX" "$@" 2>"$ERR" || STATUS=$?
  fi
  [ "$STATUS" -ne 124 ] || fail "'$*' on display '$display' still runs after 10 s"
}

run "$nowhere" /s
[ "$STATUS" -eq 1 ] || fail "/s on $nowhere ended with status $STATUS"
grep -q "cannot open the X display \"$nowhere\"" "$ERR" || fail "/s on $nowhere: $(cat "$ERR")"
grep -q '"Could not create main window"' "$ERR" || fail "/s on $nowhere: $(cat "$ERR")"
for setup in /c ""; do
  run "$nowhere" $setup
  [ "$STATUS" -eq 0 ] || fail "'$setup' on $nowhere ended with status $STATUS"
  grep -q "cannot show the setup dialog on the X display \"$nowhere\"" "$ERR" || fail "'$setup': $(cat "$ERR")"
done
for display in "$nowhere" ""; do
  run "$display" /p 12345
  [ "$STATUS" -eq 0 ] || fail "/p on display '$display' ended with status $STATUS"
done
echo "ok: a display where no server runs, and the preview without one"

mkdir -p "$XDG_CONFIG_HOME/coralux"
STORE="$XDG_CONFIG_HOME/coralux/settings.reg"
printf '[Software\\Quillworth Software\\Coralux Screensaver]\n"Fade"=dword:00000025\n' >"$STORE"
before=$(md5sum <"$STORE")
xvfb-run -a -s "-screen 0 640x480x24 -extension GLX" bash -s "$CORALUX" "$ERR" <<'EOF2'
set -euo pipefail
CORALUX=$1
ERR=$2
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
"$CORALUX" /s 2>"$ERR" &
pid=$!
box=
for _ in $(seq 100); do
  box=$(xdotool search --onlyvisible --name '^Coralux:$' 2>/dev/null | head -1) && [ -n "$box" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
[ -n "$box" ] || { kill -KILL "$pid" 2>/dev/null; fail "no box without GLX: $(cat "$ERR")"; }
grep -q '^"Could not create main window"$' "$ERR" || fail "without GLX: $(cat "$ERR")"
xdotool windowfocus --sync "$box" key Return
status=0
timeout 5 tail --pid="$pid" -f /dev/null || { kill -KILL "$pid"; fail "Return left the box open"; }
wait "$pid" || status=$?
[ "$status" -eq 1 ] || fail "the show without GLX ended with status $status"

status=0
timeout 10 "$CORALUX" --root 2>"$ERR" || status=$?
[ "$status" -eq 1 ] || fail "the hosted show without GLX ended with status $status"
grep -q '^"Could not create main window"$' "$ERR" || fail "hosted without GLX: $(cat "$ERR")"
EOF2
[ "$(md5sum <"$STORE")" = "$before" ] || fail "a show without GLX changed the store: $(cat "$STORE")"
echo "ok: an X server without GLX"
echo "PASS"

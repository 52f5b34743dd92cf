#!/usr/bin/env bash
# End-to-end checks of Coralux.scr under Wine and Xvfb, the way the host's
# screen-saver settings use it. Runs inside xvfb-run (scripts/test-windows.sh
# starts it) with tests/windows/wine.bash sourced.
#   tests/windows/e2e.sh BUILD_DIR SHOT_DIR
# Prints one line per check and closes with "N passed, N failed".
set -uo pipefail
BUILD=$1
SHOTS=$2
SCR=$BUILD/Coralux.scr
HOST=$BUILD/TestHost.exe
KEY='HKCU\Software\Quillworth Software\Coralux Screensaver'
source "$(dirname "$0")/checks.bash"

check_name() {
  local name
  name=$(wine "$HOST" name "$SCR" 2>/dev/null | tr -d '\r')
  [ "$name" = "Coralux" ] && pass "string resource 1 is \"Coralux\"" || fail "string resource 1 reads '$name'"
}

# Without a sound card DirectSound refuses: the show runs silently and says nothing.
check_show() {
  local err=$SHOTS/.show-stderr
  wine "$SCR" /s 2>"$err" &
  local pid=$!
  if ! wait_for_title "OpenGL Window"; then
    fail "/s showed no saver window"
    return
  fi
  sleep 3
  local colours
  colours=$(count_colours "$SHOTS/windows-show.png")
  [ "$colours" -gt 1000 ] && pass "/s draws the scene ($colours colours)" || fail "/s shows $colours colours"

  # A second copy finds the mutex and ends at once, with no window of its own.
  local windows_before windows_after
  windows_before=$(xdotool search --onlyvisible --name '^OpenGL Window$' | wc -l)
  wine "$SCR" /s 2>/dev/null &
  local second=$!
  if wait_for_end "$second" 20 && [ "$STATUS" -eq 0 ]; then
    windows_after=$(xdotool search --onlyvisible --name '^OpenGL Window$' | wc -l)
    [ "$windows_after" -eq "$windows_before" ] && pass "a second /s is refused through the mutex" ||
      fail "a second /s opened a window"
  else
    kill -KILL "$second" 2>/dev/null
    fail "a second /s kept running beside the first"
  fi

  xdotool key space
  if wait_for_end "$pid" 10 && [ "$STATUS" -eq 0 ]; then
    pass "a key ends the show"
  else
    kill -KILL "$pid" 2>/dev/null
    fail "the show outlived a key (status ${STATUS:-running})"
  fi
  # Our messages also reach standard error; the ALSA library under Wine's
  # sound driver reports the missing card there too, which is not ours.
  local said
  said=$(grep -v '^ALSA lib ' "$err")
  [ -n "$said" ] && fail "the show without a sound card said: $said" ||
    pass "without a sound card the show runs silently, with no message"
  rm -f "$err"
  check_pointer_ends_show

  local count
  count=$(wine reg query "$KEY" 2>/dev/null | grep -c 'REG_DWORD')
  [ "$count" -eq 14 ] && pass "the registry holds the fourteen values after a run" ||
    fail "the registry holds $count values after a run"
}

# The pointer's jitter of up to 30 pixels keeps the show; 40 pixels end it.
# Until Wine has seen a pointer event it takes the pointer to be at the
# screen's centre, where Xvfb starts it: so the pointer moves only from there.
check_pointer_ends_show() {
  wine "$SCR" /s 2>/dev/null &
  local pid=$!
  if ! wait_for_title "OpenGL Window"; then
    kill -KILL "$pid" 2>/dev/null
    fail "the second show showed no window"
    return
  fi
  sleep 2
  xdotool mousemove_relative -- 20 -20
  sleep 2
  if ! kill -0 "$pid" 2>/dev/null; then
    fail "a 20-pixel move ended the show"
    return
  fi
  xdotool mousemove_relative -- 20 20
  if wait_for_end "$pid" 10 && [ "$STATUS" -eq 0 ]; then
    pass "a 20-pixel move keeps the show, a 40-pixel one ends it"
  else
    kill -KILL "$pid" 2>/dev/null
    fail "the show outlived a 40-pixel move"
  fi
}

# With a sound device (ALSA's null one) the show plays its sounds on DirectSound.
check_show_with_sound() {
  printf 'pcm.!default { type null }\n' >"$HOME/.asoundrc"
  local err=$SHOTS/.sound-stderr
  wine "$SCR" /s 2>"$err" &
  local pid=$!
  if wait_for_title "OpenGL Window"; then
    sleep 3
    xdotool key space
    if wait_for_end "$pid" 10 && [ "$STATUS" -eq 0 ] && [ ! -s "$err" ]; then
      pass "with a sound device the show plays and a key ends it"
    else
      kill -KILL "$pid" 2>/dev/null
      fail "the show with a sound device: status ${STATUS:-running}, $(cat "$err")"
    fi
  else
    kill -KILL "$pid" 2>/dev/null
    fail "with a sound device /s showed no window: $(cat "$err")"
  fi
  rm -f "$err" "$HOME/.asoundrc"
}

check_preview() {
  local out
  if out=$(wine "$HOST" preview "$SCR" 2>/dev/null | tr -d '\r'); then
    pass "/p HWND fills the host's window, lives with it and ends with it"
  else
    fail "/p HWND: $out"
  fi
}

# The host's settings start /s a moment before their /p instance has let the
# single-instance mutex go: the show waits for it and runs.
check_handover() {
  # The show inherits TestHost's output, so that goes to a file, not a pipe
  # that would stay open as long as the show runs.
  local out=$SHOTS/.handover
  if ! wine "$HOST" handover "$SCR" >"$out" 2>/dev/null; then
    fail "the preview's hand-over to /s: $(tr -d '\r' <"$out")"
    rm -f "$out"
    return
  fi
  rm -f "$out"
  if wait_for_title "OpenGL Window"; then
    sleep 1
    xdotool key space
    wait_for_no_title "OpenGL Window" && pass "/s started while a /p instance is ending runs the show" ||
      fail "the show after the preview outlived a key"
  else
    fail "/s started while a /p instance was ending never showed"
  fi
}

# The manifest as the system reads it: per-monitor DPI awareness (with the
# older systems' fallback), today's common controls, Windows 7 to 11.
check_manifest() {
  local expected seen
  expected=$(cat <<'EOF_MANIFEST'
dpiAwareness=PerMonitorV2, PerMonitor
dpiAware=true/pm
assembly=QuillworthSoftware.Coralux,processorArchitecture="amd64",type="win32",version="1.0.0.0"
assembly=Microsoft.Windows.Common-Controls,processorArchitecture="amd64",publicKeyToken="6595b64144ccf1df",type="win32",version="6.0.2600.2982"
supportedOS={35138b9a-5d96-4fbd-8e2d-a2440225f93a}
supportedOS={4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}
supportedOS={1f676c76-80e1-4239-95bb-83d0f6d0da78}
supportedOS={8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}
EOF_MANIFEST
)
  seen=$(wine "$HOST" manifest "$SCR" 2>/dev/null | tr -d '\r')
  [ "$seen" = "$expected" ] && pass "the manifest asks for per-monitor DPI, Common Controls 6 and Windows 7 to 11" ||
    fail "the manifest reads: $(echo "$seen" | paste -sd ' ')"
}

# The host's password change (/a HWND) belongs to the older host family: here
# its entry point is missing, so the mode ends at once and quietly.
check_password_change() {
  wine "$SCR" /a 65552 2>/dev/null &
  local pid=$!
  if wait_for_end "$pid" 20 && [ "$STATUS" -eq 0 ]; then
    pass "/a HWND ends quietly without the older host's password service"
  else
    kill -KILL "$pid" 2>/dev/null
    fail "/a HWND did not end quietly (status ${STATUS:-running})"
  fi
}

# The template alone, through the host's dialog manager: /c does not show it yet.
check_dialog_template() {
  wine "$HOST" dialog "$SCR" >"$SHOTS/.dialog-out" 2>/dev/null &
  local pid=$!
  if ! wait_for_title "Template 102"; then
    kill -KILL "$pid" 2>/dev/null
    fail "dialog template 102: $(tr -d '\r' <"$SHOTS/.dialog-out")"
    return
  fi
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$FOUND")"
  xwd -root -silent | convert xwd:- -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$SHOTS/windows-dialog-template.png"
  xdotool windowfocus --sync "$FOUND" key Escape
  if wait_for_end "$pid" 10 && [ "$STATUS" -eq 0 ]; then
    pass "dialog template 102 shows every control, trackbars included"
  else
    kill -KILL "$pid" 2>/dev/null
    fail "dialog template 102: $(tr -d '\r' <"$SHOTS/.dialog-out")"
  fi
  rm -f "$SHOTS/.dialog-out"
}

# The registry's YellowFishCount, as a number; empty when absent.
read_yellow_fish() {
  local value
  value=$(wine reg query "$KEY" /v YellowFishCount 2>/dev/null | tr -d '\r' | awk '$1 == "YellowFishCount" {print $3}')
  [ -n "$value" ] && echo $((value))
}

# /c from the dialog resource: the keyboard moves the yellow fish's trackbar
# (the seventh tab stop from the "X" button) one step; the move is kept by
# OK and dropped by Cancel.
run_setup() {
  local keys=$1 shot=${2:-}
  wine "$SCR" /c 2>/dev/null &
  local pid=$!
  if ! wait_for_title "Coralux: Setup"; then
    kill -KILL "$pid" 2>/dev/null
    return 1
  fi
  sleep 1
  xdotool windowfocus --sync "$FOUND" key --delay 50 Tab Tab Tab Tab Tab Tab Tab Right
  sleep 0.5
  if [ -n "$shot" ]; then
    eval "$(xdotool getwindowgeometry --shell "$FOUND")"
    xwd -root -silent | convert xwd:- -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shot"
  fi
  xdotool windowfocus --sync "$FOUND" key "$keys"
  wait_for_end "$pid" 10 || { kill -KILL "$pid" 2>/dev/null; return 1; }
  wineserver -w
}

check_setup_dialog() {
  local before after
  before=$(read_yellow_fish)
  if [ -z "$before" ]; then
    fail "no YellowFishCount in the registry before /c"
    return
  fi
  if ! run_setup Escape; then
    fail "/c showed no setup dialog, or Escape did not end it"
    return
  fi
  after=$(read_yellow_fish)
  [ "$after" = "$before" ] && pass "Cancel leaves the registry as it was" ||
    fail "Cancel changed YellowFishCount from '$before' to '$after'"
  if ! run_setup Return "$SHOTS/windows-dialog.png"; then
    fail "the setup dialog did not end with OK"
    return
  fi
  after=$(read_yellow_fish)
  [ "$after" = "$((before + 1))" ] && pass "/c: a trackbar moved by the keyboard and OK reach the registry" ||
    fail "after OK YellowFishCount is '$after', was '$before'"
}

# Dragging the caption strip with the left button moves the dialog with the pointer.
check_dialog_drag() {
  wine "$SCR" /c 2>/dev/null &
  local pid=$!
  if ! wait_for_title "Coralux: Setup"; then
    kill -KILL "$pid" 2>/dev/null
    fail "/c showed no setup dialog to drag"
    return
  fi
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$FOUND")"
  local startX=$X startY=$Y
  xdotool mousemove $((X + 100)) $((Y + 10)) sleep 0.3 mousedown 1 sleep 0.3 mousemove $((X + 103)) $((Y + 12)) \
    sleep 0.3 mousemove $((X + 200)) $((Y + 110)) sleep 0.5 mouseup 1
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$FOUND")"
  xdotool windowfocus --sync "$FOUND" key Escape
  wait_for_end "$pid" 10 || kill -KILL "$pid" 2>/dev/null
  # The pointer went 100 pixels right and down, give or take the first move's few.
  if [ $((X - startX)) -ge 90 ] && [ $((Y - startY)) -ge 90 ]; then
    pass "dragging the caption strip moves the dialog"
  else
    fail "the dialog moved by $((X - startX)),$((Y - startY)) for a 100,100 drag"
  fi
}

# "More Info..." opens ReadMe.chm beside the .scr: a compiled help file
# (its "ITSF" signature) titled as the page it comes from.
check_help_file() {
  local help=$BUILD/ReadMe.chm
  if [ "$(head -c 4 "$help" 2>/dev/null)" = "ITSF" ] && grep -q "Coralux Screensaver" "$help"; then
    pass "ReadMe.chm is a compiled help file of the ReadMe page"
  else
    fail "no compiled help file at $help"
  fi
}

check_unoffered_mode() {
  wine reg add "$KEY" /v UseDesktopSettings /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine reg add "$KEY" /v ScreenWidth /t REG_DWORD /d 800 /f >/dev/null 2>&1
  wine reg add "$KEY" /v ScreenHeight /t REG_DWORD /d 600 /f >/dev/null 2>&1
  local err=$SHOTS/.mode-stderr
  wine "$SCR" /s 2>"$err" &
  local pid=$!
  if ! wait_for_title "Coralux:"; then
    kill -KILL "$pid" 2>/dev/null
    fail "an unoffered mode showed no \"Coralux:\" box"
    return
  fi
  local expected
  expected=$(printf '%s\n%s\n\n%s' "Coralux:" \
    "CSaverApp::InitInstance() -> CSaverApp::MainLoop() -> CSaverApp::DoSaver()" \
    '"Could not set specified video mode"')
  xdotool windowfocus --sync "$FOUND" key Return
  if ! wait_for_end "$pid" 10; then
    kill -KILL "$pid" 2>/dev/null
    fail "Return left the \"Coralux:\" box open"
  elif [ "$STATUS" -eq 0 ]; then
    fail "a failed show exited 0"
  elif [ "$(tr -d '\r' <"$err")" != "$expected" ]; then
    fail "the failure reads: $(cat "$err")"
  else
    pass "an unoffered mode shows the trace and \"Could not set specified video mode\""
  fi
  rm -f "$err"
  # The defaults again, for the checks that follow.
  wine reg add "$KEY" /v UseDesktopSettings /t REG_DWORD /d 1 /f >/dev/null 2>&1
  wine reg add "$KEY" /v ScreenWidth /t REG_DWORD /d 640 /f >/dev/null 2>&1
  wine reg add "$KEY" /v ScreenHeight /t REG_DWORD /d 480 /f >/dev/null 2>&1
}

check_name
check_manifest
check_show
check_show_with_sound
check_preview
check_handover
check_dialog_template
check_setup_dialog
check_dialog_drag
check_help_file
check_password_change
check_unoffered_mode
finish_checks e2e

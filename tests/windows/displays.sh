#!/usr/bin/env bash
# The full-screen show under Wine on displays other than the suite's own, each
# an X server of this script's: two monitors (Xorg's dummy driver with
# Xinerama, the other monitor right and then left of the primary one) and a
# 16-bit screen. Runs inside xvfb-run with tests/windows/wine.bash sourced
# (scripts/test-windows.sh does both); leaves the prefix's wineserver ended.
#   tests/windows/displays.sh BUILD_DIR SHOT_DIR
# Prints one line per check and closes with "N passed, N failed".
set -uo pipefail
BUILD=$1
SHOTS=$2
SCR=$BUILD/Coralux.scr
HOST=$BUILD/TestHost.exe
KEY='HKCU\Software\Quillworth Software\Coralux Screensaver'
X11_KEY='HKCU\Software\Wine\X11 Driver'
source "$(dirname "$0")/checks.bash"
WORK=$(mktemp -d /tmp/coralux-displays-XXXXXX)
XPID=

end_displays() {
  restart_wine
  [ -n "$XPID" ] && kill "$XPID" 2>/dev/null && wait "$XPID" 2>/dev/null
  rm -rf "$WORK"
}
trap end_displays EXIT

# Starts an X server of ours (the command given, without its display) on a
# free display, and makes it the one Wine's programs use from now on.
start_x() {
  rm -f "$WORK/display"
  "$@" -noreset -nolisten tcp -displayfd 3 3>"$WORK/display" >"$WORK/x.log" 2>&1 &
  XPID=$!
  for _ in $(seq 200); do
    [ -s "$WORK/display" ] || ! kill -0 "$XPID" 2>/dev/null && break
    sleep 0.1
  done
  [ -s "$WORK/display" ] || return 1
  export DISPLAY=:$(cat "$WORK/display")
  restart_wine
}

stop_x() {
  restart_wine
  kill "$XPID" 2>/dev/null
  wait "$XPID" 2>/dev/null
  XPID=
}

# Two dummy screens of one Xinerama desktop: the primary one, 1024x768, and
# an 800x600 one on the side given (right or left).
write_two_monitors_conf() {
  cat >"$WORK/xorg.conf" <<EOF
Section "ServerFlags"
    Option "AutoAddDevices" "false"
    Option "DontVTSwitch" "true"
    Option "Xinerama" "true"
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0 - 1000.0
    VertRefresh 5.0 - 200.0
    Modeline "1024x768" 65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync
    Modeline "800x600" 40.00 800 840 968 1056 600 601 605 628 +hsync +vsync
EndSection
Section "Device"
    Identifier "card0"
    Driver "dummy"
    VideoRam 16384
EndSection
Section "Device"
    Identifier "card1"
    Driver "dummy"
    VideoRam 16384
EndSection
Section "Screen"
    Identifier "primary"
    Device "card0"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Modes "1024x768"
    EndSubSection
EndSection
Section "Screen"
    Identifier "other"
    Device "card1"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Modes "800x600"
    EndSubSection
EndSection
Section "ServerLayout"
    Identifier "two monitors"
    Screen 0 "primary" 0 0
    Screen 1 "other" $([ "$1" = left ] && echo LeftOf || echo RightOf) "primary"
EndSection
EOF
}

# One show on two monitors, the pointer resting at (X, Y) of the X desktop
# when it starts; ended by ACTION (key, click or move). The first one also
# looks at what each monitor shows.
check_show_ends_on_two_monitors() {
  local side=$1 action=$2 x=$3 y=$4 primary=$5 other=$6
  xdotool mousemove "$x" "$y"
  if ! start_show "$SCR"; then
    fail "two monitors, other $side: /s showed no saver window"
    return
  fi
  sleep 2
  if [ "$action" = key ]; then
    local drawn black
    drawn=$(count_colours "$SHOTS/.primary.png" "$primary")
    black=$(count_colours "$SHOTS/.other.png" "$other")
    xwd -root -silent | convert xwd:- "$SHOTS/windows-two-monitors-$side.png"
    [ "$drawn" -gt 1000 ] && [ "$black" -eq 1 ] &&
      pass "two monitors, other $side: the show fills the primary one, the other is black" ||
      fail "two monitors, other $side: $drawn colours on the primary monitor, $black on the other"
    rm -f "$SHOTS/.primary.png" "$SHOTS/.other.png"
  fi
  if ! kill -0 "$STARTED" 2>/dev/null; then
    fail "two monitors, other $side: the show ended before the $action"
    return
  fi
  case $action in
  key) xdotool key space ;;
  click) xdotool click 1 ;;
  move) xdotool mousemove_relative -- 40 40 ;;
  esac
  show_ends && pass "two monitors, other $side: a $action${7:+ $7} ends the show" ||
    fail "two monitors, other $side: the show outlived a $action${7:+ $7} (status ${STATUS:-running})"
}

# Wine must see both monitors where they are, the primary one at (0, 0).
check_two_monitors() {
  local side=$1 expected=$2 primary_x=$3 other_x=$4
  write_two_monitors_conf "$side"
  if ! start_x Xorg -config "$WORK/xorg.conf" -novtswitch -sharevts -logfile "$WORK/xorg.log"; then
    fail "Xorg's dummy driver did not start: $(grep -m 3 '(EE)' "$WORK/xorg.log")"
    return
  fi
  local monitors
  monitors=$(wine "$HOST" monitors | tr -d '\r' | LC_ALL=C sort | paste -sd ' ')
  if [ "$monitors" != "$expected" ]; then
    fail "two monitors, other $side: Wine sees '$monitors', not '$expected'"
    stop_x
    return
  fi
  pass "Wine sees two monitors, the other one $side of the primary one: $monitors"
  local primary="1024x768+$primary_x+0" other="800x600+$other_x+0"
  check_show_ends_on_two_monitors "$side" key $((primary_x + 512)) 384 "$primary" "$other"
  check_show_ends_on_two_monitors "$side" click $((other_x + 400)) 300 "$primary" "$other" "over the other monitor"
  check_show_ends_on_two_monitors "$side" move $((other_x + 400)) 300 "$primary" "$other" "over the other monitor"
  stop_x
}

# With the desktop settings off the show switches to 640x480x16 (the
# dialog's first mode); on a 16-bit screen the pixel format has 16 bits.
check_16_bit_screen() {
  if ! start_x Xvfb -screen 0 640x480x16; then
    fail "no 16-bit Xvfb"
    return
  fi
  wine reg add "$KEY" /v UseDesktopSettings /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine reg add "$KEY" /v ScreenWidth /t REG_DWORD /d 640 /f >/dev/null 2>&1
  wine reg add "$KEY" /v ScreenHeight /t REG_DWORD /d 480 /f >/dev/null 2>&1
  wine reg add "$KEY" /v ScreenDepth /t REG_DWORD /d 16 /f >/dev/null 2>&1
  if start_show "$SCR"; then
    sleep 2
    local colours
    colours=$(count_colours "$SHOTS/windows-show-16bit.png")
    xdotool key space
    show_ends && [ "$colours" -gt 1000 ] &&
      pass "on a 16-bit screen with the desktop settings off the show runs ($colours colours)" ||
      fail "on a 16-bit screen: $colours colours, status ${STATUS:-running}"
  else
    fail "on a 16-bit screen with the desktop settings off /s showed no saver window"
  fi
  wine reg add "$KEY" /v UseDesktopSettings /t REG_DWORD /d 1 /f >/dev/null 2>&1
  stop_x
}

if [ "$(id -u)" -eq 0 ]; then
  # Wine's X11 driver crashes on the dummy driver's XVidMode.
  wine reg add "$X11_KEY" /v UseXVidMode /t REG_SZ /d N /f >/dev/null 2>&1
  check_two_monitors right "0,0,1024,768 primary 1024,0,1824,600" 0 1024
  check_two_monitors left "-800,0,0,600 0,0,1024,768 primary" 800 0
  wine reg delete "$X11_KEY" /v UseXVidMode /f >/dev/null 2>&1
else
  echo "skip: two monitors: Xorg's dummy driver needs root here"
fi
check_16_bit_screen
finish_checks displays

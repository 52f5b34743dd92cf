#!/usr/bin/env bash
# Coralux.scr under Wine with the display scaled to 150 % (144 DPI, the
# "LogPixels" Wine reads when it starts): the show, the preview and the
# setup dialog. Runs inside xvfb-run with tests/windows/wine.bash sourced
# (scripts/test-windows.sh does both); puts the scaling back when it ends.
#   tests/windows/scaling.sh BUILD_DIR SHOT_DIR
# Prints one line per check and closes with "N passed, N failed".
set -uo pipefail
BUILD=$1
SHOTS=$2
SCR=$BUILD/Coralux.scr
HOST=$BUILD/TestHost.exe
DESKTOP='HKCU\Control Panel\Desktop'
DPI=144
CORNER=96 # pixels: each corner of the screen must show the scene
source "$(dirname "$0")/checks.bash"

end_scaling() {
  wine reg delete "$DESKTOP" /v LogPixels /f >/dev/null 2>&1
  restart_wine
}
trap end_scaling EXIT

# Every corner of the screen shows the scene: a frame drawn smaller than
# the screen, or a window that covers only part of it, leaves a corner black.
check_corners() {
  local width=$1 height=$2 poorest=-1 corner colours
  for corner in "+0+0" "+$((width - CORNER))+0" "+0+$((height - CORNER))" "+$((width - CORNER))+$((height - CORNER))"; do
    colours=$(count_colours "$SHOTS/.corner.png" "${CORNER}x${CORNER}$corner")
    [ "$poorest" -lt 0 ] || [ "$colours" -lt "$poorest" ] && poorest=$colours
  done
  rm -f "$SHOTS/.corner.png"
  echo "$poorest"
}

# Per-monitor aware, the window covers the screen in physical pixels, and
# the frame fills it to the corners.
check_show() {
  local width height
  read -r width height < <(xdpyinfo | awk '/dimensions:/ {split($2, size, "x"); print size[1], size[2]}')
  if ! start_show "$SCR"; then
    fail "at $DPI DPI /s showed no saver window"
    return
  fi
  local seen expected="awareness=2 dpi=$DPI window=0,0,$width,$height screen=${width}x$height"
  seen=$(wine "$HOST" window "OpenGL Window" | tr -d '\r')
  [ "$seen" = "$expected" ] && pass "at $DPI DPI the show is per-monitor aware and covers the screen: $seen" ||
    fail "at $DPI DPI the show's window reads '$seen', not '$expected'"
  sleep 2
  local poorest
  poorest=$(check_corners "$width" "$height")
  xwd -root -silent | convert xwd:- "$SHOTS/windows-show-${DPI}dpi.png"
  [ "$poorest" -gt 100 ] && pass "at $DPI DPI the frame reaches every corner of the screen" ||
    fail "at $DPI DPI a corner of the screen shows $poorest colours"
  xdotool key space
  show_ends || fail "at $DPI DPI a key did not end the show"
}

check_preview() {
  local out
  out=$(wine "$HOST" preview "$SCR" 2>/dev/null | tr -d '\r') && pass "at $DPI DPI the /p picture fills the host's window" ||
    fail "at $DPI DPI /p: $out"
}

# Dialog units follow the dialog's font; the caption strip and the picture
# are bitmaps, scaled to their frames.
check_dialog() {
  if ! start_window "Coralux: Setup" "$SCR" /c; then
    fail "at $DPI DPI /c showed no setup dialog"
    return
  fi
  sleep 1
  shoot_window "$SHOTS/windows-dialog-${DPI}dpi.png"
  local out
  out=$(wine "$HOST" pictures "Coralux: Setup" 2 | tr -d '\r') &&
    pass "at $DPI DPI the caption strip's and the picture's windows fill their frames" ||
    fail "at $DPI DPI the dialog's pictures: $(echo "$out" | paste -sd ' ')"
  # A bitmap left at its own size would leave the lower right corner of a
  # larger frame unpainted, in one colour; both pictures have many there.
  local geometry w h x y poorest=-1 colours
  for geometry in $(echo "$out" | awk '$1 == "picture" {print $2}'); do
    IFS='x+' read -r w h x y <<<"$geometry"
    colours=$(count_colours "$SHOTS/.corner.png" "$((w / 8))x$((h / 8))+$((x + w - w / 8))+$((y + h - h / 8))")
    [ "$poorest" -lt 0 ] || [ "$colours" -lt "$poorest" ] && poorest=$colours
  done
  rm -f "$SHOTS/.corner.png"
  [ "$poorest" -gt 8 ] && pass "at $DPI DPI both bitmaps are scaled to their frames (${WIDTH}x$HEIGHT dialog)" ||
    fail "at $DPI DPI the lower right corner of a picture shows $poorest colours"
  xdotool windowfocus --sync "$FOUND" key Escape
  show_ends || fail "at $DPI DPI Escape did not end the setup dialog"
}

wine reg add "$DESKTOP" /v LogPixels /t REG_DWORD /d "$DPI" /f >/dev/null 2>&1
restart_wine
check_show
check_preview
check_dialog
finish_checks scaling

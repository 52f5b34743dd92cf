#!/usr/bin/env bash
# The setup program, and paths in a language the ANSI code page lacks, under
# Wine: in a prefix of their own, for a user whose profile folder is named
# in Cyrillic, with the code page 1252 (no Cyrillic letters) of a UTF-8
# locale. Runs inside xvfb-run (scripts/test-windows.sh starts it).
#   tests/windows/setup.sh BUILD_DIR
# Prints one line per check and closes with "N passed, N failed".
set -uo pipefail
BUILD=$(realpath "$1")
HOST=$BUILD/TestHost.exe
SETUP=$(ls "$BUILD"/Coralux-*-setup.exe 2>/dev/null | head -n 1)
export USER=Пользователь LC_ALL=C.UTF-8
source "$(dirname "$0")/wine.bash"
source "$(dirname "$0")/checks.bash"

PROFILE=$WINEPREFIX/drive_c/users/$USER
SYSTEM32=$WINEPREFIX/drive_c/windows/system32
INSTALLED="$WINEPREFIX/drive_c/Program Files/Coralux"
INSTALLED_SCR='C:\windows\system32\Coralux.scr'
HELP_SHORTCUT="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Coralux Screensaver Help.lnk"
DESKTOP='HKCU\Control Panel\Desktop'
KEY='HKCU\Software\Quillworth Software\Coralux Screensaver'
UNINSTALL='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Coralux'
SPI_SETSCREENSAVEACTIVE=17
WORK=$WINE_RUN_DIR/work
mkdir -p "$WORK"

# The help viewer's stand-in notes what "More Info..." asks it to open.
export CORALUX_OPENED='C:\opened.txt'
OPENED=$WINEPREFIX/drive_c/opened.txt
wine reg add 'HKCR\.chm' /ve /d chm.file /f >/dev/null 2>&1
wine reg add 'HKCR\chm.file\shell\open\command' /ve /d "\"$(winepath -w "$HOST")\" opened \"%1\"" /f >/dev/null 2>&1

# Opens SCR's setup dialog, presses "More Info..." and prints what the help
# viewer was asked to open (nothing when it was not started within 20 s).
help_opened_by() {
  rm -f "$OPENED"
  start_window "Coralux: Setup" "$1" /c || return
  wine "$HOST" press "Coralux: Setup" 1015 >/dev/null
  for _ in $(seq 200); do
    [ -s "$OPENED" ] && break
    sleep 0.1
  done
  wine "$HOST" press "Coralux: Setup" 2 >/dev/null
  show_ends
  [ -s "$OPENED" ] && tr -d '\r' <"$OPENED"
}

# The setup program carries a version resource of its own, as the .scr does.
check_version_resources() {
  local scr setup
  scr=$(wine "$HOST" version "$BUILD/Coralux.scr" | tr -d '\r')
  setup=$(wine "$HOST" version "$SETUP" | tr -d '\r')
  [ "$scr" = "Coralux Screensaver 1.0.0.0" ] && [ "$setup" = "$scr" ] &&
    pass "the .scr and the setup program both say \"$scr\" in their version resources" ||
    fail "version resources: .scr '$scr', setup '$setup'"
}

check_code_page() {
  local page
  page=$(wine "$HOST" codepage | tr -d '\r')
  if [ "$page" = 1252 ] && [ -d "$PROFILE" ]; then
    pass "the prefix runs with code page 1252 for a user whose profile folder is C:\\users\\$USER"
  else
    fail "code page '$page', profile folder $(ls "$WINEPREFIX/drive_c/users")"
  fi
}

# Beside the program in a Cyrillic folder, with no "Path" stored: the
# program's own folder must come through whole.
check_help_beside_program() {
  local folder="$PROFILE/Заставка"
  mkdir -p "$folder"
  cp "$BUILD/Coralux.scr" "$BUILD/ReadMe.chm" "$folder/"
  local opened expected="C:\\users\\$USER\\Заставка\\ReadMe.chm"
  opened=$(cd "$WORK" && help_opened_by "$folder/Coralux.scr")
  [ "$opened" = "$expected" ] && pass "\"More Info...\" opens the help beside a .scr in $expected" ||
    fail "\"More Info...\" beside the program opened '$opened', not $expected"
}

# Silently, for a user who has a timeout of their own but no "active" mark.
check_silent_install() {
  wine reg add "$DESKTOP" /v ScreenSaveTimeOut /t REG_SZ /d 300 /f >/dev/null 2>&1
  wine reg delete "$DESKTOP" /v ScreenSaveActive /f >/dev/null 2>&1
  wine "$HOST" settingchange "$SPI_SETSCREENSAVEACTIVE" >"$WORK/listener" 2>/dev/null &
  local listener=$!
  for _ in $(seq 200); do
    grep -q listening "$WORK/listener" && break
    sleep 0.1
  done
  if ! wine "$SETUP" /S 2>/dev/null; then
    fail "the silent setup failed"
    return
  fi
  cmp -s "$BUILD/Coralux.scr" "$SYSTEM32/Coralux.scr" && [ -f "$INSTALLED/ReadMe.chm" ] &&
    [ -f "$INSTALLED/Uninstall.exe" ] && pass "Coralux.scr lands in System32, the help and uninstaller in Program Files" ||
    fail "the files did not land: $(ls "$SYSTEM32"/Coralux.scr "$INSTALLED" 2>&1)"
  local path saver timeout active name
  path=$(read_reg "$KEY" Path)
  saver=$(read_reg "$DESKTOP" SCRNSAVE.EXE)
  timeout=$(read_reg "$DESKTOP" ScreenSaveTimeOut)
  active=$(read_reg "$DESKTOP" ScreenSaveActive)
  [ "$path" = 'C:\Program Files\Coralux\' ] && pass "\"Path\" names the help's folder with its backslash" ||
    fail "\"Path\" reads '$path'"
  [ "$saver" = "$INSTALLED_SCR" ] && [ "$timeout" = 300 ] && [ "$active" = 1 ] &&
    pass "Coralux is the current saver; the user's timeout stays, the missing \"active\" mark is set" ||
    fail "SCRNSAVE.EXE '$saver', timeout '$timeout', active '$active'"
  wait_for_end "$listener" 30 && [ "$STATUS" -eq 0 ] && pass "the setup announces the change to every window" ||
    fail "no announcement of the screen saver's change: $(tr -d '\r' <"$WORK/listener")"
  name=$(read_reg "$UNINSTALL" DisplayName)
  [ "$name" = "Coralux Screensaver" ] && [ -n "$(read_reg "$UNINSTALL" UninstallString)" ] &&
    pass "Apps & features lists \"Coralux Screensaver\" with its uninstaller" || fail "the Uninstall entry reads '$name'"
  [ -f "$HELP_SHORTCUT" ] && pass "every user's Start menu has \"Coralux Screensaver Help\"" ||
    fail "no help in the Start menu of all users"
}

check_installed_show() {
  if ! start_show "$INSTALLED_SCR"; then
    fail "the installed .scr showed no saver window"
    return
  fi
  sleep 2
  xdotool key space
  show_ends && pass "the installed Coralux.scr /s runs and a key ends it" ||
    fail "the installed show did not end with a key"
}

# A copy run from a folder without the help finds it through "Path" alone.
check_help_through_path() {
  local elsewhere=$WINEPREFIX/drive_c/elsewhere
  mkdir -p "$elsewhere"
  cp "$SYSTEM32/Coralux.scr" "$elsewhere/"
  local opened
  opened=$(cd "$WORK" && help_opened_by "$elsewhere/Coralux.scr")
  [ "$opened" = 'C:\Program Files\Coralux\ReadMe.chm' ] && pass "\"More Info...\" finds ReadMe.chm through \"Path\" alone" ||
    fail "\"More Info...\" of a copy elsewhere opened '$opened'"
}

# The uninstaller runs from a copy of itself and ends after its starter:
# the prefix's processes all end before its work is looked at.
uninstall_silently() {
  wine "$INSTALLED/Uninstall.exe" /S 2>/dev/null
  wineserver -w
}

check_silent_uninstall() {
  uninstall_silently
  [ ! -e "$SYSTEM32/Coralux.scr" ] && [ ! -e "$INSTALLED" ] && [ ! -e "$HELP_SHORTCUT" ] &&
    [ -z "$(read_reg "$UNINSTALL" DisplayName)" ] &&
    pass "the uninstaller removes the files, their folder, the help's shortcut and the Uninstall entry" ||
    fail "after uninstalling: $(ls "$SYSTEM32"/Coralux.scr "$INSTALLED" 2>&1), entry '$(read_reg "$UNINSTALL" DisplayName)'"
  local saver fish path
  saver=$(read_reg "$DESKTOP" SCRNSAVE.EXE)
  fish=$(read_reg "$KEY" YellowFishCount)
  path=$(read_reg "$KEY" Path)
  [ -z "$saver" ] && [ -n "$fish" ] && [ -z "$path" ] &&
    pass "it puts the screen saver back to none and keeps the user's settings (not \"Path\")" ||
    fail "SCRNSAVE.EXE '$saver', YellowFishCount '$fish', Path '$path' after uninstalling"
}

# A saver chosen after Coralux stays chosen when Coralux goes.
check_uninstall_keeps_other_saver() {
  wine "$SETUP" /S 2>/dev/null
  local other='C:\windows\system32\other.scr'
  wine reg add "$DESKTOP" /v SCRNSAVE.EXE /t REG_SZ /d "$other" /f >/dev/null 2>&1
  uninstall_silently
  local saver
  saver=$(read_reg "$DESKTOP" SCRNSAVE.EXE)
  [ "$saver" = "$other" ] && pass "uninstalling leaves another chosen saver alone" ||
    fail "uninstalling changed SCRNSAVE.EXE from $other to '$saver'"
}

if [ -z "$SETUP" ]; then
  fail "no setup program in $BUILD"
else
  check_version_resources
  check_code_page
  check_help_beside_program
  check_silent_install
  check_installed_show
  check_help_through_path
  check_silent_uninstall
  check_uninstall_keeps_other_saver
fi
finish_checks setup

#!/usr/bin/env bash
# Redraws docs/xscreensaver-settings.png and docs/mate-screensaver-preferences.png:
# the two hosts' settings windows with Coralux chosen and previewing, under
# Xvfb. Builds into build/ first. Runs as root (the hosts run as nobody, and
# a mount namespace of the script's own puts the build where they look).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${CORALUX_E2E_NAMESPACE:-}" ]; then
  scripts/build.sh >/dev/null
  export CORALUX_E2E_NAMESPACE=1 CORALUX_BINARY_DIR=$PWD/build
  exec unshare --mount --propagation private bash "$0" "$@"
fi
source tests/e2e/support/hosts.bash
DOCS=$PWD/docs

stage_install
# The hosts' own folders with Coralux added: the hacks and xscreensaver's descriptions.
mkdir "$WORK/hacks" "$WORK/config"
cp -a /usr/libexec/xscreensaver/. "$WORK/hacks/"
ln -s "$STAGE/usr/bin/coralux" "$WORK/hacks/coralux"
cp -a /usr/share/xscreensaver/config/. "$STAGE/usr/share/xscreensaver/config/coralux.xml" "$WORK/config/"
mount --bind "$WORK/hacks" /usr/libexec/xscreensaver
mount --bind "$WORK/config" /usr/share/xscreensaver/config
export XDG_DATA_DIRS=$STAGE/usr/share:/usr/share
as_user "$STAGE/usr/bin/coralux" --add-to-xscreensaver >/dev/null
printf 'mode: one\nselected: 0\nlock: False\n' >>"$USER_HOME/.xscreensaver"
mkdir -p "$USER_HOME/.config/glib-2.0/settings"
printf "[org/mate/screensaver]\nmode='single'\nthemes=['screensavers-coralux']\n" \
  >"$USER_HOME/.config/glib-2.0/settings/keyfile"
chown -R "$HOST_USER:$HOST_GROUP" "$USER_HOME"

# xscreensaver's settings are at least 1178 pixels wide, and open the pane
# to their right; without a window manager nothing moves them.
start_x 1900x760
start_session_bus
host() { as_user DBUS_SESSION_BUS_ADDRESS="$BUS" PATH="$STAGE/usr/bin:/usr/bin:/bin" SDL_AUDIODRIVER=dummy "$@"; }
host xscreensaver -no-splash >/dev/null 2>&1 &
host xscreensaver-settings >/dev/null 2>&1 &
# The main window and the pane share the title; the pane is not shown yet.
main=
for _ in $(seq 100); do
  for window in $(xdotool search --onlyvisible --name '^XScreenSaver: Coralux Settings$' 2>/dev/null); do
    xdotool getwindowgeometry "$window" | grep -q 'Geometry: 1x1$' || main=$window
  done
  [ -n "$main" ] && break
  sleep 0.1
done
[ -n "$main" ] || fail "xscreensaver-settings did not open on Coralux"
# Down to its narrowest, once it has settled at the screen's width.
sleep 2
for _ in $(seq 20); do
  xdotool windowsize "$main" 1100 700
  sleep 0.5
  xdotool getwindowgeometry "$main" | grep -q 'Geometry: 1178x' && break
done
xdotool mousemove 915 630 click 1  # "Settings..." of a window that wide
sleep 4
xwd -root -silent | convert xwd:- -crop 1866x746+0+0 +repage -define png:exclude-chunk=date,time "$DOCS/xscreensaver-settings.png"
kill "$XVFB_PID"
XVFB_PID=

start_x 1024x700
start_session_bus
host GSETTINGS_BACKEND=keyfile XDG_DATA_DIRS="$XDG_DATA_DIRS" mate-screensaver-preferences >/dev/null 2>&1 &
for _ in $(seq 100); do xdotool search --name 'Screensaver Preferences' >/dev/null 2>&1 && break; sleep 0.1; done
sleep 5
window=$(xdotool search --name 'Screensaver Preferences' | head -n1)
xwd -id "$window" -silent | convert xwd:- -define png:exclude-chunk=date,time "$DOCS/mate-screensaver-preferences.png"
echo "Screenshots: docs/xscreensaver-settings.png docs/mate-screensaver-preferences.png"

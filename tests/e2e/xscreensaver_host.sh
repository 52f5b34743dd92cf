#!/usr/bin/env bash
# Coralux as users install and run it under xscreensaver: cmake --install
# into a staging folder lays out every file; the configuration file holds
# what xscreensaver's settings read; the real daemon, run as an ordinary user
# (it will not start hacks as root) with the README's programs: line, starts
# Coralux, whose frames fill the screen; deactivating ends Coralux within a
# second, leaving nothing behind.
set -euo pipefail
: "${CORALUX_BINARY_DIR:?}"
WORK=$(mktemp -d)
chmod 755 "$WORK"
XVFB=
trap 'pkill -u nobody -f "coralux --root" || true; pkill -u nobody xscreensaver || true; [ -z "$XVFB" ] || kill "$XVFB" 2>/dev/null || true; rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

STAGE=$WORK/stage
DESTDIR=$STAGE cmake --install "$CORALUX_BINARY_DIR" --prefix /usr >/dev/null
FILES=(usr/bin/coralux usr/libexec/xscreensaver/coralux usr/share/xscreensaver/config/coralux.xml
  usr/share/applications/coralux.desktop usr/share/applications/screensavers/coralux.desktop
  usr/share/man/man6/coralux.6 usr/share/coralux/ReadMe.html usr/share/icons/hicolor/48x48/apps/coralux.png
  usr/share/icons/hicolor/256x256/apps/coralux.png)
for file in "${FILES[@]}"; do
  [ -e "$STAGE/$file" ] || fail "cmake --install left out $file"
done
# Every installed file, the hack's link included, is in the manifest (other
# systems' packagers and uninstallers go by it).
[ "$(sort "$CORALUX_BINARY_DIR/install_manifest.txt")" = "$(printf '/%s\n' "${FILES[@]}" | sort)" ] ||
  fail "the install manifest is not the installed files: $(cat "$CORALUX_BINARY_DIR/install_manifest.txt")"
[ "$(readlink -f "$STAGE/usr/libexec/xscreensaver/coralux")" = "$STAGE/usr/bin/coralux" ] ||
  fail "the hack's entry does not lead to the program"

CONFIG=$STAGE/usr/share/xscreensaver/config/coralux.xml
xmllint --noout "$CONFIG" || fail "coralux.xml is not well-formed"
[ "$(xmllint --xpath 'string(/screensaver/@name)' "$CONFIG")" = coralux ] || fail "no screensaver name"
[ "$(xmllint --xpath 'string(/screensaver/command/@arg)' "$CONFIG")" = "--root --defaults" ] ||
  fail "the command is not --root with the defaults marker"
[ "$(xmllint --xpath 'count(/screensaver/_description)' "$CONFIG")" = 1 ] || fail "no description"
for arg in $(xmllint --xpath '//number/@arg' "$CONFIG" | sed 's/ *arg="\([^"]*\)"/\1 /g'); do
  "$STAGE/usr/bin/coralux" "${arg/\%/3}" --version >/dev/null || fail "the program refuses $arg"
done

HOME_DIR=$WORK/home
mkdir "$HOME_DIR"
programs_line=$(sed -n 's/^ *\(GL: coralux --root\)$/\1/p' "$(dirname "$0")/../../README.md")
[ -n "$programs_line" ] || fail "README.md gives no 'GL: coralux --root' line"
cat >"$HOME_DIR/.xscreensaver" <<XS
timeout: 0:30:00
lock: False
splash: False
fade: False
unfade: False
dpmsEnabled: False
mode: one
selected: 0
programs: $programs_line --sounds=0 \\n
XS
chown -R nobody:nogroup "$HOME_DIR"

Xvfb :77 -screen 0 640x480x24 -ac -nolisten tcp >/dev/null 2>&1 &
XVFB=$!
export DISPLAY=:77
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
as_user() { setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$HOME_DIR" PATH="$STAGE/usr/bin:$PATH" "$@"; }
as_user xscreensaver -no-splash >"$WORK/daemon.log" 2>&1 &
for _ in $(seq 50); do as_user xscreensaver-command -version >/dev/null 2>&1 && break; sleep 0.1; done
as_user xscreensaver-command -activate >/dev/null

pid=
for _ in $(seq 100); do
  pid=$(pgrep -u nobody -f "coralux --root" | head -n1) && break
  sleep 0.1
done
[ -n "$pid" ] || { cat "$WORK/daemon.log"; fail "xscreensaver did not start Coralux"; }
lit=0
for _ in $(seq 100); do
  lit=$(xwd -root -silent | convert xwd:- -format '%[fx:int(100*mean)]' info:)
  [ "$lit" -gt 15 ] && break
  sleep 0.2
done
[ "$lit" -gt 15 ] || fail "the screen stays dark ($lit %) while Coralux runs"

as_user xscreensaver-command -deactivate >/dev/null
# Ended means not running: the daemon may reap its child a little later.
running() { [ -e "/proc/$1" ] && [ "$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)" != Z ]; }
for _ in $(seq 10); do running "$pid" || break; sleep 0.1; done
running "$pid" && fail "Coralux still runs a second after deactivation"
sleep 1
# A dead child the daemon has not reaped (a zombie) holds nothing.
[ -z "$(ps -u nobody -o stat=,args= | awk '$1 !~ /^Z/ && /coralux/')" ] || fail "a Coralux process was left behind"
echo "ok: installed, listed, run by xscreensaver (screen ${lit} % lit) and ended on deactivation"

#!/usr/bin/env bash
# Coralux as users install and run it under xscreensaver: cmake --install
# into a staging folder lays out every file and lists each in its manifest;
# the configuration file holds what xscreensaver's settings read. For a user
# without ~/.xscreensaver, coralux --add-to-xscreensaver is the one step: the
# real daemon (run as an ordinary user: it will not start hacks as root) then
# runs Coralux first in its merged list, with the pane's settings and not the
# store's (5 yellow fish, the store holding 2), and deactivating ends it
# within a second. For a user whose file exists, the step keeps every other
# setting and selected:, and the daemon runs Coralux from its new place.
set -euo pipefail
source "$(dirname "$0")/support/hosts.bash"
README=$(dirname "$0")/../../README.md

stage_install
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
COMMAND=$(xmllint --xpath 'string(/screensaver/command/@arg)' "$CONFIG")
[ "$COMMAND" = "--root --defaults" ] || fail "the command is '$COMMAND', not --root with the defaults marker"
[ "$(xmllint --xpath 'count(/screensaver/_description)' "$CONFIG")" = 1 ] || fail "no description"
for arg in $(xmllint --xpath '//number/@arg | //@arg-set | //@arg-unset' "$CONFIG" |
  sed 's/ *arg[a-z-]*="\([^"]*\)"/\1 /g'); do
  "$STAGE/usr/bin/coralux" "${arg/\%/3}" --version >/dev/null || fail "the program refuses $arg"
done
grep -q '^    coralux --add-to-xscreensaver$' "$README" || fail "README.md does not give the one step"

start_x 640x480
start_session_bus
# The daemon finds the hack by its name on the PATH; the store would give 2
# yellow fish, the pane's defaults 5.
DAEMON_ENV=(PATH="$STAGE/usr/bin:/usr/bin:/bin" SDL_AUDIODRIVER=dummy DBUS_SESSION_BUS_ADDRESS="$BUS")
write_store '"YellowFishCount"=dword:00000002'
add_to_list() {
  as_user "$STAGE/usr/bin/coralux" --add-to-xscreensaver >/dev/null || fail "--add-to-xscreensaver failed"
}
# Has the daemon run entry N of its list, and checks what runs and how it ends.
run_entry() {
  local entry=$1 pid
  # The daemon may still be (re)reading its file: asked until it answers. A
  # daemon that has only just started may answer and still not run the mode,
  # so it is asked again when nothing has come of it.
  for _ in 1 2 3; do
    for _ in $(seq 50); do as_user xscreensaver-command -select "$entry" >/dev/null 2>&1 && break; sleep 0.1; done
    await_show "coralux --root --defaults" 5 && break
  done
  [ -n "$SHOW_PID" ] ||
    fail "no Coralux process after three selects of entry $entry; the daemon said: $(tail -n 5 "$WORK/daemon.log")"
  pid=$SHOW_PID
  wait_until_lit 15
  [ "$(read_setting "$pid" YellowFishCount)" = 5 ] || fail "the show has not the pane's 5 yellow fish"
  as_user xscreensaver-command -deactivate >/dev/null
  ends_within_a_second "$pid" "Coralux"
}

add_to_list
[ "$(sed -n 's/^ *GL: *\(coralux .*\) \\n$/\1/p' "$USER_HOME/.xscreensaver")" = "coralux $COMMAND" ] ||
  fail "the line added is not the configuration's command: $(cat "$USER_HOME/.xscreensaver")"
as_user "${DAEMON_ENV[@]}" xscreensaver -no-splash >"$WORK/daemon.log" 2>&1 &
DAEMON=$!
# xscreensaver puts its own modes after the user's: Coralux is the first.
run_entry 1
echo "ok: a new user's one step: xscreensaver runs Coralux with the pane's settings and ends it"

# A file the settings wrote: other settings and selected: stay; Coralux comes
# after its three entries, and the daemon reads the file again by itself.
cat >"$USER_HOME/.xscreensaver" <<'XS'
# XScreenSaver Preferences File
timeout:	0:30:00
lock:		False
fade:		False
unfade:		False
mode:		one
selected:	2
programs:								      \
				maze --root				    \n\
- GL: 				superquadrics --root			    \n\
				attraction --root			    \n\


pointerHysteresis:  10
XS
chown "$HOST_USER:$HOST_GROUP" "$USER_HOME/.xscreensaver"
cp "$USER_HOME/.xscreensaver" "$WORK/before"
sleep 1.1  # a new modification time for the daemon to notice
add_to_list
diff "$WORK/before" "$USER_HOME/.xscreensaver" >"$WORK/diff" && fail "the file did not change"
[ "$(grep -c '^[<>]' "$WORK/diff")" = 1 ] && grep -q '^> *GL: coralux --root --defaults \\n\\$' "$WORK/diff" ||
  fail "more than Coralux's line changed: $(cat "$WORK/diff")"
run_entry 4
kill "$DAEMON"
wait "$DAEMON" 2>/dev/null || true
# A dead child the daemon has not reaped (a zombie) holds nothing.
[ -z "$(show_pids coralux)" ] || fail "a Coralux process was left behind"
echo "ok: an existing file keeps its settings; the daemon runs Coralux as entry 4"
echo "PASS"

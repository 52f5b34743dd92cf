#!/usr/bin/env bash
# A second /s while one runs ends at once with status 0 and opens no window;
# once the first is killed with SIGKILL, the next /s starts normally.
set -euo pipefail
CORALUX=$(realpath "$1")
source "$(dirname "$0")/support/saver.bash"

"$CORALUX" /s &
first=$!
wait_for_window "$first"

# Every window made on the screen shows as a CreateNotify on the root window.
xev -root -event substructure >"$E2E_DIR/events" &
watcher=$!
sleep 1

"$CORALUX" /s &
second=$!
wait_for_exit "$second" 5
[ "$EXIT_STATUS" -eq 0 ] || fail "the second instance ended with status $EXIT_STATUS"
sleep 0.5
created=$(grep -c CreateNotify "$E2E_DIR/events" || true)
[ "$created" -eq 0 ] || fail "the second instance made $created windows"

kill -KILL "$first"
wait "$first" 2>/dev/null || true

"$CORALUX" /s &
third=$!
wait_for_window "$third"
sleep 1
kill "$watcher"
grep -q CreateNotify "$E2E_DIR/events" || fail "the window watcher saw no window at all"
kill -0 "$third" 2>/dev/null || fail "the instance after the kill did not keep running"
kill -TERM "$third"
wait_for_exit "$third" 20
[ "$EXIT_STATUS" -eq 0 ] || fail "the instance after the kill ended with status $EXIT_STATUS"
echo "PASS"

#!/usr/bin/env bash
# The preview mode lives as long as the host's window: it waits while the
# window exists, ends with status 0 soon after the host destroys it, ends at
# once for a handle that names no window, and ends on SIGTERM.
set -euo pipefail
CORALUX=$1

xvfb-run -a -s "-screen 0 640x480x24" bash -s "$CORALUX" <<'EOF'
set -euo pipefail
CORALUX=$1

xlogo -geometry 200x150+10+10 &
HOST=$!
id=
for _ in $(seq 50); do
  id=$(xwininfo -root -tree | sed -n 's/^ *\(0x[0-9a-f]*\) "xlogo".*/\1/p' | head -1)
  [ -n "$id" ] && break
  sleep 0.1
done
[ -n "$id" ] || { echo "FAIL: no host window"; exit 1; }

# Fails unless the process ends within the time given, with status 0.
expect_end() {
  local pid=$1 what=$2 limit=$3
  timeout "$limit" tail --pid="$pid" -f /dev/null || { kill -KILL "$pid"; echo "FAIL: $what did not end the preview"; exit 1; }
  local status=0
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || { echo "FAIL: $what ended the preview with status $status"; exit 1; }
  echo "ok: $what"
}

"$CORALUX" /p $((id)) &
PREVIEW=$!
sleep 1
kill -0 "$PREVIEW" || { echo "FAIL: the preview ended while its window exists"; exit 1; }
kill "$HOST"
expect_end "$PREVIEW" "the host window's end" 2

"$CORALUX" /p 123456789 &
expect_end $! "a handle naming no window" 2

"$CORALUX" /p &
expect_end $! "a missing handle" 2

xlogo &
HOST=$!
sleep 1
id=$(xwininfo -root -tree | sed -n 's/^ *\(0x[0-9a-f]*\) "xlogo".*/\1/p' | head -1)
"$CORALUX" /p $((id)) &
PREVIEW=$!
sleep 0.5
kill -TERM "$PREVIEW"
expect_end "$PREVIEW" "SIGTERM" 2
kill "$HOST"
EOF

# What the end-to-end checks under Wine share: the verdicts and the waits.
# Source it; each check prints "ok: ..." or "FAIL: ...", and scripts/test-windows.sh
# counts those lines.

PASSED=0
FAILED=0

pass() { echo "ok: $*"; PASSED=$((PASSED + 1)); }
fail() { echo "FAIL: $*"; FAILED=$((FAILED + 1)); }

# Prints the closing line of a script and returns its verdict.
finish_checks() {
  echo "$1: $PASSED passed, $FAILED failed"
  [ "$FAILED" -eq 0 ]
}

# Waits up to 30 s for a visible window of that title; its id in FOUND.
wait_for_title() {
  FOUND=
  for _ in $(seq 300); do
    FOUND=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$FOUND" ] && return 0
    sleep 0.1
  done
  return 1
}

# True when no visible window of that title is left within 10 s.
wait_for_no_title() {
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}

# True when the process ends within the seconds given; its status in STATUS.
wait_for_end() {
  local pid=$1 seconds=$2
  STATUS=
  timeout "$seconds" tail --pid="$pid" -f /dev/null || return 1
  STATUS=0
  wait "$pid" || STATUS=$?
  return 0
}

# The number of colours in a screenshot (of the part given as WxH+X+Y, else
# all of it): a drawn scene has thousands, a blank screen one.
count_colours() {
  xwd -root -silent | convert xwd:- ${2:+-crop "$2" +repage} "$1"
  convert "$1" -format '%k' info:
}

# A screenshot of the window FOUND alone; its place and size in X, Y, WIDTH and HEIGHT.
shoot_window() {
  eval "$(xdotool getwindowgeometry --shell "$FOUND")"
  xwd -root -silent | convert xwd:- -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$1"
}

# A registry value's data as "reg query" prints it; empty when it is missing.
read_reg() {
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v name="$2" '$1 == name {sub(/^ *[^ ]+ +[^ ]+ +/, ""); print}'
}

# Ends this prefix's wineserver, so the next program starts it anew (on
# another display, or after a setting Wine reads only at start).
restart_wine() {
  wineserver -k 2>/dev/null
  wineserver -w
}

# Starts a program (wine's arguments) and waits for its window of that title;
# true once it shows, with the process in STARTED (one that never showed is ended).
start_window() {
  local title=$1
  shift
  wine "$@" 2>/dev/null &
  STARTED=$!
  wait_for_title "$title" && return 0
  kill -KILL "$STARTED" 2>/dev/null
  return 1
}

# The full-screen show of a .scr, as start_window starts it.
start_show() {
  start_window "OpenGL Window" "$1" /s
}

# True when the program STARTED ends within 10 s, and without a failure; one
# that outlives that is ended. Its status in STATUS.
show_ends() {
  wait_for_end "$STARTED" 10 && [ "$STATUS" -eq 0 ] && return 0
  kill -KILL "$STARTED" 2>/dev/null
  return 1
}

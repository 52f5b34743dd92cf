# Helpers for the scripts that run Coralux under a real screen-saver host.
# Hosts will not start hacks as root (or misbehave so), so the host and
# Coralux run as nobody, with a home folder of the script's own, on an X
# server of the script's own. Source it as root with CORALUX_BINARY_DIR set;
# it makes WORK (removed at exit, with every process the script started).

: "${CORALUX_BINARY_DIR:?}"
HOST_USER=nobody
HOST_GROUP=nogroup
WORK=$(mktemp -d)
chmod 755 "$WORK"
USER_HOME=$WORK/home
STAGE=$WORK/stage
mkdir "$USER_HOME"
chown "$HOST_USER:$HOST_GROUP" "$USER_HOME"
XVFB_PID=
# Jobs started through a function run in a subshell of their own: their
# children go first. The shows a host started go with them.
cleanup() {
  local pid
  for pid in $(jobs -p); do
    pkill -TERM -P "$pid" 2>/dev/null || true
    kill "$pid" 2>/dev/null || true
  done
  for pid in $(show_pids coralux); do kill "$pid" 2>/dev/null || true; done
  [ -z "$XVFB_PID" ] || kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Installs the build as a package lays it out, under $STAGE.
stage_install() {
  DESTDIR=$STAGE cmake --install "$CORALUX_BINARY_DIR" --prefix /usr >/dev/null
}

# An X server of the script's own, of the size given (WIDTHxHEIGHT); sets DISPLAY.
start_x() {
  Xvfb -displayfd 3 -screen 0 "$1x24" -ac -nolisten tcp 3>"$WORK/display" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.05; done
  [ -s "$WORK/display" ] || fail "the X server did not start"
  export DISPLAY=:$(cat "$WORK/display")
}

# Runs a command as the test user with about the environment a host gives
# its hacks (HOME, PATH, DISPLAY), and the NAME=VALUE words that come first.
as_user() {
  setpriv --reuid="$HOST_USER" --regid="$HOST_GROUP" --clear-groups \
    env -i HOME="$USER_HOME" PATH=/usr/bin:/bin DISPLAY="${DISPLAY:-}" NO_AT_BRIDGE=1 "$@"
}

# The user's session bus (BUS): a desktop has one, and without it the
# libraries start one of their own that outlives the test.
start_session_bus() {
  BUS=unix:path=$USER_HOME/bus
  as_user dbus-daemon --session --nofork --nopidfile --address="$BUS" >/dev/null 2>&1 &
  for _ in $(seq 100); do [ -S "$USER_HOME/bus" ] && return 0; sleep 0.05; done
  fail "the session bus did not start"
}

# A store of the setup dialog's settings in the test user's config home
# (~/.config: hosts pass no XDG_CONFIG_HOME), with the values given as
# "Name"=dword:hex lines.
write_store() {
  local folder="$USER_HOME/.config/coralux"
  mkdir -p "$folder"
  {
    echo 'Windows Registry Editor Version 5.00'
    echo '[HKEY_CURRENT_USER\Software\Quillworth Software\Coralux Screensaver]'
    printf '%s\n' "$@"
  } >"$folder/settings.reg"
  chown -R "$HOST_USER:$HOST_GROUP" "$USER_HOME/.config"
}

# The pids of the staged program's processes whose command line matches the
# pattern (others may run the same command for their own tests).
show_pids() {
  local pid
  for pid in $(pgrep -u "$HOST_USER" -f -- "$1"); do
    [ "$(readlink "/proc/$pid/exe" 2>/dev/null)" = "$STAGE/usr/bin/coralux" ] && running "$pid" && echo "$pid"
  done
  return 0
}

# The pid of the first such process once it runs (SHOW_PID); false after the
# seconds given.
await_show() {
  local pattern=$1 seconds=$2
  for _ in $(seq $((seconds * 10))); do
    SHOW_PID=$(show_pids "$pattern" | head -n1)
    [ -n "$SHOW_PID" ] && return 0
    sleep 0.1
  done
  return 1
}

# As await_show, but fails after the seconds given.
wait_for_show() {
  await_show "$1" "$2" || fail "no Coralux process '$1' within $2 s"
}

# Percent of the screen's brightness.
screen_lit() {
  xwd -root -silent | convert xwd:- -format '%[fx:int(100*mean)]' info:
}

# Waits until the screen is lit above the percent given (a scene draws).
wait_until_lit() {
  local lit=0
  for _ in $(seq 100); do
    lit=$(screen_lit)
    [ "$lit" -gt "$1" ] && return 0
    sleep 0.2
  done
  fail "the screen stays dark ($lit %)"
}

# A value of the settings record the running show uses, read from its memory
# (the build keeps its symbols).
read_setting() {
  gdb -nx -batch -p "$1" -ex "print g_Settings.$2" 2>/dev/null | sed -n 's/^\$1 = //p'
}

# True while the process runs (a dead child not yet reaped does not count).
running() {
  [ -e "/proc/$1" ] && [ "$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)" != Z ]
}

# Fails unless the process ends within a second.
ends_within_a_second() {
  for _ in $(seq 10); do running "$1" || return 0; sleep 0.1; done
  running "$1" && fail "$2 still runs a second after its host ended it"
  return 0
}

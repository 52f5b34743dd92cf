# Helpers for end-to-end scripts that run the saver under their own X server.
# Source it after setting CORALUX to the executable; it re-runs the script
# under xvfb-run and gives it a private config home and runtime folder.

if [ -z "${CORALUX_E2E_DISPLAY:-}" ]; then
  exec env CORALUX_E2E_DISPLAY=1 xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$CORALUX"
fi

E2E_DIR=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$E2E_DIR"' EXIT
export XDG_CONFIG_HOME="$E2E_DIR/config"
export XDG_RUNTIME_DIR="$E2E_DIR/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
STORE="$XDG_CONFIG_HOME/coralux/settings.reg"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Waits until the process has a mapped window; fails when it dies first.
wait_for_window() {
  local pid=$1
  for _ in $(seq 1 300); do
    kill -0 "$pid" 2>/dev/null || fail "process $pid ended before showing a window"
    [ -n "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null)" ] && return 0
    sleep 0.1
  done
  fail "process $pid showed no window within 30 s"
}

# Waits up to the given seconds for the process to end; its status in EXIT_STATUS.
wait_for_exit() {
  local pid=$1 seconds=$2
  for _ in $(seq 1 $((seconds * 10))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      EXIT_STATUS=0
      wait "$pid" || EXIT_STATUS=$?
      return 0
    fi
    sleep 0.1
  done
  fail "process $pid still runs after $seconds s"
}

#!/usr/bin/env bash
# Builds Coralux.scr, its setup program and the Windows test suites with
# MinGW-w64 (through scripts/build-windows.sh, which installs what is
# missing) and runs them under Wine and Xvfb: the GoogleTest suites, then the
# end-to-end checks of tests/windows/: e2e.sh (the host's uses), scaling.sh
# (144 DPI), displays.sh (two monitors, a 16-bit screen) and setup.sh (the
# setup program, and paths the ANSI code page lacks, in a prefix of its own).
# Screenshots land in build-windows/shots/.
set -euo pipefail
cd "$(dirname "$0")/.."
START=$SECONDS
CORALUX_TARGETS="coralux coralux_setup coralux_test_host coralux_windows_tests" scripts/build-windows.sh -DCORALUX_TESTS=ON
mkdir -p build-windows/shots

export CORALUX_SOURCE_DIR=$PWD
xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash -s <<'EOF_RUN'
set -uo pipefail
source tests/windows/wine.bash
passed=0
failed=0
# The suites hear ALSA's null device through DirectSound; the end-to-end
# checks run without a sound card unless they give themselves one.
printf 'pcm.!default { type null }\n' >"$HOME/.asoundrc"
for suite in build-windows/tests/test_*.exe; do
  echo "== $(basename "$suite")"
  output=$(wine "$suite" --gtest_brief=1 2>&1 | tr -d '\r')
  status=$?
  echo "$output" | grep -v '^Running main()'
  ok=$(echo "$output" | sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p')
  bad=$(echo "$output" | sed -n 's/^\[  FAILED  \] \([0-9]*\) test.*/\1/p')
  passed=$((passed + ${ok:-0}))
  failed=$((failed + ${bad:-0}))
  # A suite that crashed counts no passed or failed line of its own.
  [ "$status" -eq 0 ] || [ -n "$bad" ] || failed=$((failed + 1))
done
rm "$HOME/.asoundrc"
skipped=0
for script in e2e scaling displays setup; do
  echo "== $script"
  checks=$(bash "tests/windows/$script.sh" build-windows build-windows/shots)
  echo "$checks"
  passed=$((passed + $(echo "$checks" | grep -c '^ok:')))
  failed=$((failed + $(echo "$checks" | grep -c '^FAIL:')))
  skipped=$((skipped + $(echo "$checks" | grep -c '^skip:')))
done
summary="windows: $passed passed, $failed failed"
[ "$skipped" -eq 0 ] || summary+=", $skipped skipped"
echo "$summary"
[ "$failed" -eq 0 ]
EOF_RUN
echo "Windows tests took $((SECONDS - START)) s"

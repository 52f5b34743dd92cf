#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer, ASan and UBSan into
# build-fuzz/ and runs each for a while, growing a corpus under
# fuzz-out/<target>/corpus from the seeds committed in tools/fuzz/seeds/<target>/.
# Not part of the test suite. Each runs under an X server of its own (the mesh
# and node readers bind textures through GL), JOBS of them at once (default 1).
#   [JOBS=2] tools/fuzz/run.sh [SECONDS_PER_TARGET] [TARGET...]
#   (default 60 s; pack tga jpeg mesh node wav store command_line)
# A finding is saved as fuzz-out/<target>/crash-* (or leak-, timeout-, oom-)
# and makes the script exit non-zero; each target's figures are printed.
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/deps.sh --fuzz
SECONDS_PER_TARGET=${1:-60}
shift || true
TARGETS=("$@")
[ ${#TARGETS[@]} -gt 0 ] || TARGETS=(pack tga jpeg mesh node wav store command_line)
JOBS=${JOBS:-1}

cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCORALUX_FUZZ=ON -DCORALUX_TESTS=OFF -DCORALUX_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${TARGETS[@]/#/fuzz_}"

# Libraries we call into may keep memory for the process's life; ours may not.
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"

fuzz() {
  local target=$1
  local out=fuzz-out/$target
  rm -f "$out"/{crash,leak,timeout,oom}-*
  mkdir -p "$out/corpus"
  # The target's own standard error is closed (libjpeg's warnings would
  # flood the log); libFuzzer still reports what it finds.
  xvfb-run -a "build-fuzz/tools/fuzz/fuzz_$target" "$out/corpus" "tools/fuzz/seeds/$target" \
    -max_total_time="$SECONDS_PER_TARGET" -timeout=30 -rss_limit_mb=3072 -close_fd_mask=2 -print_final_stats=1 \
    -artifact_prefix="$out/" >"$out/log" 2>&1 || true
}

for target in "${TARGETS[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$JOBS" ]; do
    wait -n || true
  done
  echo "== fuzz_$target for $SECONDS_PER_TARGET s"
  fuzz "$target" &
done
wait

status=0
for target in "${TARGETS[@]}"; do
  out=fuzz-out/$target
  awk -v t="$target" '
    /^stat::number_of_executed_units/ { runs = $2 }
    /^stat::average_exec_per_sec/ { rate = $2 }
    /^stat::peak_rss_mb/ { rss = $2 }
    /\tDONE / { for (i = 1; i < NF; ++i) { if ($i == "cov:") cov = $(i + 1); if ($i == "corp:") corp = $(i + 1) } }
    END { printf "fuzz_%s: %d runs, %d a second, coverage %s, corpus %s, peak %d MB\n", t, runs, rate, cov, corp, rss }
  ' "$out/log"
  if ls "$out"/{crash,leak,timeout,oom}-* >/dev/null 2>&1; then
    echo "fuzz_$target: finding saved under $out/"
    grep -E "ERROR|SUMMARY" "$out/log" | head -5
    status=1
  fi
done
exit $status

#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer, ASan and UBSan into
# build-fuzz/ and runs each in turn for a while, growing a corpus under
# fuzz-out/<target>/ from the seeds committed in tools/fuzz/seeds/<target>/
# and a few generated ones. Not part of the test suite. Each runs under an X
# server of its own (the mesh and node readers bind textures through GL).
#   tools/fuzz/run.sh [SECONDS_PER_TARGET] [TARGET...]
#   (default 60 s; pack tga jpeg mesh node wav store command_line)
# A finding stops the run with its input saved as fuzz-out/<target>/crash-*.
set -euo pipefail
cd "$(dirname "$0")/../.."
SECONDS_PER_TARGET=${1:-60}
shift || true
TARGETS=("$@")
[ ${#TARGETS[@]} -gt 0 ] || TARGETS=(pack tga jpeg mesh node wav store command_line)

cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCORALUX_FUZZ=ON -DCORALUX_TESTS=OFF -DCORALUX_BENCH=OFF >/dev/null
cmake --build build-fuzz -j2 --target "${TARGETS[@]/#/fuzz_}"

# Libraries we call into may keep memory for the process's life; ours may not.
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"

SEEDS=fuzz-out/seeds
python3 tools/fuzz/seeds.py "$SEEDS"
mkdir -p "$SEEDS/jpeg"
convert -size 16x8 gradient:red-blue -quality 90 "$SEEDS/jpeg/colour.jpg"
convert -size 8x16 gradient: -colorspace Gray -quality 90 "$SEEDS/jpeg/grey.jpg"
convert -size 24x24 plasma:fractal -seed 1 -interlace JPEG "$SEEDS/jpeg/progressive.jpg"
convert -size 16x16 xc:green -define jpeg:restart-interval=1 -sampling-factor 1x1 "$SEEDS/jpeg/restart.jpg"

for target in "${TARGETS[@]}"; do
  corpus=fuzz-out/$target/corpus
  mkdir -p "$corpus"
  echo "== fuzz_$target for $SECONDS_PER_TARGET s"
  # stderr of the target is closed: libjpeg's warnings would flood the log;
  # libFuzzer still reports findings.
  seeds=()
  for folder in "$SEEDS/$target" "tools/fuzz/seeds/$target"; do
    [ -d "$folder" ] && seeds+=("$folder")
  done
  xvfb-run -a build-fuzz/tools/fuzz/fuzz_$target "$corpus" "${seeds[@]}" -max_total_time="$SECONDS_PER_TARGET" \
    -timeout=30 -rss_limit_mb=3072 -close_fd_mask=2 -print_final_stats=1 \
    -artifact_prefix="fuzz-out/$target/" 2>&1 | grep -E "^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss_mb)|ERROR|SUMMARY|crash-|timeout-|oom-" || true
  if ls fuzz-out/"$target"/{crash,timeout,oom,leak}-* >/dev/null 2>&1; then
    echo "fuzz_$target: finding saved under fuzz-out/$target/"
    exit 1
  fi
done

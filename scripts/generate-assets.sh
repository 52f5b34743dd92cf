#!/usr/bin/env bash
# Builds the asset generators and runs them, writing every asset file into
# resources/ (or into the folder given as the first argument), then draws the
# contact sheets under docs/ when writing into resources/.
#   scripts/generate-assets.sh            regenerate the committed assets
#   scripts/generate-assets.sh /tmp/out   write a fresh copy elsewhere
set -euo pipefail
cd "$(dirname "$0")/.."
OUT=${1:-$PWD/resources}
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target coralux_gen_fish coralux_gen_pictures coralux_gen_text coralux_gen_sounds coralux_gen_preview

# The preview still and the icon are drawn from the fish and the background,
# so their generator runs last.
for generator in fish pictures text sounds preview; do
  "build/tools/coralux_gen_$generator" "$OUT"
done
echo "Assets written to $OUT"

if [ "$OUT" = "$PWD/resources" ]; then
  scripts/contact-sheet.sh
fi

#!/usr/bin/env bash
# The generators in tools/ reproduce every committed asset byte for byte:
# run them into a fresh folder and compare it with resources/.
set -euo pipefail
: "${CORALUX_SOURCE_DIR:?}" "${CORALUX_BINARY_DIR:?}"
OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT
for generator in fish pictures text sounds preview; do
  "$CORALUX_BINARY_DIR/tools/coralux_gen_$generator" "$OUT"
done
status=0
diff -r --exclude=.keep "$CORALUX_SOURCE_DIR/resources/pack" "$OUT/pack" || status=1
diff -r "$CORALUX_SOURCE_DIR/resources/bitmaps" "$OUT/bitmaps" || status=1
cmp "$CORALUX_SOURCE_DIR/resources/coralux.ico" "$OUT/coralux.ico" || status=1
cmp "$CORALUX_SOURCE_DIR/resources/desktop/coralux.png" "$OUT/desktop/coralux.png" || status=1
cmp "$CORALUX_SOURCE_DIR/resources/desktop/coralux-256.png" "$OUT/desktop/coralux-256.png" || status=1
exit $status

#!/usr/bin/env bash
# Draws the contact sheets of the committed assets for checking them by eye:
#   docs/contact-sheet.png  every picture (skins over a dark checker, so the
#                           translucent fins show; the background stretched
#                           to 16:9 as the show stretches it; the caustic
#                           tiled 2 x 2; bubble, font, bitmaps, icon)
#   docs/fish-models.png    each fish kind drawn in four poses, then head-on
#                           and from above
# Needs the generators built (scripts/generate-assets.sh builds them). TGA
# files keep their rows bottom-up: ImageMagick shows them upright only when
# asked to (-auto-orient).
set -euo pipefail
cd "$(dirname "$0")/.."
PACK=resources/pack
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

label() { convert "$1" -background '#20242a' -fill '#d8dde3' -font DejaVu-Sans -pointsize 13 label:"$2" -gravity center -append "$3"; }

convert -size 256x256 pattern:checkerboard -fill '#1c3a52' -opaque white -fill '#10283c' -opaque black "$WORK/checker.png"
for skin in fish bfish pfish sfish; do
  convert "$WORK/checker.png" \( "$PACK/$skin.tga" -auto-orient -scale 200% \) -composite "$WORK/$skin.png"
  label "$WORK/$skin.png" "$skin.tga" "$WORK/l-$skin.png"
done
convert "$PACK/texture/background.jpg" -resize 455x256! "$WORK/background.png"
label "$WORK/background.png" "texture/background.jpg (shown 16:9)" "$WORK/l-background.png"
convert "$PACK/caust.tga" -auto-orient \( +clone \) +append \( +clone \) -append -scale 200% "$WORK/caust.png"
label "$WORK/caust.png" "caust.tga (tiled 2 x 2)" "$WORK/l-caust.png"
convert "$PACK/texture/grass.tga" -auto-orient -scale 400% "$WORK/bubble.png"
label "$WORK/bubble.png" "texture/grass.tga" "$WORK/l-bubble.png"
convert "$PACK/texture/font.tga" -auto-orient "$WORK/font.png"
label "$WORK/font.png" "texture/font.tga" "$WORK/l-font.png"
convert resources/bitmaps/preview.bmp -scale 200% "$WORK/preview.png"
label "$WORK/preview.png" "bitmap 132 (preview)" "$WORK/l-preview.png"
convert resources/bitmaps/title.bmp "$WORK/title.png"
label "$WORK/title.png" "bitmap 133 (title strip)" "$WORK/l-title.png"
convert "resources/coralux.ico[0]" "resources/coralux.ico[1]" "resources/coralux.ico[2]" -background '#20242a' \
  -gravity center +append "$WORK/icon.png"
label "$WORK/icon.png" "icon 128 (48, 32, 16)" "$WORK/l-icon.png"

montage "$WORK"/l-{fish,bfish,pfish,sfish,background,caust,bubble,font,preview,icon}.png \
  -tile 4x -geometry +6+6 -background '#20242a' "$WORK/sheet.png"
convert "$WORK/sheet.png" "$WORK/l-title.png" -background '#20242a' -gravity center -append -define png:exclude-chunk=date,time docs/contact-sheet.png

mkdir -p "$WORK/views"
build/tools/coralux_gen_preview resources "$WORK/views"
for view in "$WORK"/views/*.tga; do
  convert "$view" -auto-orient "${view%.tga}.png"
done
montage "$WORK"/views/{yellow,blue,pearl,tiny}-*.png -tile 6x -geometry 240x240+2+2 -background '#20242a' \
  -define png:exclude-chunk=date,time docs/fish-models.png
echo "Contact sheets: docs/contact-sheet.png docs/fish-models.png"

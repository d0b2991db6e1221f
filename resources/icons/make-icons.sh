#!/usr/bin/env bash
# Draws the window icon: a blue rounded tile with the four arithmetic signs, one per quarter.
# Writes kalkora-16/32/48/128/256.png for Linux and kalkora.ico for Windows, whose nine images are
# 48 x 48 at 4 and 8 bits, 32 and 16 at 8 bits, 128, 48, 32 and 16 at 32 bits per pixel, and
# 256 x 256 stored as PNG, as Windows keeps its largest icons (Explorer's large views, the
# installed program's entry).
# Run once after changing the design; the results are committed. Needs ImageMagick and Python 3.
set -euo pipefail
cd "$(dirname "$0")"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The master drawing at 512 x 512: signs as thick white bars and dots, so they survive 16 px.
convert -size 512x512 xc:none \
  -fill '#1e88e5' -draw 'roundrectangle 16,16 496,496 96,96' \
  -fill '#ffb300' -draw 'roundrectangle 16,16 496,496 96,96' \
  -fill '#1e88e5' -draw 'roundrectangle 28,28 484,484 86,86' \
  -fill white \
  -draw 'rectangle 142,92 178,232' -draw 'rectangle 90,144 230,180' \
  -draw 'rectangle 282,144 422,180' \
  -draw 'polygon 110,290 136,264 230,358 204,384' -draw 'polygon 204,264 230,290 136,384 110,358' \
  -draw 'rectangle 282,306 422,342' -draw 'circle 352,268 352,288' -draw 'circle 352,380 352,400' \
  "$work/master.png"

for size in 32 48 128 256; do
  convert "$work/master.png" -filter Lanczos -resize "${size}x${size}" -strip "PNG32:kalkora-$size.png"
done
# At 16 px a scaled drawing blurs, so the signs are set pixel by pixel, one pixel thick.
convert -size 16x16 xc:none +antialias \
  -fill '#ffb300' -draw 'roundrectangle 0,0 15,15 3,3' \
  -fill '#1e88e5' -draw 'roundrectangle 1,1 14,14 2,2' \
  -fill white -draw 'rectangle 4,2 4,6' -draw 'rectangle 2,4 6,4' -draw 'rectangle 9,4 13,4' \
  -draw 'line 2,9 6,13' -draw 'line 6,9 2,13' \
  -draw 'rectangle 9,11 13,11' -draw 'point 11,9' -draw 'point 11,13' \
  -strip PNG32:kalkora-16.png

python3 make_ico.py kalkora.ico \
  kalkora-48.png:4 kalkora-48.png:8 kalkora-32.png:8 kalkora-16.png:8 \
  kalkora-128.png:32 kalkora-48.png:32 kalkora-32.png:32 kalkora-16.png:32 kalkora-256.png:png
echo "kalkora.ico: $(identify kalkora.ico | wc -l) images"

#!/usr/bin/env bash
# Draws the window's banner, banner.jpg (525 x 151): coloured tiles of digits and arithmetic
# signs on a sky gradient, with a worked sum in the middle. The window scales the picture to
# its box's width and shows the middle band, so everything that matters stays in rows 35-115.
# Run once after changing the design; the result is committed. Needs ImageMagick and DejaVu.
set -euo pipefail
cd "$(dirname "$0")"

font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

# One rounded tile with a white glyph: x y size colour glyph
tile() {
  local x=$1 y=$2 size=$3 colour=$4 glyph=$5
  local r=$((size / 5))
  cat <<MVG
fill '$colour' stroke white stroke-width 2
roundrectangle $x,$y $((x + size)),$((y + size)) $r,$r
fill white stroke none font-size $((size * 7 / 10))
text-anchor middle
text $((x + size / 2)),$((y + size * 76 / 100)) '$glyph'
MVG
}

drawing=$(
  echo "font '$font'"
  echo "fill '#ffffff99' circle 120,40 120,12 circle 400,118 400,92"
  tile 14 44 30 '#ff8a65' '+'
  tile 50 70 30 '#4fc3f7' '−'
  tile 18 80 28 '#81c784' '×'
  tile 88 46 28 '#ba68c8' '÷'
  x=137
  colours=('#ef5350' '#ffa726' '#42a5f5' '#ab47bc' '#66bb6a')
  i=0
  for glyph in 3 + 5 = 8; do
    tile "$x" 51 48 "${colours[$i]}" "$glyph"
    x=$((x + 54))
    i=$((i + 1))
  done
  tile 430 44 30 '#ffca28' '2'
  tile 466 68 30 '#26a69a' '9'
  tile 436 82 26 '#ec407a' '6'
  tile 494 42 24 '#7e57c2' '4'
)

convert -size 525x151 gradient:'#e3f2fd-#fff8e1' -draw "$drawing" -quality 92 -strip \
  -sampling-factor 4:2:0 banner.jpg
echo "banner.jpg: $(identify -format '%wx%h %b' banner.jpg)"

#!/bin/sh
# Draws the program icon (a small calculator: body, display, keys) at 32x32
# and 16x16 and packs both into quorvex.ico. Each size is drawn on its own
# pixel grid instead of being scaled, so the keys stay crisp at 16x16.
# Needs ImageMagick's convert. Usage: sh make_icon.sh [output.ico]
set -eu
out=${1:-"$(dirname "$0")/quorvex.ico"}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

body='#2f4f7f'
edge='#1b2f4f'
screen='#d4ecc8'
digits='#2b4a2b'
key='#f2f2f2'
op='#f0a030'

# 32x32: rounded body, display with a row of "digits", 4 x 3 keys, the
# right-hand column in the operator colour.
convert -size 32x32 xc:none \
  -fill "$body" -stroke "$edge" -strokewidth 1 -draw 'roundrectangle 3.5,0.5 28.5,31.5 4,4' \
  -stroke none \
  -fill "$screen" -draw 'rectangle 6,3 25,10' \
  -fill "$digits" -draw 'rectangle 14,6 15,8' -draw 'rectangle 17,6 18,8' \
                  -draw 'rectangle 20,6 21,8' -draw 'rectangle 23,6 23,8' \
  -fill "$key" \
  -draw 'rectangle 6,13 9,16'  -draw 'rectangle 11,13 14,16' -draw 'rectangle 16,13 19,16' \
  -draw 'rectangle 6,19 9,22'  -draw 'rectangle 11,19 14,22' -draw 'rectangle 16,19 19,22' \
  -draw 'rectangle 6,25 9,28'  -draw 'rectangle 11,25 14,28' -draw 'rectangle 16,25 19,28' \
  -fill "$op" \
  -draw 'rectangle 21,13 25,16' -draw 'rectangle 21,19 25,22' -draw 'rectangle 21,25 25,28' \
  PNG32:"$tmp/32.png"

# 16x16: the same picture on a coarser grid.
convert -size 16x16 xc:none \
  -fill "$body" -stroke "$edge" -strokewidth 1 -draw 'roundrectangle 1.5,0.5 14.5,15.5 2,2' \
  -stroke none \
  -fill "$screen" -draw 'rectangle 3,2 12,5' \
  -fill "$digits" -draw 'rectangle 8,3 11,4' \
  -fill "$key" \
  -draw 'rectangle 3,7 4,8'   -draw 'rectangle 6,7 7,8' \
  -draw 'rectangle 3,10 4,11' -draw 'rectangle 6,10 7,11' \
  -draw 'rectangle 3,13 4,13' -draw 'rectangle 6,13 7,13' \
  -fill "$op" \
  -draw 'rectangle 9,7 12,8' -draw 'rectangle 9,10 12,11' -draw 'rectangle 9,13 12,13' \
  PNG32:"$tmp/16.png"

convert "$tmp/32.png" "$tmp/16.png" "$out"

#!/bin/sh
# Draws the uninstall shortcut's icon: the program icon with a red cross in
# its lower right corner, at 32x32 and 16x16, packed into uninstall.ico.
# Needs ImageMagick's convert. Usage: sh make_uninstall_icon.sh [output.ico]
set -eu
resources="$(dirname "$0")/../resources"
out=${1:-"$resources/uninstall.ico"}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

cross='#c8201c'
convert "$resources/quorvex.ico[0]" -stroke white -strokewidth 6 \
  -draw 'line 17,17 29,29' -draw 'line 29,17 17,29' \
  -stroke "$cross" -strokewidth 3 -draw 'line 17,17 29,29' -draw 'line 29,17 17,29' \
  PNG32:"$tmp/32.png"
convert "$resources/quorvex.ico[1]" -stroke white -strokewidth 3 \
  -draw 'line 8,8 14,14' -draw 'line 14,8 8,14' \
  -stroke "$cross" -strokewidth 2 -draw 'line 8,8 14,14' -draw 'line 14,8 8,14' \
  PNG32:"$tmp/16.png"
convert "$tmp/32.png" "$tmp/16.png" "$out"

#!/usr/bin/env bash
# Draws Dyvern's icon: two aligned strands (dark blue above, red below) joined
# by base-pair rungs, one rung mismatched in orange. Writes dyvern.ico beside
# this script with 32x32 and 16x16 images. Needs ImageMagick's convert.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

convert -size 32x32 xc:none \
  -fill '#1f3f9f' -draw 'roundrectangle 2,5 29,10 2,2' \
  -fill '#b02020' -draw 'roundrectangle 2,21 29,26 2,2' \
  -fill '#606060' \
  -draw 'rectangle 5,11 7,20' -draw 'rectangle 11,11 13,20' \
  -draw 'rectangle 23,11 25,20' \
  -fill '#f08000' -draw 'rectangle 17,11 19,20' \
  "$work/big.png"

convert "$work/big.png" -define icon:auto-resize=32,16 "$here/dyvern.ico"

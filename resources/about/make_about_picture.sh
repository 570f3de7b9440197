#!/usr/bin/env bash
# Draws the About box's picture: a framed landscape (sky, sun, hills, a lake)
# like the program's icon, twice the size the box shows it (81 x 65), saved
# as a baseline JPEG. Run when the drawing changes; the .jpg is committed.
set -euo pipefail
cd "$(dirname "$0")"
convert -size 162x130 gradient:'#3b6fb6-#a9d2f0' \
  -fill '#ffd23f' -stroke '#f0a500' -strokewidth 2 -draw 'circle 120,34 120,50' \
  -stroke none -fill '#5f7f9f' -draw 'polygon 0,96 38,46 70,80 96,58 162,100 162,130 0,130' \
  -fill '#ffffff' -draw 'polygon 30,56 38,46 46,56 41,54 38,57 35,54' \
  -fill '#3f8f3f' -draw 'polygon 0,108 50,86 104,96 162,84 162,130 0,130' \
  -fill '#2c6fa8' -draw 'ellipse 112,116 34,7 0,360' \
  -fill none -stroke '#6b4423' -strokewidth 8 -draw 'rectangle 4,4 157,125' \
  -stroke '#a0703c' -strokewidth 2 -draw 'rectangle 8,8 153,121' \
  -strip -interlace none -sampling-factor 2x2 -quality 90 AboutPicture.jpg

#!/usr/bin/env bash
# Draws the program's icon, a framed landscape (sky, sun, a snow-capped
# mountain, green hills), from one drawing in 48-unit coordinates at every
# size Windows asks for from 100 to 500 % and for Explorer's large views:
# 16, 20, 24, 32, 40, 48 and 64 pixels as 32-bit images, 256 as a PNG.
# Each size is drawn at its own scale (not another size stretched). Run when
# the drawing changes; tessivo.ico beside it is committed.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# draw SIZE OUT.png
draw() {
  local size=$1 out=$2 s
  s=$(awk -v n="$size" 'BEGIN { printf "%.5f", n / 48 }')
  # The sky: a gradient the size of the picture area (x 6-42, y 9-39).
  local sky_w sky_h
  sky_w=$(awk -v s="$s" 'BEGIN { printf "%d", 36 * s + 0.5 }')
  sky_h=$(awk -v s="$s" 'BEGIN { printf "%d", 30 * s + 0.5 }')
  convert -size "${sky_w}x${sky_h}" gradient:'#2f7fd8-#b4dcfa' "$work/sky.png"
  convert -size "${size}x${size}" xc:none \
    -draw "affine $s,0,0,$s,0,0 fill '#4a2c12' roundrectangle 1,4 47,44 4,4" \
    -draw "affine $s,0,0,$s,0,0 fill '#b07a40' roundrectangle 2.5,5.5 45.5,42.5 3,3" \
    -draw "affine $s,0,0,$s,0,0 fill '#e0b070' rectangle 4.5,7.5 43.5,40.5" \
    "$work/sky.png" -geometry "+$(awk -v s="$s" 'BEGIN { printf "%d", 6 * s + 0.5 }')+$(awk -v s="$s" 'BEGIN { printf "%d", 9 * s + 0.5 }')" -composite \
    -draw "affine $s,0,0,$s,0,0 fill '#ffc83c' stroke '#e89a10' stroke-width 0.8 circle 33.5,17.5 33.5,22" \
    -draw "affine $s,0,0,$s,0,0 fill '#56668a' polygon 9,32 18.8,16 29,32" \
    -draw "affine $s,0,0,$s,0,0 fill '#ffffff' polygon 16.4,20 18.8,16 21.2,20 19.6,19.2 18.8,20.4 17.8,19.2" \
    -draw "affine $s,0,0,$s,0,0 fill '#2f7f34' polygon 6,31 14,30.5 22,33 26,39 6,39" \
    -draw "affine $s,0,0,$s,0,0 fill '#4caf50' path 'M 15,39 C 20,31 30,29 42,29.5 L 42,39 Z'" \
    "PNG32:$out"
}

pngs=()
for size in 16 20 24 32 40 48 64; do
  draw "$size" "$work/$size.png"
  pngs+=("$work/$size.png")
done
draw 256 "$work/256.png"
icotool -c -o tessivo.ico "${pngs[@]}" -r "$work/256.png"
icotool -l tessivo.ico

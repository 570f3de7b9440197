#!/usr/bin/env bash
# Each display style applied as a person does, to a landscape PNG and a
# portrait JPEG (quarters red, green, blue and yellow, a magenta square in
# the middle): the corners, the middle and the desktop-coloured bands of
# C:\windows\MyWallpaper.bmp are where the style puts them, and the desktop
# shows the bitmap 1:1 (Tile: the picture repeated at its own size). The
# desktop is sampled above its taskbar and outside the window.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

X=232 Y=230
APPLY=$(e2e_at 61 94)
STYLE=$(e2e_at 510 228)
style_item() { echo $((X + 488)) $((Y + 247 + 13 * $1)); }
NAMES_X=$((X + 346)) NAMES_Y=$((Y + 20))

pictures="$E2E_DRIVE_C/pictures"
mkdir -p "$pictures"
# 640 x 320 with the square at 280-359, 120-199; 300 x 600 with it at
# 112-186, 262-336.
e2e_quarters 640 320 PNG24:"$pictures/landscape.png"
e2e_quarters 300 600 -sampling-factor 1x1 -quality 95 "$pictures/portrait.jpg"
printf '2\r\nC:\\pictures\\landscape.png\r\nC:\\pictures\\portrait.jpg\r\n' >"$E2E_INSTALL_DIR/LastList.lst"
wallpaper_bmp="$E2E_DRIVE_C/windows/MyWallpaper.bmp"

e2e_start
e2e_wait_window '^Quorvel$' || e2e_abort "the main window did not appear"
background=$(e2e_sys_color Background)
declare -A colour=([R]=DC1414 [G]=14DC14 [B]=1414DC [Y]=DCDC14 [M]=DC14DC [-]=$background)

# expect_points WHAT FILE "X,Y,C ...": each point has colour C (a key of
# `colour`, "-" the desktop's).
expect_points() {
  local what=$1 file=$2 point x y c got
  for point in $3; do
    IFS=, read -r x y c <<<"$point"
    got=$(e2e_pixel "$file" "$x" "$y")
    e2e_check "$what: $c at $x,$y (got $got)" e2e_near "$file" "$x" "$y" "${colour[$c]}"
  done
}

# apply_style ROW NAME STYLE "BITMAP POINTS" "DESKTOP POINTS": applies the
# row's picture in the style and checks the bitmap (skipped for Tile, which
# is the picture at its own size) and the desktop outside the window.
apply_style() {
  local row=$1 name=$2 style=$3 shot
  e2e_press $((NAMES_X + 30)) $((NAMES_Y + 13 * row + 6))
  sleep 0.5
  e2e_press $STYLE
  sleep 0.5
  e2e_press $(style_item "$style")
  sleep 0.3
  e2e_press $APPLY
  sleep 1.5
  e2e_wait_stable 0 0 1024 200
  e2e_check "$name, style $style: no error box" e2e_no_error_box
  if [ -n "$4" ]; then
    e2e_expect "$name, style $style: the bitmap has the desktop's size" \
      "$(identify -format '%wx%h' "$wallpaper_bmp")" 1024x768
    expect_points "$name, style $style, bitmap" "$wallpaper_bmp" "$4"
  fi
  shot=$(e2e_screenshot "${name}-$style")
  expect_points "$name, style $style, desktop" "$shot" "$5"
}

# The landscape picture: centred at 192,224-832,544; tiled from 0,0; fitted
# to 1024 x 512 at y 128; filled (and spanned over the one monitor) at
# 1536 x 768 from x -256, which moves the square to 416-607.
apply_style 0 landscape 0 "200,232,R 824,232,G 200,536,B 824,536,Y 512,384,M 100,384,- 512,150,- 900,600,-" \
  "8,8,- 200,232,R 1016,720,-"
apply_style 0 landscape 1 "" "8,8,R 630,8,G 650,8,R 8,312,B 8,330,R 1016,720,G"
apply_style 0 landscape 2 "8,8,R 1016,8,G 8,760,B 1016,760,Y 512,384,M 430,350,R" "8,8,R 1016,720,Y"
apply_style 0 landscape 3 "8,136,R 1016,136,G 8,632,B 1016,632,Y 512,384,M 512,60,- 512,700,-" \
  "8,60,- 8,136,R 1016,632,Y 1016,700,-"
apply_style 0 landscape 4 "8,8,R 1016,8,G 8,760,B 1016,760,Y 512,384,M 430,350,M" "8,8,R 1016,720,Y"
apply_style 0 landscape 5 "8,8,R 1016,8,G 8,760,B 1016,760,Y 512,384,M 430,350,M" "8,8,R 1016,720,Y"

# The portrait picture: centred at 362,84-662,684; tiled from 0,0; fitted to
# 384 x 768 at x 320; filled at 1024 x 2048 from y -640, which moves the
# square to y 258-511.
apply_style 1 portrait 0 "370,92,R 654,92,G 370,676,B 654,676,Y 512,384,M 200,384,- 850,384,- 512,40,-" \
  "8,8,- 370,92,R 654,92,G 1016,720,-"
apply_style 1 portrait 1 "" "8,8,R 292,8,G 308,8,R 8,592,B 8,610,R"
apply_style 1 portrait 2 "8,8,R 1016,8,G 8,760,B 1016,760,Y 512,384,M 450,300,R" "8,8,R 1016,720,Y"
apply_style 1 portrait 3 "328,8,R 696,8,G 328,760,B 696,760,Y 512,384,M 200,384,- 850,384,-" \
  "8,8,- 328,8,R 696,720,Y 1016,720,-"
apply_style 1 portrait 4 "8,8,R 1016,8,G 8,760,B 1016,760,Y 512,384,M 450,300,M" "8,8,R 1016,720,Y"
apply_style 1 portrait 5 "8,8,R 1016,8,G 8,760,B 1016,760,Y 512,384,M 450,300,M" "8,8,R 1016,720,Y"

e2e_finish

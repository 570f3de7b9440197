#!/usr/bin/env bash
# The preview shows the 1024 x 768 desktop as each style would lay a
# picture out on it, as a person sees it: a landscape and a portrait picture
# (quarters red, green, blue and yellow, a magenta square in the middle) in
# "Center", "Fit" and "Fill", the desktop's colour where the picture does
# not reach. Nothing is applied.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

X=232 Y=230
STYLE=$(e2e_at 510 228)
style_item() { echo $((X + 488)) $((Y + 247 + 13 * $1)); }
NAMES_X=$((X + 346)) NAMES_Y=$((Y + 20))
# The preview box's top-left corner: the monitor is 216 x 162 in it, from x 1.
BOX_X=$((X + 122)) BOX_Y=$((Y + 20))

pictures="$E2E_DRIVE_C/pictures"
mkdir -p "$pictures"
e2e_quarters 640 320 PNG24:"$pictures/landscape.png"
e2e_quarters 300 600 -sampling-factor 1x1 -quality 95 "$pictures/portrait.jpg"
printf '2\r\nC:\\pictures\\landscape.png\r\nC:\\pictures\\portrait.jpg\r\n' >"$E2E_INSTALL_DIR/LastList.lst"
# The style kept from last time is "Fit".
e2e_wine reg add 'HKCU\Software\Tessivo' /v style /t REG_SZ /d 3 /f >/dev/null 2>&1

e2e_start
e2e_wait_window '^Quorvel$' || e2e_abort "the main window did not appear"
background=$(e2e_sys_color Background)
declare -A colour=([R]=DC1414 [G]=14DC14 [B]=1414DC [Y]=DCDC14 [M]=DC14DC [-]=$background)

# check_points WHAT SHOT "BOX POINTS": each point of the preview box
# (x,y,colour key) has its colour.
check_points() {
  local point x y c got
  for point in $3; do
    IFS=, read -r x y c <<<"$point"
    got=$(e2e_pixel "$2" $((BOX_X + x)) $((BOX_Y + y)))
    e2e_check "$1: $c at $x,$y of the preview (got $got)" e2e_near "$2" $((BOX_X + x)) $((BOX_Y + y)) "${colour[$c]}"
  done
}

# At the start, the first picture in the kept style.
e2e_wait_stable "$BOX_X" "$BOX_Y" 218 162
check_points "at the start" "$(e2e_screenshot start)" "109,10,- 40,50,R 180,115,Y"

# preview ROW NAME STYLE "BOX POINTS": the row's picture shown, the style
# chosen, and each point of the preview box (x,y,colour key) checked.
preview() {
  local row=$1 name=$2 style=$3
  e2e_press $((NAMES_X + 30)) $((NAMES_Y + 13 * row + 6))
  sleep 0.5
  e2e_press $STYLE
  sleep 0.5
  e2e_press $(style_item "$style")
  sleep 0.5
  e2e_wait_stable "$BOX_X" "$BOX_Y" 218 162
  e2e_check "$name, style $style: no error box" e2e_no_error_box
  check_points "$name, style $style" "$(e2e_screenshot "${name}-$style")" "$4"
}

# The landscape picture, on the desktop: centred at 192,224-832,544; fitted
# to 1024 x 512 at y 128; filled at 1536 x 768 from x -256. In the preview
# (scale 216 / 1024, plus 1 across): 42,47-177,115; rows 27-135; all of it.
preview 0 landscape 0 "20,81,- 109,30,- 109,130,- 60,60,R 160,60,G 60,105,B 160,105,Y 109,81,M"
preview 0 landscape 3 "109,10,- 109,150,- 40,50,R 180,50,G 40,115,B 180,115,Y 109,81,M"
preview 0 landscape 4 "5,10,R 212,10,G 5,150,B 212,150,Y 109,81,M 90,81,M"
# The portrait picture: centred at 362,84-662,684; fitted to 384 x 768 at
# x 320; filled at 1024 x 2048 from y -640. In the preview: 77,18-141,144;
# columns 69-150; all of it.
preview 1 portrait 0 "40,81,- 180,81,- 109,8,- 85,30,R 133,30,G 85,130,B 133,130,Y 109,81,M"
preview 1 portrait 3 "30,81,- 200,81,- 80,20,R 140,20,G 80,140,B 140,140,Y 109,81,M"
preview 1 portrait 4 "10,10,R 207,10,G 10,150,B 207,150,Y 109,81,M"

e2e_finish

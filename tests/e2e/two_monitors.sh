#!/usr/bin/env bash
# Two monitors of different sizes: a 1024 x 768 primary and an 800 x 600
# monitor right of it (Xephyr's Xinerama screens inside the test's Xvfb,
# Wine on it without a virtual desktop). The same picture applied "Fit" is
# laid out in each monitor's own rectangle of C:\windows\MyWallpaper.bmp,
# the 800 x 168 corner below the second monitor in the desktop's colour;
# "Span" lays it once over the bounding box. Started again with a different
# picture on each monitor ("permonitor" "1"), "Fit" puts the selected
# picture on the primary and the list's next one on the second monitor.
# Wine draws no wallpaper outside
# a virtual desktop, so the bitmap itself is checked, pixel by pixel.
source "$(dirname "$0")/lib.sh"
# The outer display holds Xephyr's window of 1824 x 768.
E2E_WIDTH=1920 E2E_HEIGHT=1000
e2e_init "$1"

DESKTOP_KEY='HKCU\Control Panel\Desktop'
XEPHYR_PID=

# xephyr_start: the two monitors on the first free display from the outer
# one's number up; DISPLAY then names it.
xephyr_start() {
  local n ready base=${DISPLAY#:}
  ready=$(mktemp)
  for ((n = base + 1; n < base + 200; n++)); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    : >"$ready"
    Xephyr ":$n" +xinerama -extension RANDR -screen 1024x768+0+0 -screen 800x600+1024+0 \
      -nolisten tcp -displayfd 3 3>"$ready" >"$E2E_WORK/xephyr.log" 2>&1 &
    XEPHYR_PID=$!
    while kill -0 "$XEPHYR_PID" 2>/dev/null && [ ! -s "$ready" ]; do sleep 0.05; done
    if [ -s "$ready" ]; then
      rm -f "$ready"
      export DISPLAY=":$n"
      return 0
    fi
    wait "$XEPHYR_PID" 2>/dev/null
  done
  rm -f "$ready"
  return 1
}
_two_monitors_cleanup() {
  local status=$?
  [ -z "$XEPHYR_PID" ] || kill "$XEPHYR_PID" 2>/dev/null
  (exit "$status")
  _e2e_cleanup
}
trap _two_monitors_cleanup EXIT

# The Wine session of e2e_init belongs to the outer display: a new one on
# Xephyr's, so that every Wine process sees its monitors.
e2e_as_user wineserver -k 2>/dev/null
xephyr_start || e2e_abort "Xephyr did not start"
e2e_as_user wineserver -p 600 </dev/null >/dev/null 2>&1
# The session's desktop and tray come up before the program does.
e2e_wine cmd.exe /c exit >/dev/null 2>&1

pictures="$E2E_DRIVE_C/pictures"
mkdir -p "$pictures"
# 640 x 320: quarters red, green, blue, yellow; a magenta square at
# 280-359, 120-199.
convert -size 320x160 xc:'#DC1414' xc:'#14DC14' +append \
  \( -size 320x160 xc:'#1414DC' xc:'#DCDC14' +append \) -append \
  -fill '#DC14DC' -draw 'rectangle 280,120 359,199' PNG24:"$pictures/landscape.png"
printf '1\r\nC:\\pictures\\landscape.png\r\n' >"$E2E_INSTALL_DIR/LastList.lst"
wallpaper_bmp="$E2E_DRIVE_C/windows/MyWallpaper.bmp"

e2e_as_user "$TESSIVO_WINE" "$E2E_PROGRAM" </dev/null >>"$E2E_WORK/wine.log" 2>&1 &
E2E_LAUNCHER=$!
e2e_wait_window '^Quorvel$' 90 || e2e_abort "the main window did not appear"
background=$(e2e_sys_color Background)
declare -A colour=([R]=DC1414 [G]=14DC14 [B]=1414DC [Y]=DCDC14 [M]=DC14DC [C]=14DCDC [W]=F0F0F0
  [-]=$background)

# The window is centred on the primary monitor.
X=232 Y=230
APPLY="$((X + 61)) $((Y + 94))"
STYLE="$((X + 510)) $((Y + 228))"
style_item() { echo $((X + 488)) $((Y + 247 + 13 * $1)); }
NAME_ROW="$((X + 376)) $((Y + 26))"
EXIT="$((X + 84)) $((Y + 235))"

expect_points() {
  local what=$1 point x y c
  for point in $2; do
    IFS=, read -r x y c <<<"$point"
    e2e_check "$what: $c at $x,$y (got $(e2e_pixel "$wallpaper_bmp" "$x" "$y"))" \
      e2e_near "$wallpaper_bmp" "$x" "$y" "${colour[$c]}"
  done
}
apply_style() {
  e2e_press $NAME_ROW
  sleep 0.5
  e2e_press $STYLE
  sleep 0.5
  e2e_press $(style_item "$1")
  sleep 0.3
  rm -f "$wallpaper_bmp"
  e2e_press $APPLY
  local deadline=$(($(date +%s) + 15))
  while [ ! -s "$wallpaper_bmp" ] && [ "$(date +%s)" -lt "$deadline" ]; do sleep 0.2; done
  sleep 1
  e2e_check "style $1: no error box" e2e_no_error_box
  e2e_expect "style $1: the bitmap covers both monitors" "$(identify -format '%wx%h' "$wallpaper_bmp")" 1824x768
  # Windows tiles it from the primary's corner, which shows it 1:1.
  e2e_expect "style $1: WallpaperStyle 0" "$(e2e_reg_query "$DESKTOP_KEY" WallpaperStyle)" 0
  e2e_expect "style $1: TileWallpaper 1" "$(e2e_reg_query "$DESKTOP_KEY" TileWallpaper)" 1
}

# Fit: 1024 x 512 at 0,128 on the primary; 800 x 400 at 1024,100 on the
# second monitor; below it, 1024-1823 x 600-767, nothing of any monitor.
apply_style 3
expect_points "Fit, primary" "8,136,R 1016,136,G 8,632,B 1016,632,Y 512,384,M 512,60,- 512,700,-"
expect_points "Fit, second monitor" "1032,108,R 1816,108,G 1032,492,B 1816,492,Y 1424,300,M 1424,50,- 1424,550,-"
expect_points "Fit, the corner of no monitor" "1030,606,- 1424,700,- 1816,760,-"

# Span: one picture over the bounding box, 1824 x 912 from y -72: the
# quarters meet at 912,384 and the square spans 798-1025, 270-495.
apply_style 5
expect_points "Span" "8,8,R 1816,8,G 8,760,B 1816,700,Y 912,384,M 1300,200,G 500,600,B 1040,300,G"

# A different picture on each monitor, set before the start: the list's
# second picture, 400 x 300 cyan with a white 200 x 150 centre, fitted to
# the whole 800 x 600 second monitor.
e2e_press $EXIT
e2e_wait_exit 20 || e2e_abort "the program did not end"
convert -size 400x300 xc:'#14DCDC' -fill '#F0F0F0' -draw 'rectangle 100,75 299,224' \
  PNG24:"$pictures/second.png"
printf '2\r\nC:\\pictures\\landscape.png\r\nC:\\pictures\\second.png\r\n' >"$E2E_INSTALL_DIR/LastList.lst"
e2e_wine reg add 'HKCU\Software\Tessivo' /v permonitor /d 1 /f >/dev/null 2>&1 ||
  e2e_abort "cannot store the option"
e2e_as_user "$TESSIVO_WINE" "$E2E_PROGRAM" </dev/null >>"$E2E_WORK/wine.log" 2>&1 &
E2E_LAUNCHER=$!
e2e_wait_window '^Quorvel$' 90 || e2e_abort "the main window did not appear the second time"
apply_style 3
expect_points "Each its own, primary" "8,136,R 1016,136,G 8,632,B 1016,632,Y 512,384,M 512,60,-"
expect_points "Each its own, second monitor" "1032,8,C 1816,8,C 1032,592,C 1816,592,C 1424,300,W 1250,200,W 1030,606,-"

e2e_finish

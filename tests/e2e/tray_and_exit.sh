#!/usr/bin/env bash
# The program in the notification area, as a person uses it: the icon at
# start, the minimise-to-tray button, a left click on the icon to bring the
# window back, the icon's right-click menu ("Change Wallpaper", "About",
# "Exit"), the About box centred over the window, and Alt+F4 after an edit.
# A second program (Notepad) keeps the Wine desktop open after Tessivo ends,
# so the notification area can be looked at once the program has gone.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

X=232 Y=230 W=560 H=308
ICON_X=1013 ICON_Y=758
# The tray's corner, where the icon sits.
TRAY_X=1004 TRAY_Y=750 TRAY_W=18 TRAY_H=16
SETTINGS='HKCU\Software\Tessivo'
DESKTOP_KEY='HKCU\Control Panel\Desktop'

mkdir -p "$E2E_DRIVE_C/pictures"
convert -size 64x48 xc:'rgb(220,30,30)' BMP3:"$E2E_DRIVE_C/pictures/red.bmp"
printf '1\r\nC:\\pictures\\red.bmp\r\n' >"$E2E_INSTALL_DIR/LastList.lst"
cp "$E2E_INSTALL_DIR/LastList.lst" "$E2E_WORK/list-at-start"
# Shown at start, tiled, so that the centred change is seen.
e2e_wine reg add "$SETTINGS" /v startminimized /d 0 /f >/dev/null 2>&1
e2e_wine reg add "$SETTINGS" /v style /d 1 /f >/dev/null 2>&1
e2e_wine reg add "$DESKTOP_KEY" /v TileWallpaper /d 1 /f >/dev/null 2>&1

# The program's own process (not the desktop's launcher, which names it too).
program_running() { pgrep -f '^C:.Program Files.Tessivo.tessivo\.exe' >/dev/null; }
# icon_gone NAME: the tray's corner holds no icon; the taskbar may still be
# repainting just after the program ended, so it is looked at for a few
# seconds before the check fails.
icon_gone() {
  local shot pixels
  for _ in $(seq 10); do
    shot=$(e2e_screenshot "$1")
    pixels=$(icon_pixels "$shot")
    [ "$pixels" = 0 ] && return 0
    sleep 0.5
  done
  echo "  ($pixels pixels of an icon in the tray's corner)"
  return 1
}
wait_program_gone() {
  local start=$SECONDS
  while program_running; do
    [ $((SECONDS - start)) -lt 60 ] || return 1
    sleep 0.2
  done
  echo "  (the process ended after $((SECONDS - start)) s)"
}
# Pixels of the tray's corner that are not the colour of its own edge: the
# icon. (Wine's taskbar is not always painted again after a wallpaper change,
# so the bar beside the corner may show the desktop, while the corner is
# painted afresh when the icon goes.)
icon_pixels() {
  e2e_count_other "$1" "$TRAY_X" "$TRAY_Y" "$TRAY_W" "$TRAY_H" "$(e2e_pixel "$1" "$TRAY_X" "$TRAY_Y")"
}
# changed_box BEFORE AFTER: "x y w h" of where the screen changed within
# the main window's rectangle, right of the actions column (whose clock
# ticks).
changed_box() {
  compare "$1" "$2" -compose src -highlight-color white -lowlight-color black miff:- 2>/dev/null |
    convert - -crop "$((W - 120))x${H}+$((X + 120))+${Y}" +repage -trim -format '%X %Y %w %h' info: |
    tr -d '+' | awk -v x="$((X + 120))" -v y="$Y" '{ print $1 + x, $2 + y, $3, $4 }'
}
# tray_menu ITEM: right-click on the icon, wait for the menu, click the item.
# The menu opens up and to the left of the pointer; the items' heights are
# the menu font's in this prefix.
declare -A MENU_ITEM=([restore]=157 [change]=73 [about]=48 [exit]=22)
tray_menu() {
  local before deadline
  before=$(e2e_screenshot before-menu)
  e2e_click "$ICON_X" "$ICON_Y" 3
  deadline=$(($(date +%s) + 10))
  while [ "$(date +%s)" -lt "$deadline" ]; do
    sleep 0.3
    [ "$(e2e_pixel "$(e2e_screenshot menu)" $((ICON_X - 60)) $((ICON_Y - 22)))" != \
      "$(e2e_pixel "$before" $((ICON_X - 60)) $((ICON_Y - 22)))" ] && break
  done
  e2e_click $((ICON_X - 80)) $((ICON_Y - ${MENU_ITEM[$1]}))
}
wait_value() {
  local deadline=$(($(date +%s) + 20))
  while [ "$(date +%s)" -lt "$deadline" ]; do
    [ "$(e2e_reg_query "$1" "$2")" = "$3" ] && return 0
    sleep 0.3
  done
  return 1
}

# --- The icon at start; minimise to tray; back with a left click ----------
e2e_start
e2e_wait_window '^Quorvel$' || e2e_abort "the main window did not appear"
e2e_wait_stable "$X" "$Y" "$W" "$H"
# Notepad, minimised, keeps the desktop open after Tessivo ends.
WINEPREFIX="$E2E_PREFIX" "$TESSIVO_WINE" explorer.exe "/desktop=$E2E_DESKTOP,${E2E_WIDTH}x${E2E_HEIGHT}" \
  cmd.exe /c start /min notepad.exe >>"$E2E_WORK/wine.log" 2>&1 &
for _ in $(seq 100); do pgrep -f 'notepad\.exe' >/dev/null && break; sleep 0.1; done
sleep 2
shot=$(e2e_screenshot start)
e2e_check "the icon is in the notification area at start" [ "$(icon_pixels "$shot")" -gt 30 ]

e2e_click $((X + 22)) $((Y + 7))
e2e_check "the minimise-to-tray button hides the window" e2e_wait_gone '^Quorvel$'
e2e_check "hidden, the program runs on" program_running
e2e_click "$ICON_X" "$ICON_Y"
e2e_check "a left click on the icon brings the window back" e2e_wait_window '^Quorvel$' 10

# --- The menu: "Change Wallpaper", with the window in the tray -------------
e2e_click $((X + 22)) $((Y + 7))
e2e_wait_gone '^Quorvel$'
tray_menu change
e2e_check "the right-click menu's \"Change Wallpaper\" applies the entry centred" \
  wait_value "$DESKTOP_KEY" TileWallpaper 0
e2e_expect "centred: WallpaperStyle" "$(e2e_reg_query "$DESKTOP_KEY" WallpaperStyle)" 0
e2e_expect "the wallpaper file, drawn centred" "$(e2e_reg_query "$DESKTOP_KEY" Wallpaper)" 'C:\windows\MyWallpaper.bmp'
sleep 1
shot=$(e2e_screenshot changed)
e2e_expect "the desktop's centre shows the picture" "$(e2e_pixel "$shot" 512 384)" DC1E1E
e2e_check "the desktop's corner does not (not tiled)" [ "$(e2e_pixel "$shot" 16 16)" != DC1E1E ]
e2e_check "the menu left the window in the tray" [ -z "$(e2e_find_window '^Quorvel$')" ]

# --- "About": the box, modal and centred over the window -------------------
e2e_click "$ICON_X" "$ICON_Y"
e2e_wait_window '^Quorvel$' 10
e2e_wait_stable "$X" "$Y" "$W" "$H"
before=$(e2e_screenshot before-about)
tray_menu about
sleep 1.5
e2e_wait_stable "$X" "$Y" "$W" "$H"
about=$(e2e_screenshot about)
# The box is where the screen changed, less the pointer's corner.
box=$(changed_box "$before" "$about")
read -r bx by bw bh <<<"$box"
e2e_check "the About box appeared ($bw x $bh at $bx,$by)" [ "${bw:-0}" -gt 200 ] && [ "${bh:-0}" -gt 150 ]
e2e_expect "the box is centred across the window" "$bx" "$((X + (W - bw) / 2))"
e2e_expect "the box is centred down the window" "$by" "$((Y + (H - bh) / 2))"
convert "$about" -crop "${bw}x${bh}+${bx}+${by}" +repage "$E2E_WORK/about-box.png"
# The client area: the frame's width from the box's bottom edge.
frame=$(((bw - 219) / 2))
cx=$((bx + frame)) cy=$((by + bh - frame - 162))
e2e_expect "the panel's black frame at the client's corner" "$(e2e_pixel "$about" "$cx" "$cy")" 000000
e2e_expect "the header's grey" "$(e2e_pixel "$about" $((cx + 150)) $((cy + 5)))" EDE9E3
e2e_check "the picture's sun, yellow" awk -v p="$(e2e_pixel "$about" $((cx + 4 + 60)) $((cy + 21 + 17)))" \
  'BEGIN { exit !(substr(p, 1, 2) > "D0" && substr(p, 5, 2) < "80") }'
e2e_expect "the vertical separator's silver" "$(e2e_pixel "$about" $((cx + 87)) $((cy + 60)))" C0C0C0
# Between the contact lines and the version, which stands at (8, 140).
e2e_expect "the panel's white below the picture" "$(e2e_pixel "$about" $((cx + 40)) $((cy + 134)))" FFFBF7
# While the box is open the main window takes no input: the minimise button
# does nothing.
e2e_click $((X + 22)) $((Y + 7))
sleep 1
e2e_check "the window stays while the box is modal" [ -n "$(e2e_find_window '^Quorvel$')" ]
e2e_click $((cx + 136 + 36)) $((cy + 136 + 10))
sleep 1
e2e_wait_stable "$X" "$Y" "$W" "$H"
shot=$(e2e_screenshot about-closed)
convert "$before" -crop "${bw}x${bh}+${bx}+${by}" +repage "$E2E_WORK/box-before.png"
convert "$shot" -crop "${bw}x${bh}+${bx}+${by}" +repage "$E2E_WORK/box-after.png"
e2e_check "\"Close\" closes the box: its place looks as before" \
  [ "$(compare -metric AE "$E2E_WORK/box-before.png" "$E2E_WORK/box-after.png" null: 2>&1 | cut -d. -f1)" -lt 20 ]

# --- "Exit": the list kept, the icon gone, the options stored --------------
e2e_wine reg delete "$SETTINGS" /v startup /f >/dev/null 2>&1
tray_menu exit
e2e_check "\"Exit\" ends the program" wait_program_gone
e2e_check "the list is kept" cmp -s "$E2E_INSTALL_DIR/LastList.lst" "$E2E_WORK/list-at-start"
e2e_expect "the options were written" "$(e2e_reg_query "$SETTINGS" startup)" 1
e2e_check "the icon is gone" icon_gone after-exit

# --- Alt+F4 after an edit keeps the edit -----------------------------------
e2e_start
# The desktop is already there, so its launcher may end at once: the window
# alone tells that the program is up.
E2E_LAUNCHER=
e2e_wait_window '^Quorvel$' || e2e_abort "the main window did not come back"
e2e_wait_stable "$X" "$Y" "$W" "$H"
# Select the entry, then "-".
e2e_click $((X + 360)) $((Y + 27))
e2e_click $((X + 2 + 45 + 14)) $((Y + 18 + 27 + 15))
sleep 1
e2e_key alt+F4
e2e_check "Alt+F4 ends the program" wait_program_gone
printf '0\r\n' >"$E2E_WORK/list-empty"
e2e_check "the edit is kept in LastList.lst" cmp -s "$E2E_INSTALL_DIR/LastList.lst" "$E2E_WORK/list-empty"
e2e_check "no icon is left behind" icon_gone after-alt-f4

e2e_finish

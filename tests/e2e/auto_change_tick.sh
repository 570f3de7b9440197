#!/usr/bin/env bash
# Automatic changing as a person sees it, over one real minute: a two-entry
# list, the interval 1, "Start" applies the first entry at once, and about a
# minute later the desktop shows the second. "Exit" then stores the options
# and registers the program to start with Windows, naming its own file.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

X=232 Y=230
START_STOP="$((X + 528)) $((Y + 285))"
EXIT="$((X + 84)) $((Y + 235))"
SETTINGS='HKCU\Software\Tessivo'
DESKTOP_KEY='HKCU\Control Panel\Desktop'
RUN_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'

pictures="$E2E_DRIVE_C/pictures"
mkdir -p "$pictures"
convert -size 64x48 xc:'rgb(220,20,20)' BMP3:"$pictures/red.bmp"
convert -size 64x48 xc:'rgb(20,20,220)' BMP3:"$pictures/blue.bmp"
RED='C:\pictures\red.bmp' BLUE='C:\pictures\blue.bmp'
printf '2\r\n%s\r\n%s\r\n' "$RED" "$BLUE" >"$E2E_INSTALL_DIR/LastList.lst"
# A first run's options, with "Tile" so the whole desktop takes the colour.
for pair in startminimized=0 random=0 startinautorunmode=0 startup=1 style=1 interval=1; do
  e2e_wine reg add "$SETTINGS" /v "${pair%%=*}" /d "${pair#*=}" /f >/dev/null 2>&1
done

# wait_wallpaper PATH SECONDS: waits until the desktop values name PATH.
wait_wallpaper() {
  local deadline=$(($(date +%s) + $2))
  while [ "$(date +%s)" -lt "$deadline" ]; do
    [ "$(e2e_reg_query "$DESKTOP_KEY" Wallpaper)" = "$1" ] && return 0
    sleep 0.5
  done
  return 1
}
family() {
  e2e_pixel "$1" "$2" "$3" | awk '
    function hex(s,   i, n) { n = 0; for (i = 1; i <= length(s); i++) n = n * 16 + index("0123456789ABCDEF", substr(s, i, 1)) - 1; return n }
    { r = hex(substr($1, 1, 2)); g = hex(substr($1, 3, 2)); b = hex(substr($1, 5, 2))
      if (r > 150 && g < 90 && b < 90) print "r"; else if (b > 150 && r < 90 && g < 90) print "b"; else print "o" }'
}

e2e_start
e2e_wait_window '^Quorvel$' || e2e_abort "the main window did not appear"
e2e_click $START_STOP
xdotool mousemove 0 0
started=$(date +%s)
e2e_check "'Start' applies the first entry at once" wait_wallpaper "$RED" 15
e2e_wait_stable 0 0 200 200
e2e_expect "the desktop shows the first entry" "$(family "$(e2e_screenshot started)" 16 16)" r

e2e_check "about a minute later the second entry is applied" wait_wallpaper "$BLUE" 100
elapsed=$(($(date +%s) - started))
e2e_check "the change came after the interval, not at once ($elapsed s)" [ "$elapsed" -ge 50 ]
e2e_wait_stable 0 0 200 200
e2e_expect "the desktop shows the second entry" "$(family "$(e2e_screenshot ticked)" 16 16)" b

e2e_click $EXIT
e2e_check "'Exit' ends the program" e2e_wait_exit 20
e2e_expect "the run key names the program's own file, quoted" \
  "$(e2e_reg_query "$RUN_KEY" Tessivo)" '"C:\Program Files\Tessivo\tessivo.exe"'
e2e_expect "'startup' stays 1" "$(e2e_reg_query "$SETTINGS" startup)" 1
e2e_expect "'interval' stays 1" "$(e2e_reg_query "$SETTINGS" interval)" 1
e2e_finish

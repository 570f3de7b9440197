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
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

e2e_red_blue_list
# A first run's options, with "Tile" so the whole desktop takes the colour.
for pair in startminimized=0 random=0 startinautorunmode=0 startup=1 style=1 interval=1; do
  e2e_wine reg add "$SETTINGS" /v "${pair%%=*}" /d "${pair#*=}" /f >/dev/null 2>&1
done


e2e_start
e2e_wait_window '^Quorvel$' || e2e_abort "the main window did not appear"
e2e_click $START_STOP
xdotool mousemove 0 0
started=$(date +%s)
e2e_check "'Start' applies the first entry at once" e2e_wait_wallpaper "$RED" 15
e2e_wait_stable 0 0 200 200
e2e_expect "the desktop shows the first entry" "$(e2e_family "$(e2e_screenshot started)" 16 16)" r

e2e_check "about a minute later the second entry is applied" e2e_wait_wallpaper "$BLUE" 100
elapsed=$(($(date +%s) - started))
e2e_check "the change came after the interval, not at once ($elapsed s)" [ "$elapsed" -ge 50 ]
e2e_wait_stable 0 0 200 200
e2e_expect "the desktop shows the second entry" "$(e2e_family "$(e2e_screenshot ticked)" 16 16)" b

e2e_click $EXIT
e2e_check "'Exit' ends the program" e2e_wait_exit 20
e2e_expect "the run key names the program's own file, quoted" \
  "$(e2e_reg_query "$RUN_KEY" Tessivo)" '"C:\Program Files\Tessivo\tessivo.exe"'
e2e_expect "'startup' stays 1" "$(e2e_reg_query "$SETTINGS" startup)" 1
e2e_expect "'interval' stays 1" "$(e2e_reg_query "$SETTINGS" interval)" 1
e2e_finish

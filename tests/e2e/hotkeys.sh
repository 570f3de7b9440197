#!/usr/bin/env bash
# Global hotkeys, turned on in the options: with the program in the tray,
# Ctrl+Alt+Shift+Right puts the next picture on the desktop and
# Ctrl+Alt+Shift+Left brings the one before back, whichever window has the
# keyboard.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

SETTINGS='HKCU\Software\Tessivo'
e2e_red_blue_list
for pair in startminimized=1 style=1 hotkeys=1; do
  e2e_wine reg add "$SETTINGS" /v "${pair%%=*}" /d "${pair#*=}" /f >/dev/null 2>&1
done

e2e_start
sleep 8
e2e_check "the program starts in the tray without any message" e2e_no_error_box
# The keyboard goes to the desktop, not to a window of the program.
e2e_click 500 200
e2e_key ctrl+alt+shift+Right
e2e_check "Ctrl+Alt+Shift+Right puts the next picture on the desktop" e2e_wait_wallpaper "$BLUE" 20
e2e_key ctrl+alt+shift+Right
e2e_check "and again the one after it" e2e_wait_wallpaper "$RED" 20
e2e_key ctrl+alt+shift+Left
e2e_check "Ctrl+Alt+Shift+Left brings the earlier picture back" e2e_wait_wallpaper "$BLUE" 20
e2e_wait_stable 0 0 200 200
e2e_expect "the desktop shows it" "$(e2e_family "$(e2e_screenshot after-previous)" 16 16)" b
e2e_finish

#!/usr/bin/env bash
# The command line, as a person uses it while Tessivo sits in the tray: a
# second start with /next changes the wallpaper through the running copy
# and ends, /previous brings the earlier picture back, a plain second start
# shows the window, and a switch the program does not know gives one box.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

SETTINGS='HKCU\Software\Tessivo'
e2e_red_blue_list
for pair in startminimized=1 style=1; do
  e2e_wine reg add "$SETTINGS" /v "${pair%%=*}" /d "${pair#*=}" /f >/dev/null 2>&1
done

e2e_start
e2e_wait_copies 1 60 || e2e_abort "the program did not start"
sleep 3
e2e_check "the running copy sits in the tray" [ -z "$(e2e_find_window '^Quorvel$')" ]

e2e_start_again /next
e2e_check "'/next' puts the list's next picture on the desktop" e2e_wait_wallpaper "$BLUE" 30
e2e_check "and the second start ends, leaving one copy" e2e_wait_copies 1 15
e2e_wait_stable 0 0 200 200
e2e_expect "the desktop shows it" "$(e2e_family "$(e2e_screenshot after-next)" 16 16)" b
e2e_start_again -NEXT
e2e_check "'-NEXT' goes on to the next one" e2e_wait_wallpaper "$RED" 30
e2e_start_again /previous
e2e_check "'/previous' brings the earlier picture back" e2e_wait_wallpaper "$BLUE" 30
e2e_check "one copy is left" e2e_wait_copies 1 15
e2e_check "still without a window" [ -z "$(e2e_find_window '^Quorvel$')" ]
e2e_check "and without a message box" e2e_no_error_box

e2e_start_again
e2e_check "a plain second start shows the running copy's window" e2e_wait_window '^Quorvel$' 30
e2e_check "and ends, leaving one copy" e2e_wait_copies 1 15

e2e_start_again /bogus
e2e_check "an unknown switch gives a box" e2e_wait_window '^Error$' 30
e2e_expect "one box" "$(e2e_find_window '^Error$' | wc -l)" 1
e2e_screenshot bad-switch >/dev/null
xdotool search --onlyvisible --name '^Error$' windowactivate --sync key Return 2>/dev/null || e2e_key Return
e2e_check "the box closes and the bad start ends" e2e_wait_copies 1 15
e2e_expect "the wallpaper is untouched" "$(e2e_reg_query 'HKCU\Control Panel\Desktop' Wallpaper)" "$BLUE"
e2e_finish

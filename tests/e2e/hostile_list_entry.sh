#!/usr/bin/env bash
# A list someone sent with a line that is no file name (a quote that would
# end the name on a command line, and a program after it): Load List says
# which line it is and keeps the list as it was; "Open File Location" on the
# entry that is there opens its folder and starts nothing else.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

X=232 Y=230
LOAD=$(e2e_at 61 188)  # "Load List"
NAMES_X=$((X + 346)) NAMES_Y=$((Y + 20))

pictures="$E2E_DRIVE_C/pictures"
mkdir -p "$pictures"
convert -size 200x100 xc:'rgb(230,30,30)' BMP3:"$pictures/roses.bmp"
printf '1\r\nC:\\pictures\\roses.bmp\r\n' >"$E2E_INSTALL_DIR/LastList.lst"
printf '2\r\nC:\\pictures\\roses.bmp\r\nC:\\pictures\\roses.bmp" C:\\windows\\notepad.exe\r\n' \
  >"$E2E_DRIVE_C/sent.lst"

# The programs running in this test's prefix, one command line per line.
programs() {
  local pid
  for pid in $(pgrep -u "$E2E_USER" -f '\.exe'); do
    { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$E2E_PREFIX" &&
      ps -o args= -p "$pid"
  done | sort
}
notepads() { programs | grep -ci notepad; }
a_box_is_open() { ! e2e_no_error_box; }

e2e_start
e2e_wait_window '^Quorvel$' || e2e_abort "the main window did not appear"

e2e_press $LOAD
e2e_wait_window '^Loading file for wallpaper \.\.\.$' 20 || e2e_abort "the load dialog did not open"
e2e_type 'C:\sent.lst'
e2e_key Return
e2e_wait_gone '^Loading file for wallpaper \.\.\.$' || e2e_abort "the load dialog did not close"
sleep 1
e2e_screenshot refused >/dev/null
e2e_check "Load List reports the refused line in a box" a_box_is_open
e2e_key Return
sleep 1
e2e_check "the box is gone" e2e_no_error_box

before=$(programs)
# The name list's menu on the entry, then "Open File Location" (the fourth
# item that can be chosen: Add Folder, Remove, Remove Missing Files, then it).
e2e_click $((NAMES_X + 30)) $((NAMES_Y + 6)) 3
sleep 1
e2e_key Down Down Down Down Return
e2e_wait_window 'pictures' 20
sleep 2
after=$(programs)
e2e_screenshot folder-opened >/dev/null
comm -13 <(echo "$before") <(echo "$after") >"$E2E_WORK/started.txt"
e2e_check "the folder opens" [ -n "$(e2e_find_window 'pictures')" ]
e2e_expect "no other program was started" "$(notepads)" 0
e2e_check "every program started is Explorer" \
  bash -c "! grep -vi 'explorer' '$E2E_WORK/started.txt'"
e2e_check "no box" e2e_no_error_box

e2e_finish

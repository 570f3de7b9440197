#!/usr/bin/env bash
# An edited list survives a crash: a picture is added through "+", a few
# seconds pass, and the program is killed outright (no exit, no clean-up):
# LastList.lst beside the program already holds the new picture.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

ADD=$(e2e_at 29 60) # "+" in the actions column

pictures="$E2E_DRIVE_C/pictures"
mkdir -p "$pictures"
convert -size 40x30 xc:'rgb(230,30,30)' BMP3:"$pictures/red.bmp"
convert -size 40x30 xc:'rgb(20,60,220)' BMP3:"$pictures/blue.bmp"
printf '1\r\nC:\\pictures\\red.bmp\r\n' >"$E2E_INSTALL_DIR/LastList.lst"

# The program's own process (not the desktop that started it), found by its
# command line and this test's prefix.
program_pid() {
  local pid command
  for pid in $(pgrep -f 'tessivo\.exe'); do
    command=$(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null) || continue
    case "$command" in *explorer*) continue ;; esac
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$E2E_PREFIX" && echo "$pid"
  done
}

e2e_start
e2e_wait_window '^Quorvel$' || e2e_abort "the main window did not appear"

e2e_press $ADD
e2e_wait_window '^Add image file \.\.\.$' 20 || e2e_abort "the picture dialog did not open"
e2e_type 'C:\pictures\blue.bmp'
e2e_key Return
e2e_wait_gone '^Add image file \.\.\.$' || e2e_abort "the picture dialog did not close"
e2e_check "no error box after the add" e2e_no_error_box

# The save follows about two seconds after the edit.
sleep 4
pid=$(program_pid | head -n 1)
[ -n "$pid" ] || e2e_abort "the program's process was not found"
kill -9 "$pid"
for _ in $(seq 1 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.25; done
e2e_check "the program was killed" bash -c "! kill -0 $pid 2>/dev/null"

expected=$(printf '2\r\nC:\\pictures\\red.bmp\r\nC:\\pictures\\blue.bmp\r\n')
e2e_expect "LastList.lst holds the added picture" "$(cat "$E2E_INSTALL_DIR/LastList.lst")" "$expected"

e2e_finish

#!/usr/bin/env bash
# What a screen reader reads of the running program, from a process of its
# own: the probe asks every window of the main window for its accessible
# object and writes each one's role, state, name, value and description.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
PROBE=$2

mkdir -p "$E2E_DRIVE_C/pictures"
convert -size 64x48 xc:'rgb(220,30,30)' BMP3:"$E2E_DRIVE_C/pictures/red.bmp"
printf '1\r\nC:\\pictures\\red.bmp\r\n' >"$E2E_INSTALL_DIR/LastList.lst"
e2e_wine reg add 'HKCU\Software\Tessivo' /v startminimized /d 0 /f >/dev/null 2>&1
cp "$PROBE" "$E2E_DRIVE_C/probe.exe"

e2e_start
e2e_wait_window '^Quorvel$' || e2e_abort "the main window did not appear"
e2e_as_user "$TESSIVO_WINE" explorer.exe "/desktop=$E2E_DESKTOP,${E2E_WIDTH}x${E2E_HEIGHT}" \
  'C:\probe.exe' TessivoMainWindow 'C:\probe.txt' </dev/null >>"$E2E_WORK/wine.log" 2>&1
# The desktop's launcher may return before the probe has written its file;
# the probe gives it its name only once it is complete.
for _ in $(seq 300); do [ -s "$E2E_DRIVE_C/probe.txt" ] && break; sleep 0.1; done
read_by_name() { awk -F'\t' -v name="$1" '$5 == name' "$E2E_DRIVE_C/probe.txt" | head -1; }
# expect_read NAME ROLE: a window read with that name and role
# (ROLE_SYSTEM_... numbers: 10 client, 33 list, 43 push button, 44 check
# box, 46 combo box, 52 spin button).
expect_read() { e2e_expect "\"$1\" is read" "$(read_by_name "$1" | cut -f2,3)" "00000000	$2"; }

expect_read Tessivo 10
for button in Close 'Hide to tray' 'Add pictures' 'Remove pictures' Apply 'New list' 'Save list' Exit; do
  expect_read "$button" 43
done
expect_read Pictures 33
expect_read 'Start With Windows' 44
expect_read 'Display Style' 46
expect_read 'Interval (minutes)' 52
e2e_check "the preview's description names the picture and its path" \
  grep -qF 'Name: red.bmp; Size: ( 64 x 48 ) pixels; Path: C:\pictures\red.bmp' "$E2E_DRIVE_C/probe.txt"
e2e_finish

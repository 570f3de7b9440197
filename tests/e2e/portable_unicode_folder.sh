#!/usr/bin/env bash
# A portable copy in a folder named outside the code page, "C:\Tools 日本":
# it starts, reads its last list beside itself, applies a JPEG from there,
# keeps its list and, once "Start With Windows" is ticked (a portable copy
# starts unticked), writes its start-with-Windows entry under the folder's
# own name, and starts again from that entry's program.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

X=232 Y=230
APPLY=$(e2e_at 61 94)
START_WITH_WINDOWS=$(e2e_at 195 253)
EXIT=$(e2e_at 84 235)
DESKTOP_KEY='HKCU\Control Panel\Desktop'
BOM=$'\xef\xbb\xbf'

folder="$E2E_DRIVE_C/Tools 日本"
mkdir -p "$folder"
cp "$1" "$folder/tessivo.exe"
program='C:\Tools 日本\tessivo.exe'
convert -size 300x200 xc:'rgb(220,20,20)' -quality 95 "$folder/photo.jpg"
printf '%s1\r\nC:\\Tools 日本\\photo.jpg\r\n' "$BOM" >"$folder/LastList.lst"
cp "$folder/LastList.lst" "$E2E_WORK/expected.lst"

# The registry file, which Wine writes out every little while, spells the
# folder's name with the characters' code points.
run_entry_written() {
  local deadline=$(($(date +%s) + 60))
  while [ "$(date +%s)" -lt "$deadline" ]; do
    cat "$E2E_PREFIX/system.reg" "$E2E_PREFIX/user.reg" |
      grep -qF '"Tessivo"="\"C:\\Tools \x65e5\x672c\\tessivo.exe\""' && return 0
    sleep 1
  done
  return 1
}

e2e_start "$program"
e2e_wait_window '^Quorvel$' || e2e_abort "the main window did not appear"
sleep 1
e2e_check "no error box at start" e2e_no_error_box
e2e_press $APPLY
e2e_check "the JPEG from the folder becomes the wallpaper bitmap" \
  e2e_wait_wallpaper 'C:\windows\MyWallpaper.bmp' 20
bitmap_red() {
  [ "$(convert "$E2E_DRIVE_C/windows/MyWallpaper.bmp" -gravity center -crop 1x1+0+0 -format '%[fx:int(255*r)]' info:)" -gt 150 ]
}
e2e_check "the bitmap holds the picture's red" bitmap_red
e2e_press $START_WITH_WINDOWS
sleep 1
e2e_press $EXIT
e2e_wait_exit 20 || e2e_abort "the program did not end"
e2e_check "the last list beside the program is kept as it was" \
  cmp -s "$folder/LastList.lst" "$E2E_WORK/expected.lst"
e2e_check "the start-with-Windows entry names the program in its folder" run_entry_written

e2e_start "$program"
e2e_wait_window '^Quorvel$' || e2e_abort "the main window did not appear the second time"
sleep 1
e2e_check "no error box at the second start" e2e_no_error_box
e2e_press $EXIT
e2e_wait_exit 20 || e2e_abort "the program did not end the second time"

e2e_finish

#!/usr/bin/env bash
# A standard user whose profile folder is named outside the code page,
# "C:\users\Łukasz" (the user's shell folders point there): Tessivo, which
# may not write its own folder, keeps its last list and the wallpaper bitmap
# in %APPDATA%\Tessivo under that name; "Apply" on a JPEG, "Exit" and the
# next start all work there.
source "$(dirname "$0")/lib.sh"
e2e_init_standard_user "$1"

APPLY=$(e2e_at 61 94)
EXIT=$(e2e_at 84 235)
DESKTOP_KEY='HKCU\Control Panel\Desktop'

profile="$E2E_DRIVE_C/users/Łukasz"
user_folder="$profile/AppData/Roaming/Tessivo"
mkdir -p "$user_folder" "$profile/AppData/Local"
chown -R "$E2E_USER:" "$profile" 2>/dev/null
pictures="$E2E_DRIVE_C/pictures"
mkdir -p "$pictures"
convert -size 300x200 xc:'rgb(220,20,20)' -quality 95 "$pictures/sea.jpg"
printf '1\r\nC:\\pictures\\sea.jpg\r\n' >"$user_folder/LastList.lst"
cp "$user_folder/LastList.lst" "$E2E_WORK/expected.lst"

# The shell folders, in a registry file of UTF-16 text as regedit reads it.
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  for key in 'User Shell Folders' 'Shell Folders'; do
    printf '[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\%s]\r\n' "$key"
    printf '"AppData"="C:\\\\users\\\\Łukasz\\\\AppData\\\\Roaming"\r\n'
    printf '"Local AppData"="C:\\\\users\\\\Łukasz\\\\AppData\\\\Local"\r\n\r\n'
  done
} | iconv -f UTF-8 -t UTF-16 >"$E2E_WORK/folders.reg"
chmod a+r "$E2E_WORK/folders.reg"
e2e_wine regedit /s "$(e2e_as_user winepath -w "$E2E_WORK/folders.reg" 2>/dev/null)" >/dev/null 2>&1 ||
  e2e_abort "cannot point the shell folders at the profile"

# The registry file, which Wine writes out every little while, spells the
# profile's name with the characters' code points.
wallpaper_in_profile() {
  local deadline=$(($(date +%s) + 60))
  while [ "$(date +%s)" -lt "$deadline" ]; do
    grep -qF '"Wallpaper"="C:\\users\\\x141ukasz\\AppData\\Roaming\\Tessivo\\MyWallpaper.bmp"' \
      "$E2E_PREFIX/user.reg" && return 0
    sleep 1
  done
  return 1
}
bitmap_red() {
  [ -f "$user_folder/MyWallpaper.bmp" ] &&
    [ "$(convert "$user_folder/MyWallpaper.bmp" -gravity center -crop 1x1+0+0 -format '%[fx:int(255*r)]' info:)" -gt 150 ]
}

e2e_start
e2e_wait_window '^Quorvel$' 60 || e2e_abort "the main window did not appear"
sleep 1
e2e_check "no error box at start" e2e_no_error_box
e2e_press $APPLY
sleep 2
e2e_check "the desktop names the bitmap in the user's own folder" wallpaper_in_profile
e2e_check "the bitmap holds the picture's red" bitmap_red
e2e_check "no error box after Apply" e2e_no_error_box
e2e_press $EXIT
e2e_check "Exit ends the program" e2e_wait_exit 20
e2e_check "the last list in the user's folder is kept, in the code page as before" \
  cmp -s "$user_folder/LastList.lst" "$E2E_WORK/expected.lst"

e2e_start
e2e_wait_window '^Quorvel$' 60 || e2e_abort "the main window did not appear the second time"
sleep 1
e2e_check "no error box at the next start" e2e_no_error_box
e2e_press $EXIT
e2e_check "Exit ends the program again" e2e_wait_exit 20

e2e_finish

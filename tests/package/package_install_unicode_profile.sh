#!/usr/bin/env bash
# The installer for a standard user whose profile folder is named outside the
# code page, "C:\users\Łukasz" (the user's shell folders point there): the
# silent installer puts Tessivo into %LOCALAPPDATA%\Programs\Tessivo under
# that name; the installed program starts, applies a JPEG from the user's
# pictures, ends through "Exit" keeping its list, registers itself to start
# with Windows, and at the next logon (a new Wine session, whose start runs
# the user's Run values as Windows does) starts again from there.
#
# usage: bash package_install_unicode_profile.sh VERSION   (needs build/dist)
source "$(dirname "$0")/../e2e/lib.sh"

version=${1:-}
[ -n "$version" ] || e2e_abort "usage: bash $0 <version>"
setup="$TESSIVO_BUILD/dist/tessivo-$version-setup.exe"
[ -f "$setup" ] || e2e_abort "no ${setup#"$TESSIVO_ROOT"/}: run scripts/package first"

e2e_init_standard_user

APPLY=$(e2e_at 61 94)
EXIT=$(e2e_at 84 235)
win_profile='C:\users\Łukasz'
profile="$E2E_DRIVE_C/users/Łukasz"
install_dir="$profile/AppData/Local/Programs/Tessivo"
bitmap="$profile/AppData/Roaming/Tessivo/MyWallpaper.bmp" # the wallpaper goes to the user's own folder
win_program="$win_profile"'\AppData\Local\Programs\Tessivo\tessivo.exe'
# user.reg spells the profile's name with the characters' code points.
reg_profile='C:\\users\\\x141ukasz\\AppData'
mkdir -p "$profile/AppData/Roaming" "$profile/AppData/Local" "$profile/Pictures" "$profile/Downloads"
convert -size 300x200 xc:'rgb(220,20,20)' -quality 95 "$profile/Pictures/rot.jpg"
cp "$setup" "$profile/Downloads/"
chown -R "$E2E_USER:" "$profile" 2>/dev/null

{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  for key in 'User Shell Folders' 'Shell Folders'; do
    printf '[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\%s]\r\n' "$key"
    printf '"AppData"="C:\\\\users\\\\Łukasz\\\\AppData\\\\Roaming"\r\n'
    printf '"Local AppData"="C:\\\\users\\\\Łukasz\\\\AppData\\\\Local"\r\n'
    printf '"Programs"="C:\\\\users\\\\Łukasz\\\\AppData\\\\Roaming\\\\Microsoft\\\\Windows\\\\Start Menu\\\\Programs"\r\n\r\n'
  done
} | iconv -f UTF-8 -t UTF-16 >"$E2E_WORK/folders.reg"
chmod a+r "$E2E_WORK/folders.reg"
e2e_wine regedit /s "$(e2e_as_user winepath -w "$E2E_WORK/folders.reg" 2>/dev/null)" >/dev/null 2>&1 ||
  e2e_abort "cannot point the shell folders at the profile"
# The window shows at start, and the exit registers the program to start with Windows.
for pair in startminimized=0 startup=1 style=2; do
  e2e_wine reg add 'HKCU\Software\Tessivo' /v "${pair%%=*}" /d "${pair#*=}" /f >/dev/null 2>&1
done

# user_reg_has TEXT [SECONDS]: the user's registry file holds TEXT (Wine
# writes it out every little while).
user_reg_has() {
  local deadline=$(($(date +%s) + ${2:-60}))
  until grep -qF "$1" "$E2E_PREFIX/user.reg"; do
    [ "$(date +%s)" -lt "$deadline" ] || return 1
    sleep 1
  done
}
tessivo_running() { ps -u "$E2E_USER" -o args= | grep -q 'Programs\\Tessivo\\tessivo.exe'; }
bitmap_red() {
  [ -f "$bitmap" ] &&
    [ "$(convert "$bitmap" -gravity center -crop 1x1+0+0 -format '%[fx:int(255*r)]' info:)" -gt 150 ]
}

e2e_wine "$win_profile\\Downloads\\tessivo-$version-setup.exe" /S >>"$E2E_WORK/wine.log" 2>&1
e2e_expect "the silent installer succeeds" "$?" 0
e2e_check "the program is installed under the profile's own name" [ -f "$install_dir/tessivo.exe" ]
e2e_check "its Start-menu shortcut too" \
  [ -f "$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tessivo.lnk" ]
# The picture's path is outside the (Western) code page: the list is UTF-8
# with a byte-order mark, as the program writes it then.
printf '\xef\xbb\xbf1\r\nC:\\users\\Łukasz\\Pictures\\rot.jpg\r\n' >"$E2E_WORK/expected.lst"
e2e_as_user cp "$E2E_WORK/expected.lst" "$install_dir/LastList.lst"

e2e_start "$win_program"
e2e_wait_window '^Quorvel$' 60 || e2e_abort "the installed program's window did not appear"
sleep 1
e2e_check "no error box at start" e2e_no_error_box
e2e_press $APPLY
sleep 2
e2e_screenshot applied >/dev/null
e2e_check "the desktop names the bitmap in the user's folder" \
  user_reg_has "\"Wallpaper\"=\"$reg_profile\\\\Roaming\\\\Tessivo\\\\MyWallpaper.bmp\""
e2e_check "the bitmap holds the JPEG's red" bitmap_red
e2e_check "no error box after Apply" e2e_no_error_box
e2e_press $EXIT
e2e_check "Exit ends the program" e2e_wait_exit 20
e2e_check "the last list is kept as it was" cmp -s "$install_dir/LastList.lst" "$E2E_WORK/expected.lst"
e2e_check "the Run value names the installed program" \
  user_reg_has "\"Tessivo\"=\"\\\"$reg_profile\\\\Local\\\\Programs\\\\Tessivo\\\\tessivo.exe\\\"\""

# The next logon: a new session, then what Windows does at a logon and
# Wine's wineboot does when run without arguments, which runs the user's Run
# values (a session's own start, "wineboot --init", skips them).
e2e_as_user wineserver -k </dev/null >/dev/null 2>&1
sleep 2
e2e_as_user wineserver -p 600 </dev/null >/dev/null 2>&1
e2e_wine cmd.exe /c exit >/dev/null 2>&1
E2E_LAUNCHER=
e2e_wine wineboot >>"$E2E_WORK/wine.log" 2>&1 &
deadline=$(($(date +%s) + 60))
until tessivo_running || [ "$(date +%s)" -ge "$deadline" ]; do sleep 0.5; done
e2e_check "at the next logon the program starts from its folder" tessivo_running
e2e_check "and shows its window" e2e_wait_window '^Quorvel$' 60
e2e_check "with no error box" e2e_no_error_box
e2e_finish

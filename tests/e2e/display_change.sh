#!/usr/bin/env bash
# A display change (docking, a remote session, a monitor waking, a new
# resolution) draws Tessivo's wallpaper again for the new desktop, once
# after a burst of changes has settled; but after the user chose another
# wallpaper in Windows' settings, a display change keeps the user's.
#
# usage: bash display_change.sh tessivo.exe desktop_events.exe
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
events_exe=$2
[ -f "$events_exe" ] || e2e_abort "usage: bash $0 <tessivo.exe> <desktop_events.exe>"
cp "$events_exe" "$E2E_DRIVE_C/desktop_events.exe"

APPLY=$(e2e_at 61 94)
DESKTOP_KEY='HKCU\Control Panel\Desktop'
SETTINGS='HKCU\Software\Tessivo'
OURS='C:\windows\MyWallpaper.bmp'
OWN='C:\pictures\own.bmp'

mkdir -p "$E2E_DRIVE_C/pictures"
convert -size 64x48 xc:'rgb(220,20,20)' BMP3:"$E2E_DRIVE_C/pictures/red.bmp"
convert -size 1024x768 xc:'rgb(20,20,220)' BMP3:"$E2E_DRIVE_C/pictures/own.bmp"
printf '1\r\nC:\\pictures\\red.bmp\r\n' >"$E2E_INSTALL_DIR/LastList.lst"
# Stretch: Tessivo draws the desktop-sized bitmap itself.
for pair in startminimized=0 startup=0 style=2; do
  e2e_wine reg add "$SETTINGS" /v "${pair%%=*}" /d "${pair#*=}" /f >/dev/null 2>&1
done
bitmap="$E2E_PREFIX/drive_c/windows/MyWallpaper.bmp"

# events ARGS...: desktop_events.exe run inside the program's desktop.
events() {
  e2e_as_user "$TESSIVO_WINE" explorer.exe "/desktop=$E2E_DESKTOP,${E2E_WIDTH}x${E2E_HEIGHT}" \
    'C:\desktop_events.exe' "$@" </dev/null >>"$E2E_WORK/wine.log" 2>&1
}

e2e_start
e2e_wait_window '^Quorvel$' || e2e_abort "the main window did not appear"
e2e_press $APPLY
e2e_check "\"Apply\" puts the drawn bitmap on the desktop" e2e_wait_wallpaper "$OURS" 15

# While the desktop shows Tessivo's bitmap, a burst of changes draws it again.
before=$(stat -c %y "$bitmap")
sleep 1.1
events displaychange 3
sleep 3
e2e_check "a burst of display changes draws the bitmap again" [ "$(stat -c %y "$bitmap")" != "$before" ]
e2e_expect "the desktop still shows it" "$(e2e_reg_query "$DESKTOP_KEY" Wallpaper)" "$OURS"

# The user picks a picture of their own in Windows' settings.
events wallpaper "$OWN"
e2e_check "the user's own wallpaper is on the desktop" e2e_wait_wallpaper "$OWN" 10
before=$(stat -c %y "$bitmap")
events displaychange 3
sleep 3
e2e_expect "a display change keeps the user's wallpaper" "$(e2e_reg_query "$DESKTOP_KEY" Wallpaper)" "$OWN"
e2e_check "and draws no bitmap of Tessivo's" [ "$(stat -c %y "$bitmap")" = "$before" ]
xdotool mousemove 0 0
e2e_wait_stable 0 0 200 200
e2e_expect "the desktop shows the user's picture" "$(e2e_family "$(e2e_screenshot kept)" 16 16)" b
e2e_finish

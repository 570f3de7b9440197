#!/usr/bin/env bash
# Tessivo installed for a standard user, who can write neither the Windows
# folder nor the program's folder: "Apply" on a JPEG converts it into the
# user's own Tessivo folder (%APPDATA%\Tessivo\MyWallpaper.bmp) and the
# desktop shows it; "Exit" writes the last list into that folder and ends
# the program; the next start shows the same list.
source "$(dirname "$0")/lib.sh"
e2e_init_standard_user "$1"

X=232 Y=230
ADD=$(e2e_at 29 60)
APPLY=$(e2e_at 61 94)
EXIT=$(e2e_at 84 235)  # the exit button of the actions column
STYLE=$(e2e_at 510 228) CENTER=$(e2e_at 488 247) # the display-style drop-down, its first row
PREVIEW_X=$((X + 122)) PREVIEW_Y=$((Y + 20)) PREVIEW_W=218 PREVIEW_H=162
NAMES_X=$((X + 346)) NAMES_Y=$((Y + 20))
PANEL=FFFBF7 # the panels' white
DESKTOP_KEY='HKCU\Control Panel\Desktop'

user_folder="$E2E_DRIVE_C/users/$E2E_USER/AppData/Roaming/Tessivo"
win_user_folder='C:\users\'"$E2E_USER"'\AppData\Roaming\Tessivo'
pictures="$E2E_DRIVE_C/pictures"
mkdir -p "$pictures"
# 900 x 700: red left half, blue right half; centred on 1024 x 768 it spans
# x 62-961 and y 34-733.
convert -size 450x700 xc:'rgb(220,20,20)' -size 450x700 xc:'rgb(20,20,220)' +append -quality 95 \
  "$pictures/halves.jpg"

# What the window shows of the list: the preview's left and right colour
# families and the dark pixels of the name list's first row.
list_shown() {
  echo "$(e2e_family "$1" $((PREVIEW_X + 40)) $((PREVIEW_Y + 80)))$(e2e_family "$1" $((PREVIEW_X + 178)) $((PREVIEW_Y + 80)))" \
    "$(e2e_count_other "$1" "$NAMES_X" "$NAMES_Y" 150 13 "$PANEL")"
}
not_writable() { ! e2e_as_user test -w "$1"; }
start_program() {
  e2e_start
  e2e_wait_window '^Quorvel$' 60 || e2e_abort "the main window did not appear"
  e2e_wait_stable "$X" "$Y" 560 308
}

e2e_check "the test user cannot write the program's folder" not_writable "$E2E_INSTALL_DIR"
start_program
shot=$(e2e_screenshot first-start)
e2e_expect "a first start shows an empty list" "$(list_shown "$shot" | cut -d' ' -f2)" 0

# --- add a JPEG and apply it, centred ----------------------------------------------------
e2e_press $ADD
e2e_wait_window '^Add image file \.\.\.$' 20 || e2e_abort "the picture dialog did not open"
e2e_type 'C:\pictures\halves.jpg'
e2e_key Return
e2e_wait_gone '^Add image file \.\.\.$' || e2e_abort "the picture dialog did not close"
e2e_wait_stable "$PREVIEW_X" "$PREVIEW_Y" "$PREVIEW_W" "$PREVIEW_H"
e2e_press $STYLE
sleep 0.5
e2e_press $CENTER
sleep 0.3
e2e_press $APPLY
e2e_wait_stable 0 0 1024 200
e2e_check "no error box came up" e2e_no_error_box
e2e_expect "Wallpaper names the bitmap in the user's folder" "$(e2e_reg_query "$DESKTOP_KEY" Wallpaper)" \
  "$win_user_folder\\MyWallpaper.bmp"
e2e_check "nothing was written into the Windows folder" [ ! -e "$E2E_DRIVE_C/windows/MyWallpaper.bmp" ]
# Drawn at the desktop's size: the JPEG's own decode centred on the background.
djpeg -bmp -outfile "$E2E_WORK/decoded.bmp" "$pictures/halves.jpg"
convert -size 1024x768 "xc:#$(e2e_sys_color Background)" "$E2E_WORK/decoded.bmp" -geometry +62+34 -composite \
  -type TrueColor BMP3:"$E2E_WORK/reference.bmp"
different=$(compare -metric AE "$user_folder/MyWallpaper.bmp" "$E2E_WORK/reference.bmp" null: 2>&1 || true)
e2e_expect "the user's MyWallpaper.bmp holds the JPEG's decoded pixels, centred" "$different" 0
shot=$(e2e_screenshot applied)
e2e_expect "the picture's left half is on the desktop's left" "$(e2e_family "$shot" 100 100)" r
e2e_expect "the picture's right half is on the desktop's right" "$(e2e_family "$shot" 940 100)" b

# --- exit, and start again ------------------------------------------------------
e2e_press $EXIT
e2e_check "Exit ends the program" e2e_wait_exit 20
e2e_check "the last list in the user's folder holds the picture" \
  cmp -s "$user_folder/LastList.lst" <(printf '1\r\nC:\\pictures\\halves.jpg\r\n')
e2e_check "nothing was written beside the program" [ ! -e "$E2E_INSTALL_DIR/LastList.lst" ]

start_program
shot=$(e2e_screenshot second-start)
shown=$(list_shown "$shot")
e2e_expect "the next start shows the picture in the preview" "${shown%% *}" rb
e2e_check "the next start shows its name in the list (${shown#* } dark pixels)" [ "${shown#* }" -gt 20 ]

e2e_finish

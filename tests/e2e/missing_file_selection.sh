#!/usr/bin/env bash
# A picture that is gone, selected with the arrow keys as a person walks the
# list: no box opens, not at any step over it; the preview stops showing the
# previous picture and names the missing one; the pictures around it still
# show.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

X=232 Y=230
NAMES_X=$((X + 346)) NAMES_Y=$((Y + 20))
PREVIEW_X=$((X + 122)) PREVIEW_Y=$((Y + 20)) PREVIEW_W=218 PREVIEW_H=162

pictures="$E2E_DRIVE_C/pictures"
mkdir -p "$pictures"
convert -size 320x240 xc:'rgb(20,60,220)' -quality 95 "$pictures/sea.jpg"
convert -size 200x100 xc:'rgb(230,30,30)' BMP3:"$pictures/roses.bmp"
printf '3\r\nC:\\pictures\\sea.jpg\r\nC:\\pictures\\gone.jpg\r\nC:\\pictures\\roses.bmp\r\n' \
  >"$E2E_INSTALL_DIR/LastList.lst"

e2e_start
e2e_wait_window '^Quorvel$' || e2e_abort "the main window did not appear"

step() {
  e2e_key "$1"
  sleep 1
  e2e_wait_stable "$PREVIEW_X" "$PREVIEW_Y" "$PREVIEW_W" "$PREVIEW_H"
  e2e_screenshot "$2"
}

e2e_press $((NAMES_X + 30)) $((NAMES_Y + 6))
e2e_wait_stable "$PREVIEW_X" "$PREVIEW_Y" "$PREVIEW_W" "$PREVIEW_H"
shot=$(e2e_screenshot first)
e2e_check "the first picture shows" [ "$(e2e_preview_share "$shot" b)" -ge 95 ]

shot=$(step Down on-missing)
e2e_check "no box opens on the missing picture" e2e_no_error_box
e2e_check "the previous picture is no longer shown" [ "$(e2e_preview_share "$shot" b)" -lt 5 ]
e2e_check "the preview has the missing picture's name and reason in it" \
  [ "$(e2e_count_other "$shot" "$PREVIEW_X" "$PREVIEW_Y" "$PREVIEW_W" 40 "$(e2e_sys_color Window)")" -gt 20 ]

shot=$(step Down after-missing)
e2e_check "no box after stepping past it" e2e_no_error_box
e2e_check "the picture after it shows" [ "$(e2e_preview_share "$shot" r)" -ge 95 ]

shot=$(step Up back-on-missing)
e2e_check "no box on coming back to it" e2e_no_error_box
e2e_check "nothing of the red picture stays" [ "$(e2e_preview_share "$shot" r)" -lt 5 ]

e2e_finish

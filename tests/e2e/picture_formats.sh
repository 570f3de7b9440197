#!/usr/bin/env bash
# Pictures in the formats phones and browsers save, put on the desktop as a
# person does: a last list holding a PNG with transparency, a 1-bit palette
# PNG, a JPEG named ".jpeg", a GIF of two frames, a TIFF of two pages and a
# PNG named ".jpg" is loaded at start, a WebP is added through the dialog;
# each entry, clicked and applied centred, shows in the preview and becomes
# C:\windows\MyWallpaper.bmp with its own pixels, which the desktop shows.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

X=232 Y=230
ADD=$(e2e_at 29 60)
APPLY=$(e2e_at 61 94)
STYLE=$(e2e_at 510 228)
style_item() { echo $((X + 488)) $((Y + 247 + 13 * $1)); }
NAMES_X=$((X + 346)) NAMES_Y=$((Y + 20))
PREVIEW_X=$((X + 122)) PREVIEW_Y=$((Y + 20))
DESKTOP_KEY='HKCU\Control Panel\Desktop'

# 900 wide, red left half and blue right half (the PNG's right half clear,
# the GIF's second frame and the TIFF's second page green), each 10 pixels
# less high than the one before, so the row it starts at in the bitmap tells
# which was applied. Centred on 1024 x 768 they span x 62-961 and at least y 84-683.
pictures="$E2E_DRIVE_C/pictures"
mkdir -p "$pictures"
halves() {
  local height=$1 right=$2
  shift 2
  convert -size 450x$height xc:'rgb(220,20,20)' -size 450x$height xc:"$right" +append +repage "$@"
}
blue='rgb(20,20,220)'
halves 700 none PNG32:"$pictures/clear.png"
halves 690 "$blue" -type Palette -define png:exclude-chunk=bKGD "$pictures/two.png"
halves 680 "$blue" -quality 95 "jpeg:$pictures/photo.jpeg"
halves 670 "$blue" \( -size 900x670 xc:lime \) "$pictures/frames.gif"
halves 660 "$blue" \( -size 900x660 xc:lime \) -compress lzw "$pictures/pages.tif"
# A PNG saved under a JPEG's name, as downloads often are: read by its content.
halves 650 "$blue" PNG24:"$pictures/download.jpg"
halves 640 "$blue" -quality 90 "$pictures/phone.webp"
entries=(clear.png two.png photo.jpeg frames.gif pages.tif download.jpg)
{
  printf '%d\r\n' "${#entries[@]}"
  for name in "${entries[@]}"; do printf 'C:\\pictures\\%s\r\n' "$name"; done
} >"$E2E_INSTALL_DIR/LastList.lst"
wallpaper_bmp="$E2E_DRIVE_C/windows/MyWallpaper.bmp"

e2e_start
e2e_wait_window '^Quorvel$' || e2e_abort "the main window did not appear"
background=$(e2e_sys_color Background)
e2e_check "the last list with every format loads without an error" e2e_no_error_box

# The WebP through the add dialog, whose filter lists it.
e2e_press $ADD
e2e_wait_window '^Add image file \.\.\.$' 20 || e2e_abort "the picture dialog did not open"
e2e_type 'C:\pictures\phone.webp'
e2e_key Return
e2e_wait_gone '^Add image file \.\.\.$' || e2e_abort "the picture dialog did not close"
sleep 1
entries+=(phone.webp)

e2e_press $STYLE
sleep 0.5
e2e_press $(style_item 0)
sleep 0.3

# apply_row ROW NAME RIGHT: clicks the row, applies, checks the bitmap, the
# desktop and the preview; RIGHT is the right half's family, or "bg" for the
# desktop's own colour.
apply_row() {
  local row=$1 name=$2 right=$3 shot height=$((700 - 10 * $1))
  e2e_press $((NAMES_X + 30)) $((NAMES_Y + 13 * row + 6))
  sleep 1
  e2e_check "$name: previewed without an error" e2e_no_error_box
  e2e_press $APPLY
  sleep 2
  e2e_wait_stable 0 0 1024 200
  e2e_check "$name: no error box" e2e_no_error_box
  e2e_expect "$name: Wallpaper names the converted bitmap" \
    "$(e2e_reg_query "$DESKTOP_KEY" Wallpaper)" 'C:\windows\MyWallpaper.bmp'
  # Centred into a bitmap of the desktop's size, which the desktop shows 1:1.
  e2e_expect "$name: the bitmap is the desktop's size" "$(identify -format '%wx%h' "$wallpaper_bmp")" 1024x768
  e2e_expect "$name: the bitmap's left half is red" "$(e2e_family "$wallpaper_bmp" 100 120)" r
  # Each picture is less high, so where it starts tells which was applied.
  local top=$(((768 - height) / 2))
  e2e_expect "$name: the desktop colour above the picture" "$(e2e_pixel "$wallpaper_bmp" 100 $((top - 1)))" "$background"
  e2e_expect "$name: the picture starts at row $top" "$(e2e_family "$wallpaper_bmp" 100 $top)" r
  shot=$(e2e_screenshot "${name%.*}")
  e2e_expect "$name: the desktop shows the left half" "$(e2e_family "$shot" 100 120)" r
  e2e_expect "$name: the preview shows the left half" "$(e2e_family "$shot" $((PREVIEW_X + 40)) $((PREVIEW_Y + 80)))" r
  if [ "$right" = bg ]; then
    e2e_expect "$name: clear pixels become the desktop colour" "$(e2e_pixel "$wallpaper_bmp" 940 120)" "$background"
    e2e_expect "$name: the desktop shows its colour there" "$(e2e_pixel "$shot" 940 120)" "$background"
  else
    e2e_expect "$name: the bitmap's right half" "$(e2e_family "$wallpaper_bmp" 940 120)" "$right"
    e2e_expect "$name: the desktop shows the right half" "$(e2e_family "$shot" 940 120)" "$right"
    e2e_expect "$name: the preview shows the right half" \
      "$(e2e_family "$shot" $((PREVIEW_X + 180)) $((PREVIEW_Y + 80)))" "$right"
  fi
}

apply_row 0 clear.png bg
apply_row 1 two.png b
apply_row 2 photo.jpeg b
apply_row 3 frames.gif b
apply_row 4 pages.tif b
apply_row 5 download.jpg b
apply_row 6 phone.webp b

e2e_finish

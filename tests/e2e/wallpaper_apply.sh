#!/usr/bin/env bash
# Setting the wallpaper as a person does: add a JPEG, choose "Center", click
# "Apply": the desktop values are written, C:\windows\MyWallpaper.bmp is the
# whole desktop (1024 x 768) with the picture's pixels in its centre and the
# background colour around, and the desktop shows it 1:1; "Tile" tiles the
# picture at its own size, and no file is ever kept beside the bitmap;
# "Fill" covers the whole desktop; a BMP entry is drawn centred into the
# bitmap as well.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

X=232 Y=230
ADD=$(e2e_at 29 60)
APPLY=$(e2e_at 61 94)
STYLE=$(e2e_at 510 228)                 # the display-style drop-down
style_item() { echo $((X + 488)) $((Y + 247 + 13 * $1)); }  # its rows when open
NAMES_X=$((X + 346)) NAMES_Y=$((Y + 20))
DESKTOP_KEY='HKCU\Control Panel\Desktop'

pictures="$E2E_PREFIX/drive_c/pictures"
mkdir -p "$pictures"
# 900 x 700: red left half, blue right half. Centred on 1024 x 768 it spans
# x 62-961 and y 34-733.
convert -size 450x700 xc:'rgb(220,20,20)' -size 450x700 xc:'rgb(20,20,220)' +append -quality 95 "$pictures/halves.jpg"
convert -size 64x48 xc:'rgb(30,200,30)' BMP3:"$pictures/green.bmp"
wallpaper_bmp="$E2E_PREFIX/drive_c/windows/MyWallpaper.bmp"
EXIT=$(e2e_at 84 235)
# The writer's temporary names in the Windows folder.
leftovers() { find "$E2E_PREFIX/drive_c/windows" -maxdepth 1 -name '~tsv*.tmp' | wc -l; }

e2e_start
e2e_wait_window '^Quorvel$' || e2e_abort "the main window did not appear"

add_picture() {
  e2e_press $ADD
  e2e_wait_window '^Add image file \.\.\.$' 20 || e2e_abort "the picture dialog did not open"
  e2e_type "$1"
  e2e_key Return
  e2e_wait_gone '^Add image file \.\.\.$' || e2e_abort "the picture dialog did not close"
  sleep 1
}
choose_style() {
  e2e_press $STYLE
  sleep 0.5
  e2e_press $(style_item "$1")
  sleep 0.3
}
apply() {
  e2e_press $APPLY
  sleep 2
  e2e_wait_stable 0 0 1024 200
}

background=$(e2e_sys_color Background)

# --- a JPEG, centred ------------------------------------------------------
add_picture 'C:\pictures\halves.jpg'
choose_style 0
apply
e2e_expect "Wallpaper names the drawn bitmap" "$(e2e_reg_query "$DESKTOP_KEY" Wallpaper)" 'C:\windows\MyWallpaper.bmp'
e2e_expect "WallpaperStyle is 0 (Center)" "$(e2e_reg_query "$DESKTOP_KEY" WallpaperStyle)" 0
e2e_expect "TileWallpaper is 0 (Center)" "$(e2e_reg_query "$DESKTOP_KEY" TileWallpaper)" 0
e2e_check "MyWallpaper.bmp was written" [ -f "$wallpaper_bmp" ]
e2e_expect "MyWallpaper.bmp has the desktop's size" "$(identify -format '%wx%h' "$wallpaper_bmp")" 1024x768
# The JPEG's own decode at 62,34 on the background colour.
djpeg -bmp -outfile "$E2E_WORK/decoded.bmp" "$pictures/halves.jpg"
convert -size 1024x768 "xc:#$background" "$E2E_WORK/decoded.bmp" -geometry +62+34 -composite \
  -type TrueColor BMP3:"$E2E_WORK/reference.bmp"
different=$(compare -metric AE "$wallpaper_bmp" "$E2E_WORK/reference.bmp" null: 2>&1 || true)
e2e_expect "MyWallpaper.bmp holds the JPEG's decoded pixels, centred" "$different" 0
shot=$(e2e_screenshot centred)
e2e_expect "outside the picture the desktop keeps its background" "$(e2e_pixel "$shot" 20 20)" "$background"
e2e_expect "the picture's left half is on the desktop's left" "$(e2e_family "$shot" 100 100)" r
e2e_expect "the picture's right half is on the desktop's right" "$(e2e_family "$shot" 940 100)" b

# --- the same picture, tiled ----------------------------------------------
choose_style 1
apply
e2e_expect "TileWallpaper is 1 (Tile)" "$(e2e_reg_query "$DESKTOP_KEY" TileWallpaper)" 1
e2e_expect "WallpaperStyle is 0 (Tile)" "$(e2e_reg_query "$DESKTOP_KEY" WallpaperStyle)" 0
shot=$(e2e_screenshot tiled)
e2e_expect "a tile starts in the top-left corner" "$(e2e_family "$shot" 20 20)" r
e2e_expect "the first tile's right half" "$(e2e_family "$shot" 500 20)" b
e2e_expect "the second tile begins at x 900" "$(e2e_family "$shot" 1000 20)" r
e2e_expect "nothing of the replaced bitmap is kept beside it" "$(leftovers)" 0

# --- centred again: drawn anew, exactly as the first time -------------------
choose_style 0
apply
different=$(compare -metric AE "$wallpaper_bmp" "$E2E_WORK/reference.bmp" null: 2>&1 || true)
e2e_expect "the bitmap drawn again is the same, exactly" "$different" 0
e2e_expect "still nothing beside it" "$(leftovers)" 0

# --- filled: the picture covers every corner ---------------------------------
choose_style 4
apply
e2e_expect "WallpaperStyle is 10 (Fill)" "$(e2e_reg_query "$DESKTOP_KEY" WallpaperStyle)" 10
e2e_expect "TileWallpaper is 0 (Fill)" "$(e2e_reg_query "$DESKTOP_KEY" TileWallpaper)" 0
shot=$(e2e_screenshot filled)
e2e_expect "Fill: the red half reaches the top-left corner" "$(e2e_family "$shot" 5 5)" r
e2e_expect "Fill: the red half reaches the bottom-left corner" "$(e2e_family "$shot" 5 700)" r
e2e_expect "Fill: the blue half reaches the top-right corner" "$(e2e_family "$shot" 1018 5)" b

# --- a BMP, drawn centred ----------------------------------------------------
add_picture 'C:\pictures\green.bmp'
e2e_press $((NAMES_X + 30)) $((NAMES_Y + 13 + 6))
sleep 1
choose_style 0
apply
e2e_expect "Wallpaper names the drawn bitmap for a BMP too" "$(e2e_reg_query "$DESKTOP_KEY" Wallpaper)" 'C:\windows\MyWallpaper.bmp'
convert -size 1024x768 "xc:#$background" "$pictures/green.bmp" -geometry +480+360 -composite \
  -type TrueColor BMP3:"$E2E_WORK/green-reference.bmp"
different=$(compare -metric AE "$wallpaper_bmp" "$E2E_WORK/green-reference.bmp" null: 2>&1 || true)
e2e_expect "the BMP's pixels are centred in the drawn bitmap" "$different" 0
shot=$(e2e_screenshot bmp-centred)
# The small picture sits under the window in the centre; the tiles are gone.
e2e_expect "the tiles are gone from the corner" "$(e2e_pixel "$shot" 20 20)" "$background"
e2e_expect "the tiles are gone from the top edge" "$(e2e_pixel "$shot" 500 100)" "$background"

e2e_press $EXIT
e2e_check "'Exit' ends the program" e2e_wait_exit 20
e2e_expect "nothing is left beside the bitmap" "$(leftovers)" 0
e2e_check "the wallpaper bitmap stays" [ -f "$wallpaper_bmp" ]

e2e_finish

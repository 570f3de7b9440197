#!/usr/bin/env bash
# Pictures named in any script, as a person meets them: Greek, Japanese, an
# emoji and an accent written as a combining mark, and one behind a path of
# 300 characters. They come in through a last list written as UTF-8 with its
# byte-order mark and through the picture dialog; each is previewed, the
# name list shows them, "Apply" puts them on the desktop, the list is saved
# as marked UTF-8 and loaded back, and LastList.lst keeps them at exit. A
# last list that claims UTF-8 but is not stops nothing and loses nothing.
# The name list's rows and the Name label are compared, pixel for pixel,
# with the same names drawn by the system's own text output (render_text,
# the second argument) in the same font and colours.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
RENDER_TEXT=${2:-}
[ -f "$RENDER_TEXT" ] || e2e_abort "usage: bash $0 <tessivo.exe> <render_text.exe>"

X=232 Y=230
ADD=$(e2e_at 29 60)
APPLY=$(e2e_at 61 94)
EXIT=$(e2e_at 84 235)
PREVIEW_X=$((X + 122)) PREVIEW_Y=$((Y + 20)) PREVIEW_W=218 PREVIEW_H=162
NAMES_X=$((X + 346)) NAMES_Y=$((Y + 20)) NAMES_W=208 ROW_H=13
NAME_LABEL_X=$((X + 222)) NAME_LABEL_Y=$((Y + 211)) NAME_LABEL_W=139
PANEL=FFFBF7
DESKTOP_KEY='HKCU\Control Panel\Desktop'
BOM=$'\xef\xbb\xbf'

greek='Θάλασσα.jpg'         # "sea"
typed='Ήλιος.jpg'           # "sun", typed into the dialog
japanese='富士山.bmp'       # Mount Fuji
emoji='🌊 wave.jpg'
combining=$'Cafe\xcc\x81.jpg' # "e" and a combining acute accent
pictures="$E2E_DRIVE_C/pictures"
mkdir -p "$pictures"
convert -size 320x240 xc:'rgb(20,60,220)' -quality 95 "$pictures/$greek"
convert -size 320x240 xc:'rgb(220,200,20)' -quality 95 "$pictures/$typed"
convert -size 200x100 xc:'rgb(230,30,30)' BMP3:"$pictures/$japanese"
convert -size 160x120 xc:'rgb(30,200,30)' -quality 95 "$pictures/$emoji"
convert -size 160x120 xc:'rgb(20,60,220)' -quality 95 "$pictures/$combining"
# A path of exactly 300 characters: C:\pictures\ and folders of 50 'a's.
long_rel="$(printf 'a%.0s' {1..50})/$(printf 'b%.0s' {1..50})/$(printf 'c%.0s' {1..50})/$(printf 'd%.0s' {1..50})"
long_name=$(printf 'e%.0s' {1..80}).jpg
mkdir -p "$pictures/$long_rel"
convert -size 160x120 xc:'rgb(230,30,30)' -quality 95 "$pictures/$long_rel/$long_name"
long_win="C:\\pictures\\${long_rel//\//\\}\\$long_name"
e2e_expect "the long path has 300 characters" "${#long_win}" 300

# The last list, as the program writes one with such names: marked UTF-8.
list_line() { printf 'C:\\pictures\\%s\r\n' "$1"; }
{
  printf '%s5\r\n' "$BOM"
  list_line "$greek"; list_line "$japanese"; list_line "$emoji"; list_line "$combining"
  printf '%s\r\n' "$long_win"
} >"$E2E_INSTALL_DIR/LastList.lst"
cp "$E2E_INSTALL_DIR/LastList.lst" "$E2E_WORK/expected.lst"

preview_share() {
  e2e_region "$1" "$PREVIEW_X" "$PREVIEW_Y" "$PREVIEW_W" "$PREVIEW_H" |
    awk -v want="$2" '
    function hex(s,   i, n) { n = 0; for (i = 1; i <= length(s); i++) n = n * 16 + index("0123456789ABCDEF", substr(s, i, 1)) - 1; return n }
    {
      r = hex(substr($3, 1, 2)); g = hex(substr($3, 3, 2)); b = hex(substr($3, 5, 2))
      if (want == "b" && b > 180 && r < 80) n++
      if (want == "r" && r > 180 && b < 80) n++
      if (want == "g" && g > 150 && r < 80 && b < 80) n++
    } END { print int(100 * n / NR) }'
}
# An error box carries the application's title; so does the taskbar button's
# owner window, which has no size. Only a window with a size is a box.
error_box() {
  local id
  for id in $(e2e_find_window '^Tessivo$'); do
    xdotool getwindowgeometry "$id" 2>/dev/null | grep -qE 'Geometry: [0-9]{2,}x[0-9]{2,}' && return 0
  done
  return 1
}
no_error_box() { ! error_box; }
wait_error_box() {
  local deadline=$(($(date +%s) + $1))
  while [ "$(date +%s)" -lt "$deadline" ]; do
    error_box && return 0
    sleep 0.3
  done
  return 1
}
row_ink() { e2e_count_other "$1" "$NAMES_X" $((NAMES_Y + 13 * $2)) 150 13 "$PANEL"; }
show_row() {
  e2e_press $((NAMES_X + 30)) $((NAMES_Y + 13 * $1 + 6))
  e2e_wait_stable "$PREVIEW_X" "$PREVIEW_Y" "$PREVIEW_W" "$PREVIEW_H"
}
# drawn NAME MODE W H BACK TEXT: a BMP of TEXT drawn by the system as the
# program draws a file name (MODE row or label), named NAME; prints its path.
drawn() {
  printf '%s' "$6" >"$E2E_DRIVE_C/$1.txt"
  rm -f "$E2E_DRIVE_C/$1.bmp"
  e2e_wine "$RENDER_TEXT" "C:\\$1.bmp" "C:\\$1.txt" "$2" "$3" "$4" 'MS Shell Dlg' -11 700 "$5" 000000 >&2
  echo "$E2E_DRIVE_C/$1.bmp"
}
# differing SHOT X Y W H BMP: how many pixels of the screenshot's rectangle
# differ from the bitmap by more than a trace (all of them without a bitmap).
differing() {
  [ -s "$6" ] || { echo $(($4 * $5)); return; }
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage "$E2E_WORK/crop.png"
  compare -metric AE -fuzz 6% "$E2E_WORK/crop.png" "$6" null: 2>&1 | awk '{ print int($1) }'
}
# row_differing SHOT ROW TEXT: pixels of that unselected row unlike TEXT.
row_differing() {
  differing "$1" "$NAMES_X" $((NAMES_Y + ROW_H * $2)) "$NAMES_W" "$ROW_H" \
    "$(drawn "row$2" row "$NAMES_W" "$ROW_H" "$PANEL" "$3")"
}
# label_differing SHOT TEXT: pixels of the Name label unlike TEXT.
label_differing() {
  local back
  back=$(e2e_pixel "$1" $((NAME_LABEL_X + NAME_LABEL_W - 1)) "$NAME_LABEL_Y")
  differing "$1" "$NAME_LABEL_X" "$NAME_LABEL_Y" "$NAME_LABEL_W" "$ROW_H" \
    "$(drawn label label "$NAME_LABEL_W" "$ROW_H" "$back" "$2")"
}
apply() {
  e2e_press $APPLY
  sleep 2
  e2e_wait_stable 0 0 1024 200
}

# --- the last list with every kind of name ----------------------------------
e2e_start
e2e_wait_window '^Quorvel$' || e2e_abort "the main window did not appear"
e2e_wait_stable "$PREVIEW_X" "$PREVIEW_Y" "$PREVIEW_W" "$PREVIEW_H"
shot=$(e2e_screenshot last-list)
e2e_check "no error box at start" no_error_box
e2e_check "the Greek picture is shown first" [ "$(preview_share "$shot" b)" -ge 95 ]
for row in 0 1 2 3 4; do
  e2e_check "row $row of the name list has a name" [ "$(row_ink "$shot" $row)" -gt 10 ]
done
# The first row is selected; the others are drawn as plain rows.
e2e_check "the Name label shows the Greek name's own letters" [ "$(label_differing "$shot" "$greek")" -le 2 ]
e2e_check "row 1 shows the Japanese name's own characters" [ "$(row_differing "$shot" 1 "$japanese")" -le 2 ]
e2e_check "row 2 shows the emoji name as the system draws it" [ "$(row_differing "$shot" 2 "$emoji")" -le 2 ]
e2e_check "row 3 shows the accent over its letter" [ "$(row_differing "$shot" 3 "$combining")" -le 2 ]
show_row 1
shot=$(e2e_screenshot japanese)
e2e_check "the Japanese bitmap is previewed" [ "$(preview_share "$shot" r)" -ge 95 ]
e2e_check "the Name label shows the Japanese name's own characters" \
  [ "$(label_differing "$shot" "$japanese")" -le 2 ]
e2e_check "row 0 shows the Greek name's own letters" [ "$(row_differing "$shot" 0 "$greek")" -le 2 ]
# The comparison tells the name from what a lost conversion would show: the
# code page's question marks, its reading of the UTF-8 bytes, or boxes for
# characters no font has (private-use characters always draw as boxes).
mojibake=$(printf '%s' "$japanese" | iconv -f CP1252 -t UTF-8)
boxes=$'\xee\x80\x80\xee\x80\x81\xee\x80\x82.bmp'
e2e_check "the Name label is not the question marks" [ "$(label_differing "$shot" '???.bmp')" -gt 20 ]
e2e_check "the Name label is not '$mojibake'" [ "$(label_differing "$shot" "$mojibake")" -gt 20 ]
e2e_check "the Name label is not three boxes" [ "$(label_differing "$shot" "$boxes")" -gt 20 ]
show_row 2
e2e_check "the emoji picture is previewed" [ "$(preview_share "$(e2e_screenshot emoji)" g)" -ge 95 ]
show_row 3
e2e_check "the combining-accent picture is previewed" \
  [ "$(preview_share "$(e2e_screenshot combining)" b)" -ge 95 ]
show_row 4
e2e_check "the picture behind 300 characters is previewed" \
  [ "$(preview_share "$(e2e_screenshot long-path)" r)" -ge 95 ]

# Applied: the JPEG behind the long path and then the Japanese bitmap are
# read under their own names and drawn into the wallpaper bitmap.
apply
e2e_expect "the long path's JPEG is converted" "$(e2e_reg_query "$DESKTOP_KEY" Wallpaper)" \
  'C:\windows\MyWallpaper.bmp'
e2e_check "the bitmap holds its red" [ "$(e2e_family "$(e2e_screenshot applied-long)" 512 384)" = r ]
show_row 1
apply
e2e_expect "the Japanese bitmap's exact red is drawn" \
  "$(e2e_pixel "$E2E_PREFIX/drive_c/windows/MyWallpaper.bmp" 512 384)" E61E1E

# --- added through the dialog, typed as a person types -----------------------
e2e_press $ADD
e2e_wait_window '^Add image file \.\.\.$' 20 || e2e_abort "the picture dialog did not open"
# xdotool types a letter outside the keyboard's map by mapping it onto a
# spare key first; slower keystrokes give Wine time to see each new mapping.
xdotool type --delay 150 "C:\\pictures\\$typed"
e2e_key Return
e2e_wait_gone '^Add image file \.\.\.$' || e2e_abort "the picture dialog did not close"
e2e_wait_stable "$PREVIEW_X" "$PREVIEW_Y" "$PREVIEW_W" "$PREVIEW_H"
shot=$(e2e_screenshot dialog-add)
e2e_check "the name typed in Greek is added as a sixth row" [ "$(row_ink "$shot" 5)" -gt 10 ]

# --- kept at exit --------------------------------------------------------------
e2e_press $EXIT
e2e_wait_exit 20 || e2e_abort "the program did not end"
{ cat "$E2E_WORK/expected.lst"; list_line "$typed"; } | sed "1s/^${BOM}5/${BOM}6/" >"$E2E_WORK/expected6.lst"
e2e_check "LastList.lst keeps every name as marked UTF-8" \
  cmp -s "$E2E_INSTALL_DIR/LastList.lst" "$E2E_WORK/expected6.lst"

# --- a last list that claims UTF-8 but is not ----------------------------------
printf '%s2\r\nC:\\pictures\\caf\xe9.jpg\r\nC:\\pictures\\sea.jpg\r\n' "$BOM" >"$E2E_INSTALL_DIR/LastList.lst"
cp "$E2E_INSTALL_DIR/LastList.lst" "$E2E_WORK/broken.lst"
e2e_start
e2e_check "an error box tells of the broken list" wait_error_box 20
shot=$(e2e_screenshot broken-list)
e2e_check "the broken last list is kept as LastList.bak" \
  cmp -s "$E2E_INSTALL_DIR/LastList.bak" "$E2E_WORK/broken.lst"
e2e_key Return
e2e_wait_window '^Quorvel$' 20 || e2e_abort "the main window did not appear after the broken list"
sleep 1
e2e_press $EXIT
e2e_wait_exit 20 || e2e_abort "the program did not end after the broken list"
e2e_check "the broken list is still in LastList.bak after exit" \
  cmp -s "$E2E_INSTALL_DIR/LastList.bak" "$E2E_WORK/broken.lst"

e2e_finish

#!/usr/bin/env bash
# Editing the list as a person does: "+" opens the picture dialog, a typed
# file name adds the picture and the preview shows it; a second picture is
# added behind it; clicking its name shows it; "-" deletes it and the first
# is shown again; the new-list button asks, keeps the list on No (the
# default) and empties everything on Yes.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"


X=232 Y=230
ADD=$(e2e_at 29 60)           # "+" in the actions column
DELETE=$(e2e_at 61 60)        # "-"
NEWLIST=$(e2e_at 37 144)      # the new-list picture button
PREVIEW_X=$((X + 122)) PREVIEW_Y=$((Y + 20)) PREVIEW_W=218 PREVIEW_H=162
NAMES_X=$((X + 346)) NAMES_Y=$((Y + 20))
PANEL=FFFBF7  # the panels' white, red 255 green 251 blue 247

# Two solid pictures: a blue JPEG and a red BMP.
pictures="$E2E_PREFIX/drive_c/pictures"
mkdir -p "$pictures"
convert -size 320x240 xc:'rgb(20,60,220)' -quality 95 "$pictures/sea.jpg"
convert -size 200x100 xc:'rgb(230,30,30)' BMP3:"$pictures/roses.bmp"

e2e_start
e2e_wait_window '^Quorvel$' || e2e_abort "the main window did not appear"

add_picture() {
  e2e_press $ADD
  e2e_wait_window '^Add image file \.\.\.$' 20 || e2e_abort "the picture dialog did not open"
  # Typed straight away: the dialog opens with the focus in its "File name" box.
  e2e_type "$1"
  e2e_key Return
  e2e_wait_gone '^Add image file \.\.\.$' || e2e_abort "the picture dialog did not close"
  e2e_wait_stable "$PREVIEW_X" "$PREVIEW_Y" "$PREVIEW_W" "$PREVIEW_H"
}

# Dark (text) pixels in the name list's first rows.
name_ink() { e2e_count_other "$1" "$NAMES_X" "$NAMES_Y" 150 40 "$PANEL"; }

add_picture 'C:\pictures\sea.jpg'
shot=$(e2e_screenshot after-first-add)
e2e_check "the preview shows the blue picture" [ "$(e2e_preview_share "$shot" b)" -ge 95 ]
e2e_check "the name list shows a name" [ "$(name_ink "$shot")" -gt 20 ]

add_picture 'C:\pictures\roses.bmp'
shot=$(e2e_screenshot after-second-add)
e2e_check "the first picture stays shown after adding another" [ "$(e2e_preview_share "$shot" b)" -ge 95 ]

# Click the second name (rows are 13 pixels high).
e2e_press $((NAMES_X + 30)) $((NAMES_Y + 13 + 6))
e2e_wait_stable "$PREVIEW_X" "$PREVIEW_Y" "$PREVIEW_W" "$PREVIEW_H"
shot=$(e2e_screenshot after-click)
e2e_check "clicking the second name shows the red picture" [ "$(e2e_preview_share "$shot" r)" -ge 95 ]

e2e_press $DELETE
e2e_wait_stable "$PREVIEW_X" "$PREVIEW_Y" "$PREVIEW_W" "$PREVIEW_H"
shot=$(e2e_screenshot after-delete)
e2e_check "after deleting it the first picture is shown again" [ "$(e2e_preview_share "$shot" b)" -ge 95 ]
second_row=$(e2e_count_other "$shot" "$NAMES_X" $((NAMES_Y + 13)) 150 13 "$PANEL")
e2e_expect "the second row of the name list is empty" "$second_row" 0

# A question box of the program is open (or gone again, with "!").
wait_question() {
  local deadline=$(($(date +%s) + 15))
  until { if [ "${1:-}" = "!" ]; then e2e_no_error_box; else ! e2e_no_error_box; fi; }; do
    [ "$(date +%s)" -lt "$deadline" ] || return 1
    sleep 0.1
  done
  sleep 0.5
}

# "New list" asks before it empties the list: Enter takes the default, No.
e2e_press $NEWLIST
wait_question || e2e_abort "the new-list button did not ask"
e2e_key Return
wait_question ! || e2e_abort "the question did not close"
shot=$(e2e_screenshot after-new-list-no)
e2e_check "No keeps the list" [ "$(name_ink "$shot")" -gt 20 ]
e2e_check "No keeps the preview" [ "$(e2e_preview_share "$shot" b)" -ge 95 ]

e2e_press $NEWLIST
wait_question || e2e_abort "the new-list button did not ask again"
e2e_key y
e2e_wait_stable "$PREVIEW_X" "$PREVIEW_Y" "$PREVIEW_W" "$PREVIEW_H"
shot=$(e2e_screenshot after-new-list)
e2e_expect "the new list leaves the preview blank" \
  "$(e2e_count_other "$shot" "$PREVIEW_X" "$PREVIEW_Y" "$PREVIEW_W" "$PREVIEW_H" "$PANEL")" 0
e2e_expect "the new list leaves the name list empty" "$(name_ink "$shot")" 0

e2e_finish

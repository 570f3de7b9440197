#!/usr/bin/env bash
# On a first start Tessivo shows one borderless 560 x 308 window centred on the
# screen. Its own painted header row stands in for a title bar: a grey line on
# every second pixel row, the title " Tessivo " on a plain box in the middle
# and the two 15 x 15 tool buttons (close, to the tray) at the left. No system
# caption or frame surrounds it.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

# Centred on the 1024 x 768 desktop.
X=232 Y=230 W=560 H=308
HEADER=15
GREY=808080

e2e_start
e2e_wait_window '^Quorvel$' || e2e_abort "the main window 'Quorvel' did not appear"
e2e_wait_stable "$X" "$Y" "$W" "$HEADER"
shot=$(e2e_screenshot startup)

face=$(e2e_sys_color ButtonFace)
background=$(e2e_sys_color Background)
if [ -z "$face" ] || [ -z "$background" ]; then e2e_abort "cannot read the system colours"; fi
desk=$(e2e_pixel "$shot" 16 16)
e2e_expect "the desktop shows its plain background colour" "$desk" "$background"

# --- placement and the absence of a frame ---------------------------------
e2e_expect "no caption or frame above the window (40 rows)" \
  "$(e2e_count_other "$shot" $((X - 8)) $((Y - 40)) $((W + 16)) 40 "$desk")" 0
e2e_expect "no frame below the window" \
  "$(e2e_count_other "$shot" $((X - 8)) $((Y + H)) $((W + 16)) 8 "$desk")" 0
e2e_expect "no frame left of the window" \
  "$(e2e_count_other "$shot" $((X - 8)) "$Y" 8 "$H" "$desk")" 0
e2e_expect "no frame right of the window" \
  "$(e2e_count_other "$shot" $((X + W)) "$Y" 8 "$H" "$desk")" 0
inside_desk=$(e2e_count "$shot" "$X" "$Y" "$W" "$H" "$desk")
e2e_check "the window covers the desktop (desktop-coloured pixels inside: $inside_desk)" \
  [ "$inside_desk" -lt $((W * H / 100)) ]

# The window's own edges are plain button face: the margins of its layout,
# not a border. Header bottom: rows 15 to 17 lie between the header and the
# panels; the panels leave two columns on the left, four on the right and
# three rows at the bottom.
e2e_expect "rows 15-17 below the header are plain button face" \
  "$(e2e_count_other "$shot" "$X" $((Y + HEADER)) "$W" 3 "$face")" 0
e2e_expect "the left edge (2 columns) is plain button face" \
  "$(e2e_count_other "$shot" "$X" $((Y + HEADER)) 2 $((H - HEADER)) "$face")" 0
e2e_expect "the right edge (4 columns) is plain button face" \
  "$(e2e_count_other "$shot" $((X + W - 4)) $((Y + HEADER)) 4 $((H - HEADER)) "$face")" 0
e2e_expect "the bottom edge (3 rows) is plain button face" \
  "$(e2e_count_other "$shot" "$X" $((Y + H - 3)) "$W" 3 "$face")" 0

# --- the header row -----------------------------------------------------------
# Window coordinates: the two tool buttons fill x 0-29; the stripes run from
# x 1 to x 558 under them; the title box is centred on x 280. Stripes are
# checked from x 30 to x 555, away from the centre.
header=$(e2e_region "$shot" "$X" "$Y" "$W" "$HEADER" |
  awk -v x0="$X" -v y0="$Y" -v grey="$GREY" -v face="$face" -v cx=$((W / 2)) '
    function dark(c) { return c ~ /^[0-3][0-9A-F][0-3][0-9A-F][0-3][0-9A-F]$/ }
    {
      x = $1 - x0; y = $2 - y0; c = $3
      if (x < 30) {
        button = x < 15 ? 0 : 1
        if (c == grey) tool_grey++
        if (dark(c)) tool_dark[button]++
        if (c == face) tool_face[button]++
        next
      }
      if (x > 555) next
      if (y == 0 || y == 14) { if (c != grey) edge_rows_bad++; next }
      if (dark(c)) title_dark++
      away = x < cx - 60 || x >= cx + 60
      if (y % 2 == 0) {
        if (away && c != grey) stripes_bad++
        if (c != grey) {
          if (!(y in first)) first[y] = x
          last[y] = x; box[y]++
        }
      } else if (away && c != face) gaps_bad++
    }
    END {
      printf "tool_grey %d\ntool_dark0 %d\ntool_dark1 %d\n", tool_grey, tool_dark[0], tool_dark[1]
      printf "tool_face0 %d\ntool_face1 %d\n", tool_face[0], tool_face[1]
      printf "edge_rows_bad %d\nstripes_bad %d\ngaps_bad %d\ntitle_dark %d\n", \
        edge_rows_bad, stripes_bad, gaps_bad, title_dark
      # The title box: on each even row 2..12 one unbroken run without grey,
      # centred on the header.
      boxes_ok = 1; worst = 0
      for (y = 2; y <= 12; y += 2) {
        if (!(y in first)) { boxes_ok = 0; continue }
        width = last[y] - first[y] + 1
        off = (first[y] + last[y]) / 2 - cx; if (off < 0) off = -off
        if (off > worst) worst = off
        if (box[y] != width || width < 20 || width > 120 || off > 2) boxes_ok = 0
      }
      printf "title_box_ok %d\ntitle_off %.1f\n", boxes_ok, worst
    }')
value() { awk -v k="$1" '$1 == k { print $2 }' <<<"$header"; }

e2e_expect "header rows 0 and 14 are grey lines from x 30 to 555" "$(value edge_rows_bad)" 0
e2e_expect "header even rows are grey lines outside the title" "$(value stripes_bad)" 0
e2e_expect "header odd rows are button face outside the title" "$(value gaps_bad)" 0
e2e_check "the title box stands centred over the stripes on rows 2-12 (off by $(value title_off) px)" \
  [ "$(value title_box_ok)" = 1 ]
e2e_check "the title box holds dark text ($(value title_dark) pixels)" [ "$(value title_dark)" -ge 10 ]
e2e_expect "no stripes under the two tool buttons (x 0-29)" "$(value tool_grey)" 0
# A glyph: a few dark strokes on a button mostly of button face.
glyph_on_face() { [ "$(value "tool_dark$1")" -ge 4 ] && [ "$(value "tool_face$1")" -ge 112 ]; }
e2e_check "the close button shows a dark glyph on button face" glyph_on_face 0
e2e_check "the to-tray button shows a dark glyph on button face" glyph_on_face 1

e2e_finish

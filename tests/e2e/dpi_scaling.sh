#!/usr/bin/env bash
# At 96, 120, 144 and 192 DPI (LogPixels set before the session starts) the
# program is per-monitor aware, and its window is the 560 x 308 layout
# scaled: its size, its controls where the scaled layout puts them, every
# text whole, and a click on the scaled "+" opens the picture dialog.
# The window at 144 DPI is kept as window-144dpi.png (docs/ shows it).
#
# usage: bash dpi_scaling.sh TESSIVO.EXE WINDOW_PROBE.EXE
source "$(dirname "$0")/lib.sh"
PROBE=${2:?usage: bash $0 TESSIVO.EXE WINDOW_PROBE.EXE}
# Room for the window at 192 DPI (1120 x 616).
E2E_WIDTH=1280 E2E_HEIGHT=800
e2e_init "$1"
cp "$PROBE" "$E2E_DRIVE_C/window_probe.exe"

# scaled V DPI: V at DPI, rounded as the program rounds (MulDiv).
scaled() { echo $((($1 * $2 + 48) / 96)); }

# set_dpi DPI: the display's DPI, read by the next session.
set_dpi() {
  local key
  for key in 'HKCU\Control Panel\Desktop' 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
    e2e_wine reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 ||
      e2e_abort "cannot set LogPixels"
  done
  e2e_as_user wineserver -k 2>/dev/null
  [ -z "$E2E_LAUNCHER" ] || wait "$E2E_LAUNCHER" 2>/dev/null
  e2e_as_user wineserver -p 600 </dev/null >/dev/null 2>&1
}

# no_ink SHOT X Y W H: the rectangle holds no text-dark pixels.
no_ink() {
  e2e_region "$@" | awk '{ if (substr($3,1,1) < "5" && substr($3,3,1) < "5" && substr($3,5,1) < "5") n++ }
                         END { exit n > 0 }'
}

for dpi in 96 120 144 192; do
  note "--- $dpi DPI"
  set_dpi "$dpi"
  e2e_start
  e2e_wait_window '^Quorvel$' || e2e_abort "no main window at $dpi DPI"
  W=$(scaled 560 "$dpi") H=$(scaled 308 "$dpi")
  X=$(((E2E_WIDTH - W) / 2)) Y=$(((E2E_HEIGHT - H) / 2))
  # Right of the actions column, away from the ticking clock.
  e2e_wait_stable $((X + $(scaled 120 "$dpi"))) "$Y" $((W - $(scaled 120 "$dpi"))) "$H"
  probe=$(e2e_as_user "$TESSIVO_WINE" explorer.exe "/desktop=$E2E_DESKTOP,${E2E_WIDTH}x${E2E_HEIGHT}" \
    'C:\window_probe.exe' TessivoMainWindow </dev/null 2>/dev/null | tr -d '\r')
  echo "$probe" >"$E2E_WORK/probe-$dpi.log"
  shot=$(e2e_screenshot "window-$dpi")

  e2e_expect "$dpi DPI: the window is per-monitor aware" "$(echo "$probe" | awk '$1 == "awareness" { print $2 }')" 2
  e2e_expect "$dpi DPI: the window's DPI" "$(echo "$probe" | awk '$1 == "dpi" { print $2 }')" "$dpi"
  e2e_expect "$dpi DPI: the window is ${W} x ${H}" "$(echo "$probe" | awk '$1 == "window" { print $2 "x" $3 }')" "${W}x${H}"
  desk=$(e2e_pixel "$shot" 4 4)
  e2e_check "$dpi DPI: the desktop shows right of and below the window, not inside it" \
    [ "$(e2e_pixel "$shot" $((X + W)) $((Y + H / 2)))" = "$desk" \
    -a "$(e2e_pixel "$shot" $((X + W - 1)) $((Y + H / 2)))" != "$desk" \
    -a "$(e2e_pixel "$shot" $((X + W / 2)) $((Y + H)))" = "$desk" ]
  # Controls at their scaled places: the actions panel at (2, 18), and in it
  # "+" at (13, 27), 28 x 30; "Apply" at (13, 66); the options panel at
  # (120, 186), and in it "Start With Windows" at (65, 59), 144 x 17.
  place() { # TEXT PANEL_X PANEL_Y X Y WIDTH HEIGHT
    local left=$(($(scaled "$2" "$dpi") + $(scaled "$4" "$dpi"))) top=$(($(scaled "$3" "$dpi") + $(scaled "$5" "$dpi")))
    e2e_expect "$dpi DPI: \"$1\" where the scaled layout puts it" \
      "$(echo "$probe" | awk -v t="$1" '$1 == "control" { s = $0; sub(/^control [-0-9]+ [-0-9]+ [-0-9]+ [-0-9]+ /, "", s); if (s == t) print $2, $3, $4 - $2, $5 - $3 }')" \
      "$left $top $(scaled "$6" "$dpi") $(scaled "$7" "$dpi")"
  }
  place "+" 2 18 13 27 28 30
  place "Apply" 2 18 13 66 92 21
  place "Start With Windows" 120 186 65 59 144 17
  place "Random" 120 186 264 90 65 17
  e2e_expect "$dpi DPI: every button's and check box's text fits" \
    "$(echo "$probe" | awk '$1 == "clipped"' | tr '\n' ';')" ""
  # The captions end before the control right of them: "Name:" before the
  # name field at 102, "Display Style :" before the style box at 349,
  # "Interval" before the interval box at 349, "Options:" before the check
  # boxes at 65 (all in the options panel at 120, 186).
  caption_clear() { # WHAT X_OF_NEXT Y HEIGHT
    local ox=$((X + $(scaled 120 "$dpi"))) oy=$((Y + $(scaled 186 "$dpi")))
    local x=$((ox + $(scaled "$2" "$dpi") - $(scaled 3 "$dpi"))) y=$((oy + $(scaled "$3" "$dpi")))
    e2e_check "$dpi DPI: \"$1\" ends before the control right of it" \
      no_ink "$shot" "$x" "$y" "$(scaled 3 "$dpi")" "$(scaled "$4" "$dpi")"
  }
  caption_clear "Name:" 102 25 13
  caption_clear "Display Style :" 349 36 13
  caption_clear "Interval" 349 64 13
  caption_clear "Options:" 65 59 13

  # A click on the scaled "+" opens the picture dialog.
  add_x=$((X + $(scaled 2 "$dpi") + $(scaled 13 "$dpi") + $(scaled 14 "$dpi")))
  add_y=$((Y + $(scaled 18 "$dpi") + $(scaled 27 "$dpi") + $(scaled 15 "$dpi")))
  e2e_press "$add_x" "$add_y"
  if e2e_wait_window '^Add image file \.\.\.$' 20; then
    e2e_check "$dpi DPI: a click on \"+\" opens the picture dialog" true
    e2e_key Escape
    e2e_wait_gone '^Add image file \.\.\.$' || note "the picture dialog did not close"
  else
    e2e_check "$dpi DPI: a click on \"+\" opens the picture dialog" false
  fi
  if [ "$dpi" = 144 ]; then
    # Kept with the screenshots of a failed run, and after a passing one.
    convert "$shot" -crop "${W}x${H}+${X}+${Y}" +repage "$E2E_WORK/window-144dpi.png"
    mkdir -p "$TESSIVO_BUILD/e2e-artifacts/$E2E_TEST"
    cp "$E2E_WORK/window-144dpi.png" "$TESSIVO_BUILD/e2e-artifacts/$E2E_TEST/"
  fi
done
e2e_finish

#!/usr/bin/env bash
# The four ways Tessivo comes up, decided by the stored options and the last
# list: window shown or only the tray icon, automatic changing off or
# running. Each run starts the real program on options prepared in the
# registry and a "LastList.lst" beside it; a running start applies the
# selected (first) entry at once, which the desktop and its registry values
# show.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

X=232 Y=230 W=560 H=308
# ButtonStartStop, in desktop coordinates.
BUTTON_X=$((X + 509)) BUTTON_Y=$((Y + 275)) BUTTON_W=38 BUTTON_H=21
SETTINGS='HKCU\Software\Tessivo'
DESKTOP_KEY='HKCU\Control Panel\Desktop'

pictures="$E2E_DRIVE_C/pictures"
mkdir -p "$pictures"
convert -size 64x48 xc:'rgb(30,200,30)' BMP3:"$pictures/green.bmp"
convert -size 64x48 xc:'rgb(20,20,220)' BMP3:"$pictures/blue.bmp"
GREEN='C:\pictures\green.bmp' BLUE='C:\pictures\blue.bmp'

# run NAME STARTMINIMIZED AUTORUN FIRST...: starts the program with these
# options and a last list of the given entries ("" for none).
run() {
  local name=$1 minimized=$2 autorun=$3; shift 3
  {
    printf '%d\r\n' $#
    local entry
    for entry in "$@"; do printf '%s\r\n' "$entry"; done
  } >"$E2E_INSTALL_DIR/LastList.lst"
  e2e_wine reg add "$SETTINGS" /v startminimized /d "$minimized" /f >/dev/null 2>&1
  e2e_wine reg add "$SETTINGS" /v startinautorunmode /d "$autorun" /f >/dev/null 2>&1
  e2e_wine reg add "$SETTINGS" /v style /d 1 /f >/dev/null 2>&1
  e2e_wine reg add "$SETTINGS" /v interval /d 1 /f >/dev/null 2>&1
  e2e_wine reg add "$DESKTOP_KEY" /v Wallpaper /d '' /f >/dev/null 2>&1
  # No change yet: a run then starts with one (an earlier case's run keeps
  # the time of its change, and a start would wait out its interval).
  e2e_wine reg delete "$SETTINGS" /v lastchange /f >/dev/null 2>&1
  echo "--- $name"
  e2e_start
}

# stop: ends the program and its desktop without the exit sequence.
stop() {
  wineserver_in "$E2E_PREFIX" -k 2>/dev/null
  wait "$E2E_LAUNCHER" 2>/dev/null
  E2E_LAUNCHER=
  wine_session_start "$E2E_PREFIX"
}


button_crop() { convert "$1" -crop "${BUTTON_W}x${BUTTON_H}+${BUTTON_X}+${BUTTON_Y}" +repage "$2"; }

# --- 1: window shown, automatic changing off (auto-run asked, list empty) ----
run shown-off 0 1
e2e_wait_window '^Quorvel$' || e2e_abort "the main window did not appear"
e2e_wait_stable "$X" "$Y" "$W" "$H"
shot=$(e2e_screenshot shown-off)
button_crop "$shot" "$E2E_WORK/button-start.png"
e2e_expect "shown, off: nothing was applied" "$(e2e_reg_query "$DESKTOP_KEY" Wallpaper)" ""
e2e_expect "shown, off: the desktop keeps its background" "$(e2e_pixel "$shot" 16 16)" "$(e2e_sys_color Background)"
stop

# --- 2: window shown, automatic changing running --------------------------
run shown-running 0 1 "$GREEN" "$BLUE"
e2e_wait_window '^Quorvel$' || e2e_abort "the main window did not appear"
e2e_check "shown, running: the first entry was applied at start" e2e_wait_wallpaper "$GREEN"
e2e_wait_stable "$X" "$Y" "$W" "$H"
shot=$(e2e_screenshot shown-running)
e2e_expect "shown, running: the desktop shows the first entry tiled" "$(e2e_family "$shot" 16 16)" g
button_crop "$shot" "$E2E_WORK/button-stop.png"
different=$(compare -metric AE "$E2E_WORK/button-start.png" "$E2E_WORK/button-stop.png" null: 2>&1 || true)
e2e_check "shown, running: the button's caption changed from 'Start' ($different pixels differ)" \
  [ "${different%%.*}" -gt 10 ]
stop

# --- 3: only the tray icon, automatic changing running ---------------------
run tray-running 1 1 "$BLUE" "$GREEN"
e2e_check "tray, running: the first entry was applied at start" e2e_wait_wallpaper "$BLUE"
sleep 1
shot=$(e2e_screenshot tray-running)
e2e_expect "tray, running: the desktop shows the first entry tiled" "$(e2e_family "$shot" 16 16)" b
e2e_expect "tray, running: no window is shown" "$(e2e_find_window '^Quorvel$')" ""
e2e_expect "tray, running: the window's place shows the desktop" "$(e2e_family "$shot" $((X + 280)) $((Y + 150)))" b
stop

# --- 4: only the tray icon, automatic changing off --------------------------
# Nothing is applied and no window comes up: waiting longer than the shown
# starts above needed for their window finds none, while the program runs.
run tray-off 1 0 "$GREEN" "$BLUE"
if e2e_wait_window '^Quorvel$' 15 2>/dev/null; then
  e2e_check "tray, off: no window is shown" false
else
  e2e_check "tray, off: no window is shown" true
fi
e2e_check "tray, off: the program is running" e2e_running
e2e_expect "tray, off: nothing was applied" "$(e2e_reg_query "$DESKTOP_KEY" Wallpaper)" ""
stop

# --- 5: a style stored as a DWORD resets only itself -------------------------
# One box tells which value was reset; the exit keeps every other option as
# stored, auto-run mode included though the list is empty.
printf '0\r\n' >"$E2E_INSTALL_DIR/LastList.lst"
for value in startminimized=0 startinautorunmode=1 startup=0 random=1 interval=7; do
  e2e_wine reg add "$SETTINGS" /v "${value%%=*}" /d "${value#*=}" /f >/dev/null 2>&1
done
e2e_wine reg add "$SETTINGS" /v style /t REG_DWORD /d 7 /f >/dev/null 2>&1
# No autostart entry left by the cases before: the box shows what Windows
# will do, and this case is about the stored values alone.
e2e_wine reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Tessivo /f >/dev/null 2>&1
echo "--- dword-style"
e2e_start
e2e_wait_window '^Tessivo$' || e2e_abort "no box told which options were reset"
e2e_key Return
e2e_wait_window '^Quorvel$' || e2e_abort "the main window did not appear"
e2e_wait_stable "$X" "$Y" "$W" "$H"
e2e_click $((X + 150)) $((Y + 7))
e2e_key alt+F4
e2e_check "dword style: the program ends" e2e_wait_exit
e2e_expect "dword style: stored back as Stretch" "$(e2e_reg_query "$SETTINGS" style)" 2
e2e_expect "dword style: startup kept" "$(e2e_reg_query "$SETTINGS" startup)" 0
e2e_expect "dword style: random kept" "$(e2e_reg_query "$SETTINGS" random)" 1
e2e_expect "dword style: interval kept" "$(e2e_reg_query "$SETTINGS" interval)" 7
e2e_expect "dword style: auto-run mode kept" "$(e2e_reg_query "$SETTINGS" startinautorunmode)" 1
e2e_expect "dword style: no Run entry" "$(e2e_reg_query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' Tessivo)" ""

e2e_finish

#!/usr/bin/env bash
# One copy per session. Tessivo started while a copy already runs (from the
# tray, say) does not become a second copy with a second icon and timer: it
# asks the running one to show its window and ends. Checked for a start one
# after the other and for two starts within 100 ms of each other.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

SETTINGS='HKCU\Software\Tessivo'
# The usual set-up: the program comes up hidden, with its tray icon only.
e2e_wine reg add "$SETTINGS" /v startminimized /d 1 /f >/dev/null 2>&1
printf '0\r\n' >"$E2E_INSTALL_DIR/LastList.lst"

# copies: how many processes of the installed program run in this test's
# prefix (other tests' copies, and the desktop's launcher, whose command line
# names the program too, aside).
copies() {
  local n=0 pid
  for pid in $(pgrep -u "$E2E_USER" -f 'Tessivo\\tessivo\.exe$'); do
    ps -o args= -p "$pid" | grep -q explorer && continue
    { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$E2E_PREFIX" && n=$((n + 1))
  done
  echo "$n"
}
# wait_copies N SECONDS: until exactly N run.
wait_copies() {
  local deadline=$(($(date +%s) + $2))
  until [ "$(copies)" = "$1" ]; do
    [ "$(date +%s)" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}
# start_beside: starts the program in the running desktop, as the
# Start-menu shortcut would.
start_beside() {
  e2e_as_user "$TESSIVO_WINE" explorer.exe "/desktop=$E2E_DESKTOP,${E2E_WIDTH}x${E2E_HEIGHT}" \
    "$E2E_PROGRAM" </dev/null >>"$E2E_WORK/wine.log" 2>&1 &
}

# --- one after the other -------------------------------------------------------
e2e_start
wait_copies 1 60 || e2e_abort "the program did not start"
sleep 3
e2e_check "the first copy starts in the tray, without a window" [ -z "$(e2e_find_window '^Quorvel$')" ]
start_beside
e2e_check "a second start brings the running copy's window forward" e2e_wait_window '^Quorvel$' 30
e2e_check "and ends, leaving one copy" wait_copies 1 15
e2e_screenshot after_second_start >/dev/null

# Ended through its exit sequence (Alt+F4), so the next round starts afresh.
xdotool search --onlyvisible --name '^Quorvel$' windowactivate --sync key alt+F4 2>/dev/null ||
  e2e_key alt+F4
e2e_check "the one copy ends when closed" wait_copies 0 30
e2e_wait_exit 15 || true

# --- two starts within 100 ms ----------------------------------------------------
# Both inside the running desktop, as two clicks on a shortcut are (two
# desktop launchers started at once do not both get one): Notepad holds it.
e2e_start 'C:\windows\notepad.exe'
e2e_wait_window 'Notepad' 30 || e2e_abort "the desktop did not come up"
start_beside
sleep 0.05
start_beside
most=0
for _ in $(seq 60); do
  n=$(copies)
  [ "$n" -gt "$most" ] && most=$n
  sleep 0.1
done
wait_copies 1 30 || true
sleep 2
note "at most $most copies ran at once"
e2e_expect "two starts at once leave one copy" "$(copies)" 1
e2e_check "and the second brings the first's window forward" e2e_wait_window '^Quorvel$' 30
e2e_screenshot after_two_starts >/dev/null

e2e_finish

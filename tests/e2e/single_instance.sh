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

# --- one after the other -------------------------------------------------------
e2e_start
e2e_wait_copies 1 60 || e2e_abort "the program did not start"
sleep 3
e2e_check "the first copy starts in the tray, without a window" [ -z "$(e2e_find_window '^Quorvel$')" ]
e2e_start_again
e2e_check "a second start brings the running copy's window forward" e2e_wait_window '^Quorvel$' 30
e2e_check "and ends, leaving one copy" e2e_wait_copies 1 15
e2e_screenshot after_second_start >/dev/null

# Ended through its exit sequence (Alt+F4), so the next round starts afresh.
xdotool search --onlyvisible --name '^Quorvel$' windowactivate --sync key alt+F4 2>/dev/null ||
  e2e_key alt+F4
e2e_check "the one copy ends when closed" e2e_wait_copies 0 30
e2e_wait_exit 15 || true

# --- two starts within 100 ms ----------------------------------------------------
# Both inside the running desktop, as two clicks on a shortcut are (two
# desktop launchers started at once do not both get one): Notepad holds it.
e2e_start 'C:\windows\notepad.exe'
e2e_wait_window 'Notepad' 30 || e2e_abort "the desktop did not come up"
e2e_start_again
sleep 0.05
e2e_start_again
most=0
for _ in $(seq 60); do
  n=$(e2e_copies)
  [ "$n" -gt "$most" ] && most=$n
  sleep 0.1
done
e2e_wait_copies 1 30 || true
sleep 2
note "at most $most copies ran at once"
e2e_expect "two starts at once leave one copy" "$(e2e_copies)" 1
e2e_check "and the second brings the first's window forward" e2e_wait_window '^Quorvel$' 60
e2e_screenshot after_two_starts >/dev/null

e2e_finish

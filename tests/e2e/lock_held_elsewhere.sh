#!/usr/bin/env bash
# The one-copy lock held by a process with no window (a copy stuck in its
# start, or another program on the same name): a start of Tessivo does not
# run a second copy and does not end without a word; after a few seconds it
# says that another copy holds the lock and does not answer, and ends when
# the box is closed.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
squatter=$2

cp "$squatter" "$E2E_DRIVE_C/lock_squatter.exe"
e2e_start 'C:\lock_squatter.exe'
sleep 2
e2e_start_again
e2e_wait_copies 1 30 || e2e_abort "the program did not start"
started=$(date +%s)
box_shown() { ! e2e_no_error_box; }
until box_shown || [ $(($(date +%s) - started)) -ge 30 ]; do sleep 0.5; done
waited=$(($(date +%s) - started))
note "the box came after about ${waited} s"
e2e_check "a box says what happened" box_shown
e2e_check "within seconds, not a minute" [ "$waited" -lt 25 ]
e2e_check "and no window of a second copy shows" [ -z "$(e2e_find_window '^Quorvel$')" ]
e2e_screenshot box >/dev/null
# Its title bar (the box sits in the middle of the desktop), then Enter: OK.
e2e_click 512 322
sleep 0.5
e2e_key Return
e2e_check "the start ends once the box is closed" e2e_wait_copies 0 15

e2e_finish

#!/usr/bin/env bash
# Adding a folder of 300 000 files (so many that an idle machine is still
# scanning when Escape comes) while the window is up: the tree is read
# without holding the window up (another program's messages are answered at
# once), a later start's /next is carried out meanwhile, and Escape in the
# window stops the scan, so nothing of it joins the list.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
[ -f "${2:-}" ] || e2e_abort "usage: bash $0 <tessivo.exe> <answer_probe.exe>"
cp "$2" "$E2E_DRIVE_C/answer_probe.exe"

SETTINGS='HKCU\Software\Tessivo'
e2e_red_blue_list
for pair in startminimized=0 style=1; do
  e2e_wine reg add "$SETTINGS" /v "${pair%%=*}" /d "${pair#*=}" /f >/dev/null 2>&1
done
# The scan reads names only: empty files are pictures enough.
tree="$E2E_DRIVE_C/tree"
for set in $(seq -w 1 300); do
  mkdir -p "$tree/set $set"
  (cd "$tree/set $set" && touch $(seq -f 'p%04g.jpg' 1 1000))
done

e2e_start
e2e_wait_window '^Quorvel$' 60 || e2e_abort "no main window"

# Another program asks the window for answers all along.
e2e_as_user "$TESSIVO_WINE" explorer.exe "/desktop=$E2E_DESKTOP,${E2E_WIDTH}x${E2E_HEIGHT}" \
  'C:\answer_probe.exe' 8 </dev/null 2>>"$E2E_WORK/wine.log" | tr -d '\r' >"$E2E_WORK/probe.txt" &
probe_job=$!
sleep 1
e2e_start_again /add 'C:\tree'
sleep 0.3
e2e_start_again /next
e2e_screenshot during-scan >/dev/null
# Escape at once: on an idle machine the scan ends within seconds.
read -r x y < <(e2e_at 450 120) # the name list, below its rows
e2e_press "$x" "$y"
e2e_key Escape
e2e_check "'/next' during the scan puts the next picture on the desktop" e2e_wait_wallpaper "$BLUE" 20
wait "$probe_job"
read -r _ probes _ longest _ timeouts <"$E2E_WORK/probe.txt" || true
note "probe: $(cat "$E2E_WORK/probe.txt")"
# Under Wine, on a busy machine, an answer may be slow now and then; a window
# held up by the scan would keep the caller waiting for seconds.
answered_all_along() { [ "${probes:-0}" -gt 50 ] && [ "${timeouts:-1}" = 0 ] && [ "${longest:-9999}" -lt 1000 ]; }
e2e_check "the window answered all along (longest wait ${longest:-?} ms)" answered_all_along

e2e_screenshot after-escape >/dev/null
read -r x y < <(e2e_at 84 235) # "Exit"
e2e_press "$x" "$y"
e2e_check "\"Exit\" ends the program" e2e_wait_exit 20
e2e_expect "Escape stopped the scan: nothing of the tree is in the list" \
  "$(head -1 "$E2E_INSTALL_DIR/LastList.lst" | tr -d '\r')" 2
e2e_finish

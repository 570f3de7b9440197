#!/usr/bin/env bash
source "$(dirname "$0")/lib.sh"
e2e_init "$1"
mkdir -p "$E2E_DRIVE_C/pictures"
convert -size 64x48 xc:'rgb(220,30,30)' BMP3:"$E2E_DRIVE_C/pictures/red.bmp"
printf '1\r\nC:\\pictures\\red.bmp\r\n' >"$E2E_INSTALL_DIR/LastList.lst"
e2e_wine reg add 'HKCU\Software\Tessivo' /v startminimized /d 0 /f >/dev/null 2>&1
e2e_start
e2e_wait_window '^Quorvel$' || e2e_abort "the main window did not appear"
sleep 3
for c in $(pgrep -f 'Tessivo.tessivo.exe'); do tr '\0' '\n' < /proc/$c/environ 2>/dev/null | grep -q "^WINEPREFIX=$E2E_PREFIX" && pid=$c; done
t0=$(awk '{print $14+$15}' /proc/$pid/stat); sleep 5; t1=$(awk '{print $14+$15}' /proc/$pid/stat)
echo "cpu ticks in 5 s: $((t1-t0)) (pid $pid $(cat /proc/$pid/cmdline | tr '\0' ' '))"
e2e_finish

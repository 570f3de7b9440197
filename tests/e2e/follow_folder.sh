#!/usr/bin/env bash
# A followed folder: the real program follows C:\pics (/follow); pictures
# copied in, deleted and renamed while it runs reach the list within
# seconds (read from LastList.lst, saved shortly after each change), a
# renamed one in its old place; changes made while the program is off are
# found at its next start.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

e2e_wine reg add 'HKCU\Software\Tessivo' /v startminimized /d 0 /f >/dev/null 2>&1
pics="$E2E_DRIVE_C/pics"
mkdir -p "$pics"
for name in a b c d; do
  convert -size 8x8 xc:'rgb(20,120,20)' BMP3:"$E2E_WORK/$name.bmp"
done
cp "$E2E_WORK/a.bmp" "$E2E_WORK/b.bmp" "$pics/"

LIST="$E2E_INSTALL_DIR/LastList.lst"
# The entries of the last list, one a line, after its count.
entries() { [ -f "$LIST" ] && tr -d '\r' <"$LIST" | awk 'NR == 1 { n = $1; next } NR <= n + 1'; }
# list_becomes EXPECTED SECONDS: until the last list holds exactly EXPECTED.
list_becomes() {
  local deadline=$(($(date +%s) + $2))
  until [ "$(entries | tr '\n' ' ')" = "$1" ]; do
    [ "$(date +%s)" -lt "$deadline" ] || { note "last list: $(entries | tr '\n' ' ')"; return 1; }
    sleep 0.2
  done
}
exit_program() {
  local x y
  read -r x y < <(e2e_at 84 235) # "Exit"
  e2e_press "$x" "$y"
  e2e_check "\"Exit\" ends the program" e2e_wait_exit 20
}

e2e_start
e2e_wait_window '^Quorvel$' 60 || e2e_abort "no main window"
e2e_start_again /follow 'C:\pics'
e2e_check "/follow brings the folder's pictures" list_becomes 'C:\pics\a.bmp C:\pics\b.bmp ' 15
e2e_check "the list file names the folder after its entries" \
  grep -qx 'Folder=C:\\pics' <(tr -d '\r' <"$LIST")

cp "$E2E_WORK/c.bmp" "$pics/"
rm "$pics/a.bmp"
mv "$pics/b.bmp" "$pics/b2.bmp"
e2e_check "a copy, a delete and a rename reach the list, the renamed picture in its place" \
  list_becomes 'C:\pics\b2.bmp C:\pics\c.bmp ' 15
exit_program

# While the program is off.
cp "$E2E_WORK/d.bmp" "$pics/"
rm "$pics/c.bmp"
e2e_start
e2e_wait_window '^Quorvel$' 60 || e2e_abort "no main window at the second start"
e2e_check "the next start finds what changed while it was off" list_becomes 'C:\pics\b2.bmp C:\pics\d.bmp ' 20
exit_program
e2e_finish

#!/usr/bin/env bash
# What a Windows user downloads. The portable zip holds the program and its
# documents (README with Windows line ends, licence, third-party notices).
# Over a folder named like the program, or a file named like its folder, the
# silent installer fails with a non-zero exit code, a reason in its log and
# no uninstall entry or shortcut.
# The installer as a standard Windows user meets it, under Wine: run silently
# (/S) it installs Tessivo for this user alone into
# %LOCALAPPDATA%\Programs\Tessivo, with a Start-menu shortcut and an
# "Apps & features" entry; the program starts from the shortcut and shows its
# window. The silent uninstaller then ends the running program (found by its
# main window's class, not by the caption the About box shares; with the
# About box open, through its exit sequence, so a list edit is kept) and removes
# the program, the shortcut, the Run values and the uninstall entry, and
# keeps the options and the last list (it asks before removing those, and a
# silent uninstall answers no); uninstalling by hand and answering yes
# removes those too.
#
# Run as root, Wine runs as a throw-away unprivileged Unix user, in a prefix
# whose Windows and Program Files folders it cannot write: what a standard
# user meets on Windows. Run as any other user, Wine runs as that user.
#
# usage: bash package_install.sh VERSION   (needs build/dist from scripts/package)
source "$(dirname "$0")/../e2e/lib.sh"

version=${1:-}
[ -n "$version" ] || e2e_abort "usage: bash $0 <version>"
setup="$TESSIVO_BUILD/dist/tessivo-$version-setup.exe"
shipped="$TESSIVO_BUILD/release/src/app/tessivo.exe"
[ -f "$setup" ] && [ -f "$shipped" ] || e2e_abort "no ${setup#"$TESSIVO_ROOT"/}: run scripts/package first"

RUN_KEY='Software\Microsoft\Windows\CurrentVersion\Run'
UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessivo'
X=232 Y=230 W=560 H=308 # the main window, centred on the 1024 x 768 desktop

# --- a standard user, a prefix of its own, a display ---------------------------
e2e_init_standard_user

profile='C:\users\'"$E2E_USER"
install_dir="$E2E_PREFIX/drive_c/users/$E2E_USER/AppData/Local/Programs/Tessivo"
win_install_dir="$profile"'\AppData\Local\Programs\Tessivo'
shortcut="$E2E_PREFIX/drive_c/users/$E2E_USER/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tessivo.lnk"
win_shortcut="$profile"'\AppData\Roaming\Microsoft\Windows\Start Menu\Programs\Tessivo.lnk'
sendto="$E2E_PREFIX/drive_c/users/$E2E_USER/AppData/Roaming/Microsoft/Windows/SendTo/Add to Tessivo.lnk"
appdata_list="$E2E_PREFIX/drive_c/users/$E2E_USER/AppData/Roaming/Tessivo/LastList.lst"

# reg_value KEY VALUE: the data of a registry value of the user (empty when missing).
reg_value() {
  e2e_wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    awk -v v="$2" '$1 == v && $2 ~ /^REG_/ { sub(/^[ \t]*[^ \t]+[ \t]+REG_[A-Z_]+[ \t]*/, ""); print; exit }'
}
not() { ! "$@"; }
reg_key_exists() { e2e_wine reg query "$1" >/dev/null 2>&1; }
tessivo_running() { ps -u "$E2E_USER" -o args= | grep -qF "$win_install_dir\\tessivo.exe"; }

# --- the portable zip ------------------------------------------------------------
zip="$TESSIVO_BUILD/dist/tessivo-$version-portable.zip"
e2e_expect "the portable zip holds the program and its documents in one folder" \
  "$(unzip -Z1 "$zip" 2>&1 | LC_ALL=C sort | tr '\n' ' ')" \
  "tessivo-$version/ tessivo-$version/LICENSE.txt tessivo-$version/README.txt tessivo-$version/THIRD-PARTY-NOTICES.txt tessivo-$version/tessivo.exe "
crlf_text() { unzip -p "$zip" "tessivo-$version/$1" | awk '!/\r$/ { bad++ } END { exit bad > 0 || NR == 0 }'; }
e2e_check "its README.txt has Windows line ends throughout" crlf_text README.txt
notices_credit_ijg() {
  unzip -p "$zip" "tessivo-$version/THIRD-PARTY-NOTICES.txt" |
    grep -q "based in part on the work of the Independent JPEG Group"
}
e2e_check "its notices say the program is based in part on the IJG's work" notices_credit_ijg
notices_have_libwebp() {
  unzip -p "$zip" "tessivo-$version/THIRD-PARTY-NOTICES.txt" | grep -q "Copyright (c) 2010, Google Inc."
}
e2e_check "its notices carry libwebp's licence" notices_have_libwebp

# --- install -------------------------------------------------------------------
# Downloaded into the user's own folder, as from a browser.
download="$E2E_PREFIX/drive_c/users/$E2E_USER/Downloads/tessivo-$version-setup.exe"
e2e_as_user mkdir -p "${download%/*}"
e2e_as_user cp "$setup" "$download"

# A folder where the program should go, or a file where its folder should
# be: the silent installer fails, says why in its log, and leaves nothing
# that claims Tessivo is installed.
setup_log() { find "$E2E_PREFIX/drive_c/users/$E2E_USER" -name Tessivo-setup.log -print -quit 2>/dev/null; }
e2e_as_user mkdir -p "$install_dir/tessivo.exe"
for hostile in "tessivo.exe is a folder" "the install folder is a file"; do
  e2e_wine "$profile\\Downloads\\tessivo-$version-setup.exe" /S >>"$E2E_WORK/wine.log" 2>&1
  rc=$?
  e2e_check "$hostile: the silent installer fails (exit code $rc)" [ "$rc" -ne 0 ]
  e2e_check "$hostile: no uninstall entry" not reg_key_exists "$UNINSTALL_KEY"
  e2e_check "$hostile: no Start-menu shortcut" [ ! -e "$shortcut" ]
  e2e_check "$hostile: no Send-to shortcut" [ ! -e "$sendto" ]
  e2e_check "$hostile: no uninstaller left" [ ! -e "$install_dir/uninstall.exe" ]
  log=$(setup_log)
  e2e_check "$hostile: the reason is in the installer's log ($(cat "$log" 2>/dev/null | tr -d '\r'))" \
    grep -q "was not installed" "$log"
  e2e_as_user rm -rf "$install_dir" "$log"
  e2e_as_user touch "$install_dir"
done
e2e_as_user rm -f "$install_dir"

e2e_wine "$profile\\Downloads\\tessivo-$version-setup.exe" /S >>"$E2E_WORK/wine.log" 2>&1
e2e_expect "the silent installer succeeds" "$?" 0
e2e_check "the program is installed into %LOCALAPPDATA%\\Programs\\Tessivo" [ -f "$install_dir/tessivo.exe" ]
e2e_check "the installed program is the stripped release build" cmp -s "$install_dir/tessivo.exe" "$shipped"
for doc in README.txt LICENSE.txt THIRD-PARTY-NOTICES.txt uninstall.exe; do
  e2e_check "$doc is installed beside it" [ -f "$install_dir/$doc" ]
done
e2e_check "nothing went to Program Files" [ -z "$(ls -A "$E2E_PREFIX/drive_c/Program Files" | grep -i tessivo)" ]
e2e_check "a Start-menu shortcut is made" [ -f "$shortcut" ]
# The shortcut's argument (kept in UTF-16) is "/add", to which Explorer's
# "Send to" appends the chosen files.
e2e_check "an \"Add to Tessivo\" shortcut is in the Send-to menu, with /add" \
  grep -qaP '/\x00a\x00d\x00d\x00' "$sendto"
e2e_expect "Apps & features: DisplayName" "$(reg_value "$UNINSTALL_KEY" DisplayName)" Tessivo
e2e_expect "Apps & features: DisplayVersion" "$(reg_value "$UNINSTALL_KEY" DisplayVersion)" "$version"
e2e_expect "Apps & features: Publisher" "$(reg_value "$UNINSTALL_KEY" Publisher)" Quorvel
e2e_expect "Apps & features: InstallLocation" "$(reg_value "$UNINSTALL_KEY" InstallLocation)" "$win_install_dir"
e2e_expect "Apps & features: UninstallString" "$(reg_value "$UNINSTALL_KEY" UninstallString)" \
  "\"$win_install_dir\\uninstall.exe\""

# --- start from the Start menu -------------------------------------------------
# The user's options, read at start and written back at exit (a settings key
# that exists is taken as it is, so the window is asked for explicitly).
e2e_wine reg add 'HKCU\Software\Tessivo' /v interval /d 7 /f >/dev/null 2>&1
e2e_wine reg add 'HKCU\Software\Tessivo' /v startminimized /d 0 /f >/dev/null 2>&1
# A last list of two pictures, of which the run deletes one: the exit sequence
# that the uninstaller's close request runs keeps that edit.
pictures="$E2E_PREFIX/drive_c/users/$E2E_USER/Pictures"
e2e_as_user mkdir -p "$pictures"
for colour in red blue; do
  convert -size 16x16 xc:$colour BMP3:- | e2e_as_user tee "$pictures/$colour.bmp" >/dev/null
done
RED="$profile"'\Pictures\red.bmp' BLUE="$profile"'\Pictures\blue.bmp'
printf '2\r\n%s\r\n%s\r\n' "$RED" "$BLUE" | e2e_as_user tee "$install_dir/LastList.lst" >/dev/null
e2e_as_user "$TESSIVO_WINE" explorer.exe "/desktop=$E2E_DESKTOP,${E2E_WIDTH}x${E2E_HEIGHT}" start.exe "$win_shortcut" \
  </dev/null >>"$E2E_WORK/wine.log" 2>&1 &
E2E_LAUNCHER=$!
e2e_wait_window '^Quorvel$' 60 || e2e_abort "the main window did not appear after starting the shortcut"
e2e_check "the program runs from the installed folder" tessivo_running
e2e_wait_stable "$X" "$Y" "$W" "$H"
shot=$(e2e_screenshot started)
desk=$(e2e_pixel "$shot" 16 16)
inside_desk=$(e2e_count "$shot" "$X" "$Y" "$W" "$H" "$desk")
e2e_check "the window covers its place on the desktop (desktop-coloured pixels inside: $inside_desk)" \
  [ "$inside_desk" -lt $((W * H / 100)) ]

# The edit: the second name clicked, "-" deletes it. Then the About box,
# which carries the main window's caption, stays open.
e2e_press $((X + 346 + 30)) $((Y + 20 + 13 + 6))
e2e_press $(e2e_at 61 60)
sleep 1
e2e_press $(e2e_at 36 235)
sleep 1.5
e2e_screenshot about_open >/dev/null
e2e_check "the About box is open beside the main window" [ "$(e2e_find_window '^Quorvel$' | wc -l)" -ge 2 ]

# What a user's Tessivo leaves: autostart values (per user and for the
# machine), options and the last list, beside the program and per user.
e2e_wine reg add "HKCU\\$RUN_KEY" /v Tessivo /d "$win_install_dir\\tessivo.exe" /f >/dev/null 2>&1
e2e_wine reg add "HKLM\\$RUN_KEY" /v Tessivo /d "$win_install_dir\\tessivo.exe" /f >/dev/null 2>&1
e2e_wine reg add "HKCU\\$RUN_KEY" /v Other /d 'C:\other.exe' /f >/dev/null 2>&1
e2e_as_user mkdir -p "${appdata_list%/*}" && printf '0\r\n' | e2e_as_user tee "$appdata_list" >/dev/null
[ -n "$(reg_value "HKLM\\$RUN_KEY" Tessivo)" ] || e2e_abort "cannot prepare the machine's Run value"

# --- silent uninstall while the program runs -----------------------------------
# Started in the program's desktop, as on Windows where both share one. The
# uninstaller copies itself to the temporary folder and runs on from there
# ("_?=" on its command line); the test waits until neither runs.
e2e_as_user "$TESSIVO_WINE" explorer.exe "/desktop=$E2E_DESKTOP,${E2E_WIDTH}x${E2E_HEIGHT}" \
  "$win_install_dir\\uninstall.exe" /S </dev/null >>"$E2E_WORK/wine.log" 2>&1
e2e_expect "the silent uninstaller starts" "$?" 0
uninstaller_running() { ps -u "$E2E_USER" -o args= | grep -v 'explorer.exe' | grep -qF -e '_?=' -e '\uninstall.exe'; }
deadline=$(($(date +%s) + 60))
while uninstaller_running && [ "$(date +%s)" -lt "$deadline" ]; do sleep 0.2; done
e2e_check "the uninstaller ends by itself ($((60 - deadline + $(date +%s))) s)" not uninstaller_running
e2e_check "the running program was ended" not tessivo_running
e2e_check "its window is gone" e2e_wait_gone '^Quorvel$' 5
e2e_expect "only the kept last list is left in the program's folder" \
  "$(ls -A "$install_dir" 2>/dev/null | tr '\n' ' ')" "LastList.lst "
e2e_expect "the program ended through its exit sequence: the run's edit is in the list" \
  "$(tr -d '\r' <"$install_dir/LastList.lst" 2>/dev/null | tr '\n' ' ')" "1 $RED "
e2e_check "the Start-menu shortcut is removed" [ ! -e "$shortcut" ]
e2e_check "the Send-to shortcut is removed" [ ! -e "$sendto" ]
e2e_check "the uninstall entry is removed" not reg_key_exists "$UNINSTALL_KEY"
e2e_expect "the user's Run value is removed" "$(reg_value "HKCU\\$RUN_KEY" Tessivo)" ""
e2e_expect "the machine's Run value is removed" "$(reg_value "HKLM\\$RUN_KEY" Tessivo)" ""
e2e_expect "other programs' Run values stay" "$(reg_value "HKCU\\$RUN_KEY" Other)" 'C:\other.exe'
e2e_expect "the options are kept" "$(reg_value 'HKCU\Software\Tessivo' interval)" 7
e2e_check "the per-user last list is kept" [ -f "$appdata_list" ]

# --- uninstall by hand, answering yes: the options and lists go too ----------
e2e_wine "$profile\\Downloads\\tessivo-$version-setup.exe" /S >>"$E2E_WORK/wine.log" 2>&1
e2e_expect "installing again succeeds" "$?" 0
e2e_as_user "$TESSIVO_WINE" explorer.exe "/desktop=$E2E_DESKTOP,${E2E_WIDTH}x${E2E_HEIGHT}" \
  "$win_install_dir\\uninstall.exe" </dev/null >>"$E2E_WORK/wine.log" 2>&1 &
# When the desktop still exists, its launcher hands the program over and ends
# at once, so its end says nothing about the uninstaller: wait for the window.
E2E_LAUNCHER=
UNINSTALL_CAPTION='^Tessivo [0-9.]+ Uninstall *$' # NSIS ends it with a space
e2e_wait_window "$UNINSTALL_CAPTION" 30 || e2e_abort "the uninstaller's window did not appear"
e2e_key Return # "Uninstall", the default button
# The question comes as a message box with the uninstaller's caption.
question_shown() { [ "$(e2e_find_window "$UNINSTALL_CAPTION" | wc -l)" -ge 2 ]; }
deadline=$(($(date +%s) + 30))
until question_shown || [ "$(date +%s)" -ge "$deadline" ]; do sleep 0.2; done
e2e_check "the uninstaller asks about the options and the last list" question_shown
sleep "${E2E_SETTLE:-1}"
e2e_screenshot question >/dev/null
e2e_key y
# The question is the last step but one; then "Close" ends the uninstaller
# once its last page has finished (until then Return does nothing harmful).
deadline=$(($(date +%s) + 30))
until [ ! -e "$install_dir/uninstall.exe" ] || [ "$(date +%s)" -ge "$deadline" ]; do sleep 0.2; done
deadline=$(($(date +%s) + 30))
while uninstaller_running && [ "$(date +%s)" -lt "$deadline" ]; do
  e2e_key Return
  sleep 1
done
e2e_check "the uninstaller ends when closed" not uninstaller_running
e2e_check "the program's folder is removed, last list and all" [ ! -e "$install_dir" ]
e2e_check "the options are removed" not reg_key_exists 'HKCU\Software\Tessivo'
e2e_check "the per-user Tessivo folder is removed" [ ! -e "${appdata_list%/*}" ]

e2e_finish

# End-to-end harness: runs the real tessivo.exe under Wine the way a person
# would see it, and checks what a person or the system sees.
#
# Each test gets a private Xvfb (1024 x 768, 24 bit), a fresh Wine prefix
# (a copy of build/wineprefix-template) with the exe installed in
# C:\Program Files\Tessivo, and a Wine desktop "e2e-<test>" with a taskbar.
# Screen coordinates are desktop coordinates. Everything is torn down when the
# test ends; screenshots of a failed test are kept in
# build/e2e-artifacts/<test>/.
#
# A test script, run as `bash <script> <path of tessivo.exe>`:
#   source "$(dirname "$0")/lib.sh"
#   e2e_init "$1"
#   e2e_start
#   e2e_wait_window '^Quorvel$' || e2e_abort "no main window"
#   shot=$(e2e_screenshot start)
#   e2e_check "what is checked" [ "$(e2e_pixel "$shot" 10 10)" = F5F5F5 ]
#   e2e_finish
#
# Colours are upper-case RRGGBB hex strings throughout.
#
# Before e2e_start a test may prepare the machine: registry values through
# `e2e_wine reg add ...`, files under "$E2E_DRIVE_C" (C:\) or beside the
# program in "$E2E_INSTALL_DIR" (LastList.lst lives there, unless the
# program cannot write that folder: then in the user's %APPDATA%\Tessivo).
#
# A standard user: `e2e_init_standard_user [EXE]` instead of e2e_init. Run as
# root, Wine then runs as a throw-away unprivileged Unix user ($E2E_USER)
# whose prefix it owns, except that the Windows folder, Program Files and the
# program's folder are read-only to it: what a standard user meets on
# Windows. Run as any other user, Wine runs as that user with the same
# folders read-only. e2e_wine, e2e_start and `e2e_as_user COMMAND...` run as
# that user. Without EXE nothing is installed.
#
# E2E_KEEP=1 keeps the prefix and screenshots of a passing test too.

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/common.sh"
source "$TESSIVO_ROOT/scripts/lib/wine.sh"

E2E_TEST=$(basename "$0" .sh)
E2E_DESKTOP="e2e-$E2E_TEST"
E2E_WIDTH=1024
E2E_HEIGHT=768
E2E_PROGRAM='C:\Program Files\Tessivo\tessivo.exe'
E2E_FAILURES=0
E2E_CHECKS=0
E2E_WORK=
E2E_PREFIX=
E2E_DRIVE_C=
E2E_INSTALL_DIR=
E2E_LAUNCHER=
E2E_WATCHDOG=
E2E_USER=$(id -un)  # the Unix user Wine runs as
E2E_OWN_USER=0      # 1: E2E_USER was made for this test and goes with it
E2E_HOME=
E2E_WINE_HOME=$HOME # HOME for Wine: a standard user's is in the test's folder
TESSIVO_SCRIPT=$E2E_TEST

# e2e_init EXE: display, prefix, installed exe; cleans up on exit.
e2e_init() {
  [ -f "${1:-}" ] || e2e_abort "usage: bash $0 <path of tessivo.exe>"
  _e2e_init 0 "$1"
}

# e2e_init_standard_user [EXE]: the same for a standard user (see the top).
e2e_init_standard_user() { _e2e_init 1 "${1:-}"; }

_e2e_init() {
  local standard=$1 exe=$2
  trap _e2e_cleanup EXIT
  trap 'exit 130' INT TERM
  wine_prefix_ensure "$TESSIVO_TEMPLATE_PREFIX" || e2e_abort "the template Wine prefix is not ready"
  mkdir -p "$TESSIVO_BUILD/e2e-work"
  E2E_WORK=$(mktemp -d "$TESSIVO_BUILD/e2e-work/$E2E_TEST.XXXXXX")
  E2E_HOME="$E2E_WORK/home"
  mkdir "$E2E_HOME"
  E2E_PREFIX="$E2E_HOME/prefix"
  wine_prefix_clone "$TESSIVO_TEMPLATE_PREFIX" "$E2E_PREFIX" || e2e_abort "cannot copy the template prefix"
  E2E_DRIVE_C="$E2E_PREFIX/drive_c"
  E2E_INSTALL_DIR="$E2E_DRIVE_C/Program Files/Tessivo"
  if [ -n "$exe" ]; then
    mkdir -p "$E2E_INSTALL_DIR"
    cp "$exe" "$E2E_INSTALL_DIR/tessivo.exe"
  fi
  [ "$standard" = 0 ] || _e2e_standard_user
  xvfb_start "${E2E_WIDTH}x${E2E_HEIGHT}x24" || e2e_abort "no X display"
  # One Wine session for the whole test, ended by the clean-up (or after ten
  # idle minutes, should the clean-up never run).
  e2e_as_user wineserver -p 600 </dev/null >/dev/null 2>&1
  e2e_wine cmd.exe /c exit >/dev/null 2>&1
  _e2e_watchdog
  # The pointer rests in a corner of the desktop, away from any window.
  xdotool mousemove 0 0
}

# _e2e_standard_user: makes the cloned prefix a standard user's.
_e2e_standard_user() {
  local template_user link sep
  template_user=$(stat -c %U "$TESSIVO_TEMPLATE_PREFIX")
  E2E_WINE_HOME=$E2E_HOME
  # Debian's Wine notes its server's folder in the prefix; a new user needs its own.
  rm -f "$E2E_PREFIX/wineserver"
  # The profile's Desktop, Documents, Downloads... link to the Unix home of the
  # template's owner: here they become folders of the prefix.
  while IFS= read -r -d '' link; do
    rm -f "$link" && mkdir "$link"
  done < <(find "$E2E_PREFIX/drive_c/users/$template_user" -maxdepth 1 -type l -print0)
  if [ "$(id -u)" = 0 ]; then
    E2E_USER="tessivo-$$"
    useradd --no-create-home --home-dir "$E2E_HOME" --shell /usr/sbin/nologin "$E2E_USER" ||
      e2e_abort "cannot create the user $E2E_USER"
    E2E_OWN_USER=1
    # The profile in the prefix becomes the new user's. The clone's private
    # files and its folders become the user's; Wine's own DLLs and programs
    # (hard links into the template) stay read-only to it.
    if [ "$template_user" != "$E2E_USER" ] && [ -d "$E2E_PREFIX/drive_c/users/$template_user" ]; then
      mv "$E2E_PREFIX/drive_c/users/$template_user" "$E2E_PREFIX/drive_c/users/$E2E_USER"
      # user.reg spells C:\users\NAME as C:\\users\\NAME.
      sep='\\\\' # those two backslashes, as a sed pattern and replacement
      sed -i "s/${sep}users${sep}$template_user/${sep}users${sep}$E2E_USER/g" "$E2E_PREFIX/user.reg"
    fi
    chmod 755 "$E2E_WORK"
    find "$E2E_HOME" \( -type d -o -links 1 \) -exec chown -h "$E2E_USER:" {} +
  fi
  # A standard user may not write the Windows folder, Program Files or an
  # installed program's folder.
  chmod a-w "$E2E_DRIVE_C/windows" "$E2E_DRIVE_C/Program Files" "$E2E_DRIVE_C/Program Files (x86)" \
    2>/dev/null
  [ ! -d "$E2E_INSTALL_DIR" ] || chmod a-w "$E2E_INSTALL_DIR"
}

# A test killed outright (SIGKILL, a runner's time-out) runs no clean-up: a
# detached watcher then ends its Wine session, X server and user and removes
# its work folder, once the test's shell is gone.
_e2e_watchdog() {
  setsid bash -c '
    while kill -0 "$1" 2>/dev/null; do sleep 2; done
    if [ "$5" = 1 ]; then runuser -u "$4" -- env WINEPREFIX="$2" wineserver -k; sleep 3; userdel "$4"
    else WINEPREFIX="$2" wineserver -k; fi
    kill "$3"
    find "$6" -type d ! -perm -u+w -exec chmod u+w {} +; rm -rf "$6"' e2e-watchdog "$$" "$E2E_PREFIX" "$TESSIVO_XVFB_PID" "$E2E_USER" \
    "$E2E_OWN_USER" "$E2E_WORK" </dev/null >/dev/null 2>&1 &
  E2E_WATCHDOG=$!
}

# e2e_as_user COMMAND...: a command as the user Wine runs as, in the test's
# prefix and home.
e2e_as_user() {
  local -a env=(env DISPLAY="${DISPLAY:-}" HOME="$E2E_WINE_HOME" USER="$E2E_USER" LOGNAME="$E2E_USER"
                WINEPREFIX="$E2E_PREFIX" WINEDEBUG="$WINEDEBUG" WINEDLLOVERRIDES="$WINEDLLOVERRIDES")
  if [ "$E2E_OWN_USER" = 1 ]; then
    (cd "$E2E_HOME" && runuser -u "$E2E_USER" -- "${env[@]}" "$@")
  else
    "${env[@]}" "$@"
  fi
}

# e2e_wine COMMAND...: a Wine command line in the test's prefix, as its user.
e2e_wine() { e2e_as_user "$TESSIVO_WINE" "$@" </dev/null; }

# e2e_start [PROGRAM]: starts the program (default: the installed exe) in the
# test's Wine desktop, with a taskbar and notification area. Returns at once.
e2e_start() {
  local program=${1:-$E2E_PROGRAM}
  e2e_wine reg add "HKCU\\Software\\Wine\\Explorer\\Desktops\\$E2E_DESKTOP" /v EnableShell /t REG_DWORD /d 1 /f \
    >/dev/null 2>&1 || e2e_abort "cannot configure the Wine desktop"
  e2e_as_user "$TESSIVO_WINE" explorer.exe "/desktop=$E2E_DESKTOP,${E2E_WIDTH}x${E2E_HEIGHT}" \
    "$program" </dev/null >>"$E2E_WORK/wine.log" 2>&1 &
  E2E_LAUNCHER=$!
}

# e2e_running: the Wine desktop started by e2e_start is still up. It closes
# when the last program in it has ended.
e2e_running() { [ -n "$E2E_LAUNCHER" ] && kill -0 "$E2E_LAUNCHER" 2>/dev/null; }

# e2e_wait_exit [SECONDS]: waits until the program has ended (its desktop
# closes with it), e.g. after a click on "Exit".
e2e_wait_exit() {
  local seconds=${1:-15} deadline
  deadline=$(($(date +%s) + seconds))
  while e2e_running; do
    [ "$(date +%s)" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# e2e_copies: how many processes of the installed program run in this test's
# prefix (other tests' copies, and the desktop's launcher, whose command line
# names the program too, aside).
e2e_copies() {
  local n=0 pid
  for pid in $(pgrep -u "$E2E_USER" -f 'Tessivo\\tessivo\.exe'); do
    ps -o args= -p "$pid" | grep -q explorer && continue
    { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$E2E_PREFIX" && n=$((n + 1))
  done
  echo "$n"
}

# e2e_wait_copies N SECONDS: until exactly N copies run.
e2e_wait_copies() {
  local deadline=$(($(date +%s) + $2))
  until [ "$(e2e_copies)" = "$1" ]; do
    [ "$(date +%s)" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}

# e2e_start_again [ARGS...]: the program started again in the running
# desktop, as a shortcut or a script would, in the background.
e2e_start_again() {
  e2e_as_user "$TESSIVO_WINE" explorer.exe "/desktop=$E2E_DESKTOP,${E2E_WIDTH}x${E2E_HEIGHT}" \
    "$E2E_PROGRAM" "$@" </dev/null >>"$E2E_WORK/wine.log" 2>&1 &
}

# e2e_find_window REGEX: ids of the visible windows whose caption matches.
e2e_find_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null; }
# e2e_no_error_box: no message box of the program is open. A box carries the
# application's title; so does the taskbar button's owner window, which has
# no size: only a window with a size is a box.
e2e_no_error_box() {
  local id
  for id in $(e2e_find_window '^Tessivo$'); do
    xdotool getwindowgeometry "$id" 2>/dev/null | grep -qE 'Geometry: [0-9]{2,}x[0-9]{2,}' && return 1
  done
  return 0
}

# e2e_wait_window REGEX [SECONDS]: waits until a visible window with a
# matching caption exists, then a moment more for its first paint. Fails early
# when the program's desktop has closed (the program ended).
e2e_wait_window() {
  local regex=$1 seconds=${2:-30} deadline
  deadline=$(($(date +%s) + seconds))
  while [ "$(date +%s)" -lt "$deadline" ]; do
    if [ -n "$(e2e_find_window "$regex")" ]; then
      sleep "${E2E_SETTLE:-1}"
      return 0
    fi
    if [ -n "$E2E_LAUNCHER" ] && ! e2e_running; then
      note "the program ended before a window '$regex' appeared"
      return 1
    fi
    sleep 0.1
  done
  note "no window '$regex' after $seconds s"
  return 1
}

# e2e_wait_gone REGEX [SECONDS]: waits until no visible window matches.
e2e_wait_gone() {
  local regex=$1 seconds=${2:-15} deadline
  deadline=$(($(date +%s) + seconds))
  while [ "$(date +%s)" -lt "$deadline" ]; do
    [ -z "$(e2e_find_window "$regex")" ] && return 0
    sleep 0.1
  done
  return 1
}

# e2e_screenshot NAME: saves the whole desktop as NAME.png in the test's work
# folder and prints the file's path.
e2e_screenshot() {
  local file="$E2E_WORK/$1.png"
  import -window root "$file" || e2e_abort "screenshot failed"
  echo "$file"
}

# e2e_wait_stable X Y W H [SECONDS]: waits until the rectangle looks the
# same in two screenshots half a second apart (painting has finished).
e2e_wait_stable() {
  local x=$1 y=$2 w=$3 h=$4 seconds=${5:-10} deadline before after
  deadline=$(($(date +%s) + seconds))
  before=$(import -window root -crop "${w}x${h}+${x}+${y}" -depth 8 rgb:- | md5sum)
  while [ "$(date +%s)" -lt "$deadline" ]; do
    sleep 0.5
    after=$(import -window root -crop "${w}x${h}+${x}+${y}" -depth 8 rgb:- | md5sum)
    [ "$after" = "$before" ] && return 0
    before=$after
  done
  note "the screen kept changing at ${w}x${h}+${x}+${y}"
  return 1
}

# e2e_region SHOT X Y W H: one line "x y RRGGBB" per pixel of the rectangle,
# row by row, in desktop coordinates.
e2e_region() {
  local shot=$1 x=$2 y=$3 w=$4 h=$5
  convert "$shot" -crop "${w}x${h}+${x}+${y}" +repage -depth 8 rgb:- |
    od -An -v -tx1 -w3 |
    awk -v x0="$x" -v y0="$y" -v w="$w" \
      '{ i = NR - 1; printf "%d %d %s\n", x0 + i % w, y0 + int(i / w), toupper($1 $2 $3) }'
}

# e2e_quarters WIDTH HEIGHT OUTPUT...: a picture of four quarters (red,
# green / blue, yellow) with a magenta square a quarter of the shorter side
# in the middle; OUTPUT is the rest of convert's arguments.
e2e_quarters() {
  local w=$1 h=$2 s=$(($1 < $2 ? $1 / 4 : $2 / 4))
  shift 2
  convert -size "$((w / 2))x$((h / 2))" xc:'#DC1414' xc:'#14DC14' +append \
    \( -size "$((w / 2))x$((h / 2))" xc:'#1414DC' xc:'#DCDC14' +append \) -append \
    -fill '#DC14DC' -draw "rectangle $(((w - s) / 2)),$(((h - s) / 2)) $(((w + s) / 2 - 1)),$(((h + s) / 2 - 1))" \
    "$@"
}

# e2e_red_blue_list: a red and a blue 64 x 48 BMP in C:\pictures, named by
# RED and BLUE, as the last list of the program under test.
e2e_red_blue_list() {
  local pictures="$E2E_DRIVE_C/pictures"
  mkdir -p "$pictures"
  convert -size 64x48 xc:'rgb(220,20,20)' BMP3:"$pictures/red.bmp"
  convert -size 64x48 xc:'rgb(20,20,220)' BMP3:"$pictures/blue.bmp"
  RED='C:\pictures\red.bmp' BLUE='C:\pictures\blue.bmp'
  printf '2\r\n%s\r\n%s\r\n' "$RED" "$BLUE" >"$E2E_INSTALL_DIR/LastList.lst"
}

# e2e_preview_share SHOT FAMILY: the percentage of the main window's preview
# box (the window centred on the desktop) in a colour family: b(lue) or r(ed).
e2e_preview_share() {
  e2e_region "$1" $((232 + 122)) $((230 + 20)) 218 162 |
    awk -v want="$2" '
    function hex(s,   i, n) { n = 0; for (i = 1; i <= length(s); i++) n = n * 16 + index("0123456789ABCDEF", substr(s, i, 1)) - 1; return n }
    {
      r = hex(substr($3, 1, 2)); b = hex(substr($3, 5, 2))
      if (want == "b" && b > 180 && r < 80) n++
      if (want == "r" && r > 180 && b < 80) n++
    } END { print int(100 * n / NR) }'
}

# e2e_pixel SHOT X Y: the colour of one pixel.
e2e_pixel() { e2e_region "$1" "$2" "$3" 1 1 | awk '{ print $3 }'; }

# e2e_count SHOT X Y W H COLOUR: how many pixels of the rectangle have COLOUR.
e2e_count() {
  e2e_region "$1" "$2" "$3" "$4" "$5" | awk -v c="$6" '$3 == c { n++ } END { print n + 0 }'
}

# e2e_count_other SHOT X Y W H COLOUR: how many pixels do not have COLOUR.
e2e_count_other() {
  e2e_region "$1" "$2" "$3" "$4" "$5" | awk -v c="$6" '$3 != c { n++ } END { print n + 0 }'
}

# e2e_sys_color NAME: a system colour of the prefix (HKCU\Control Panel\Colors,
# e.g. ButtonFace), as RRGGBB.
e2e_sys_color() {
  e2e_reg_query 'HKCU\Control Panel\Colors' "$1" | awk '{ printf "%02X%02X%02X\n", $1, $2, $3 }'
}

# e2e_reg_query KEY VALUE: the data of a registry value (empty when missing).
e2e_reg_query() {
  e2e_wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    awk -v v="$2" '$1 == v && $2 ~ /^REG_/ { sub(/^[ \t]*[^ \t]+[ \t]+REG_[A-Z_]+[ \t]*/, ""); print; exit }'
}

# Input, as a person gives it.
e2e_click() { xdotool mousemove "$1" "$2" click "${3:-1}"; }
e2e_double_click() { xdotool mousemove "$1" "$2" click --repeat 2 --delay 80 "${3:-1}"; }
e2e_type() { xdotool type --delay 20 "$1"; }
e2e_key() { xdotool key "$@"; }

# e2e_check DESCRIPTION COMMAND...: runs COMMAND; a non-zero status is a
# failed check. The test goes on, so one run reports every failed check.
e2e_check() {
  local what=$1; shift
  E2E_CHECKS=$((E2E_CHECKS + 1))
  if "$@"; then
    echo "ok: $what"
  else
    E2E_FAILURES=$((E2E_FAILURES + 1))
    echo "FAILED: $what"
  fi
}

# e2e_expect DESCRIPTION ACTUAL EXPECTED: a check that two values are equal.
e2e_expect() {
  if [ "$2" = "$3" ]; then
    e2e_check "$1" true
  else
    e2e_check "$1 (got '$2', expected '$3')" false
  fi
}

# e2e_abort MESSAGE: the test cannot go on; fails it at once.
e2e_abort() {
  echo "FAILED: $*"
  E2E_FAILURES=$((E2E_FAILURES + 1))
  [ -z "$E2E_WORK" ] || [ -z "${DISPLAY:-}" ] || import -window root "$E2E_WORK/at-abort.png" 2>/dev/null
  exit 1
}

# e2e_finish: ends the test with its verdict.
e2e_finish() {
  if [ "$E2E_FAILURES" -gt 0 ]; then
    echo "$E2E_TEST: $E2E_FAILURES of $E2E_CHECKS checks failed"
    exit 1
  fi
  echo "$E2E_TEST: all $E2E_CHECKS checks passed"
  exit 0
}

_e2e_cleanup() {
  local status=$?
  [ -z "$E2E_WATCHDOG" ] || kill "$E2E_WATCHDOG" 2>/dev/null
  if [ -n "$E2E_PREFIX" ] && [ -d "$E2E_PREFIX" ]; then
    e2e_as_user wineserver -k 2>/dev/null
    [ -z "$E2E_LAUNCHER" ] || wait "$E2E_LAUNCHER" 2>/dev/null
  fi
  xvfb_stop
  if [ "$E2E_OWN_USER" = 1 ]; then
    local deadline=$(($(date +%s) + 15))
    while pgrep -u "$E2E_USER" >/dev/null && [ "$(date +%s)" -lt "$deadline" ]; do sleep 0.2; done
    userdel "$E2E_USER" 2>/dev/null
  fi
  [ -n "$E2E_WORK" ] || return
  if [ "$status" -ne 0 ] || [ "$E2E_FAILURES" -gt 0 ] || [ "${E2E_KEEP:-0}" = 1 ]; then
    local keep="$TESSIVO_BUILD/e2e-artifacts/$E2E_TEST"
    rm -rf "$keep" && mkdir -p "$keep"
    cp "$E2E_WORK"/*.png "$E2E_WORK"/*.log "$keep/" 2>/dev/null
    echo "screenshots and Wine's log: ${keep#"$TESSIVO_ROOT"/}"
  fi
  if [ "${E2E_KEEP:-0}" = 1 ]; then
    echo "prefix kept: $E2E_PREFIX"
  else
    # Folders made read-only for a standard user would stop the removal.
    find "$E2E_WORK" -type d ! -perm -u+w -exec chmod u+w {} + 2>/dev/null
    rm -rf "$E2E_WORK"
  fi
}

# --- Helpers the tests share -----------------------------------------------

# e2e_at X Y: a point of the main window (centred on the 1024 x 768 desktop,
# so its top-left corner is at 232, 230) as a desktop point.
e2e_at() { echo $((232 + $1)) $((230 + $2)); }

# e2e_press X Y: a click, then the pointer back to the corner so that no hint
# covers what is checked next.
e2e_press() {
  e2e_click "$@"
  sleep 0.2
  xdotool mousemove 0 0
}

# e2e_family SHOT X Y: the colour family of a pixel: r(ed), g(reen), b(lue)
# or o(ther).
e2e_family() {
  e2e_pixel "$1" "$2" "$3" | awk '
    function hex(s,   i, n) { n = 0; for (i = 1; i <= length(s); i++) n = n * 16 + index("0123456789ABCDEF", substr(s, i, 1)) - 1; return n }
    { r = hex(substr($1, 1, 2)); g = hex(substr($1, 3, 2)); b = hex(substr($1, 5, 2))
      if (r > 150 && g < 90 && b < 90) print "r"; else if (b > 150 && r < 90 && g < 90) print "b";
      else if (g > 150 && r < 90 && b < 90) print "g"; else print "o" }'
}

# e2e_wait_wallpaper PATH [SECONDS]: waits (30 s unless told) until the
# desktop's "Wallpaper" value names PATH.
e2e_wait_wallpaper() {
  local deadline=$(($(date +%s) + ${2:-30}))
  while [ "$(date +%s)" -lt "$deadline" ]; do
    [ "$(e2e_reg_query 'HKCU\Control Panel\Desktop' Wallpaper)" = "$1" ] && return 0
    sleep 0.3
  done
  return 1
}

# e2e_near SHOT X Y RRGGBB: the pixel is within 40 of the colour in each
# channel (JPEG and scaling blur a little, never this much).
e2e_near() {
  awk -v a="$(e2e_pixel "$1" "$2" "$3")" -v b="$4" '
    function c(s, i) { return (index("0123456789ABCDEF", substr(s, i, 1)) - 1) * 16 + index("0123456789ABCDEF", substr(s, i + 1, 1)) - 1 }
    BEGIN { for (i = 1; i <= 5; i += 2) { d = c(a, i) - c(b, i); if (d > 40 || d < -40) exit 1 } }'
}

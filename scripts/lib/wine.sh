# Wine for the project's scripts and tests: prefixes that look like the
# program expects, a private X display, and a warm wineserver.
# Source it after common.sh; it defines functions and runs nothing.

# Bump when the prefix set-up below changes, so existing prefixes are redone.
TESSIVO_PREFIX_RECIPE=3

TESSIVO_TEMPLATE_PREFIX="$TESSIVO_BUILD/wineprefix-template"
# The prefix unit tests run in; a relative TESSIVO_TEST_PREFIX is taken from
# the repository root, so CTest (which runs in the build folder) agrees.
TESSIVO_TEST_PREFIX=${TESSIVO_TEST_PREFIX:-$TESSIVO_BUILD/wineprefix-test}
[[ $TESSIVO_TEST_PREFIX = /* ]] || TESSIVO_TEST_PREFIX="$TESSIVO_ROOT/$TESSIVO_TEST_PREFIX"

# The 64-bit loader. Debian's `wine` wrapper wants wine32 and complains
# without it; the 64-bit loader runs our 64-bit programs directly.
if command -v wine64 >/dev/null 2>&1; then
  TESSIVO_WINE=$(command -v wine64)
elif [ -x /usr/lib/wine/wine64 ]; then
  TESSIVO_WINE=/usr/lib/wine/wine64
else
  TESSIVO_WINE=wine
fi
export WINELOADER=${WINELOADER:-$TESSIVO_WINE}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer prompts in a fresh prefix.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# wine_in PREFIX COMMAND...: runs a Wine command line in PREFIX.
wine_in() {
  local prefix=$1; shift
  WINEPREFIX="$prefix" "$TESSIVO_WINE" "$@"
}

# wineserver_in PREFIX ARGS...: talks to the wineserver of PREFIX.
wineserver_in() {
  local prefix=$1; shift
  WINEPREFIX="$prefix" wineserver "$@"
}

wine_prefix_stamp() {
  echo "recipe $TESSIVO_PREFIX_RECIPE, $("$TESSIVO_WINE" --version 2>/dev/null)"
}

# wine_prefix_ready PREFIX: the prefix was fully set up by this recipe and
# this Wine version.
wine_prefix_ready() {
  [ -f "$1/system.reg" ] && [ -f "$1/user.reg" ] && [ -f "$1/.tessivo-ready" ] &&
    [ "$(cat "$1/.tessivo-ready")" = "$(wine_prefix_stamp)" ]
}

# The small Windows program that tells which faces a prefix really resolves.
wine_fontcheck_exe() {
  local src="$TESSIVO_ROOT/scripts/lib/fontcheck.c" exe="$TESSIVO_BUILD/tools/fontcheck.exe"
  if [ ! -f "$exe" ] || [ "$src" -nt "$exe" ]; then
    mkdir -p "${exe%/*}"
    x86_64-w64-mingw32-gcc-posix -O2 -Wall -Wextra -o "$exe" "$src" -lgdi32 >&2 || return 1
  fi
  echo "$exe"
}

# _wine_prefix_prepare PREFIX: creates PREFIX (or brings it up to date) and
# gives it the fonts the program's layout is measured with.
_wine_prefix_prepare() {
  local prefix=$1 fontcheck
  fontcheck=$(wine_fontcheck_exe) || return 1
  note "preparing Wine prefix ${prefix#"$TESSIVO_ROOT"/}"
  mkdir -p "$prefix"
  if [ -f "$prefix/system.reg" ]; then
    wine_in "$prefix" wineboot -u >/dev/null 2>&1 || return 1
  else
    wine_in "$prefix" wineboot -i >/dev/null 2>&1 || return 1
  fi
  # Debian's Wine does not look in its own font folder: without these copies
  # "MS Sans Serif" and "Tahoma" fall back to another face. Faces Wine does not
  # ship get free look-alikes.
  mkdir -p "$prefix/drive_c/windows/Fonts"
  cp -u /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
  wine_in "$prefix" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' \
    /d 'Liberation Serif' /f >/dev/null 2>&1 || return 1
  wine_in "$prefix" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Arial' \
    /d 'Liberation Sans' /f >/dev/null 2>&1 || return 1
  # File names are shown in "MS Shell Dlg", which Wine maps to its Tahoma:
  # unlike Windows' it has no Greek, and the fonts Windows links it to for
  # Chinese, Japanese and Korean are not there. Link it, as Windows does, to a
  # font that has them (scripts/setup installs it).
  local face
  for face in Tahoma 'Tahoma Bold'; do
    wine_in "$prefix" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1 || return 1
  done
  if ! wine_in "$prefix" "$fontcheck" >"$prefix/fontcheck.log" 2>&1 </dev/null; then
    cat "$prefix/fontcheck.log" >&2
    note "error: the prefix does not resolve the program's fonts"
    return 1
  fi
  wine_prefix_stamp >"$prefix/.tessivo-ready"
}

# wine_prefix_clone SOURCE DEST: a new prefix from a ready one, in well under a
# second. The prefix is mostly Wine's DLLs and programs (~700 MB), which Wine
# only reads: those are hard links; every other file is a private copy, so
# nothing written in DEST shows up in SOURCE.
wine_prefix_clone() {
  local src=$1 dst=$2
  local tmp="$dst.partial-$$"
  rm -rf "$tmp"
  cp -al "$src" "$tmp" || return 1
  find "$tmp" -type f -links +1 ! \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.drv' \
    -o -iname '*.sys' -o -iname '*.ocx' -o -iname '*.cpl' -o -iname '*.acm' -o -iname '*.ax' \
    -o -iname '*.ds' -o -iname '*.tlb' -o -iname '*.nls' -o -iname '*.fon' -o -iname '*.ttf' \
    -o -iname '*.com' -o -iname '*.msstyles' \) -print0 |
    while IFS= read -r -d '' f; do
      cp -p "$f" "$f.own" && mv -f "$f.own" "$f"
    done
  mv -T "$tmp" "$dst"
}

# wine_prefix_ensure PREFIX [TEMPLATE]: makes PREFIX ready unless it is. A
# missing PREFIX is cloned from TEMPLATE when one is given (and made ready
# first); otherwise it is set up in place. Never deletes an existing prefix:
# a user's prefix holds their settings. Safe to call from parallel processes.
wine_prefix_ensure() {
  local prefix=$1 template=${2:-}
  wine_prefix_ready "$prefix" && return 0
  if [ -n "$template" ]; then
    wine_prefix_ensure "$template" || return 1
  fi
  mkdir -p "${prefix%/*}"
  (
    exec 9>"$prefix.lock"
    flock 9
    wine_prefix_ready "$prefix" && exit 0
    if [ -n "$template" ] && [ ! -e "$prefix" ]; then
      wine_prefix_clone "$template" "$prefix"
    else
      _wine_prefix_prepare "$prefix" || exit 1
      # Wine writes the registry files when its server ends; wait for that,
      # so that a copy of this prefix is complete.
      wineserver_in "$prefix" -w
    fi
  )
}

# wine_test_prefix_ensure: the prefix that unit tests run in (scripts/wine-exec).
# Its programs open their windows in a Wine virtual desktop: without a window
# manager, hiding or destroying a real X window costs Wine a 2 s wait for the
# window to be withdrawn, which made the Windows tests ten times slower.
wine_test_prefix_ensure() {
  wine_prefix_ensure "$TESSIVO_TEST_PREFIX" "$TESSIVO_TEMPLATE_PREFIX" || return 1
  local stamp="$TESSIVO_TEST_PREFIX/.tessivo-virtual-desktop"
  [ -f "$stamp" ] && return 0
  wine_in "$TESSIVO_TEST_PREFIX" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f \
    </dev/null >/dev/null 2>&1 || return 1
  wine_in "$TESSIVO_TEST_PREFIX" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f \
    </dev/null >/dev/null 2>&1 || return 1
  # The setting takes effect for the next Wine session of the prefix.
  wineserver_in "$TESSIVO_TEST_PREFIX" -k </dev/null >/dev/null 2>&1
  wineserver_in "$TESSIVO_TEST_PREFIX" -w </dev/null >/dev/null 2>&1
  touch "$stamp"
}

# wine_desktop_enable_shell PREFIX NAME: Wine's virtual desktop NAME gets a
# taskbar with the notification area (off by default for any name but
# "shell"), so a tray icon can be seen and clicked.
wine_desktop_enable_shell() {
  wine_in "$1" reg add "HKCU\\Software\\Wine\\Explorer\\Desktops\\$2" /v EnableShell \
    /t REG_DWORD /d 1 /f >/dev/null 2>&1
}

# wineserver_pid PREFIX: the process id of the wineserver serving PREFIX, if
# one runs. A wineserver works in a folder named after the prefix's device
# and inode, which tells servers of different prefixes apart.
wineserver_pid() {
  [ -d "$1" ] || return 1
  local tag pid dev ino
  read -r dev ino < <(stat -L -c '%d %i' "$1")
  tag=$(printf 'server-%x-%x' "$dev" "$ino")
  for pid in $(pgrep -x wineserver64; pgrep -x wineserver); do
    case "$(readlink "/proc/$pid/cwd" 2>/dev/null)" in
      */"$tag") echo "$pid"; return 0 ;;
    esac
  done
  return 1
}

# wineserver_warm PREFIX: keeps a wineserver running for PREFIX so that each
# test program starts in a fraction of a second. Remembers whether this
# process started it: wineserver_stop ends only a server we started, never one
# that someone else's programs are using.
TESSIVO_OWNED_SERVERS=()
wineserver_warm() {
  wineserver_pid "$1" >/dev/null && return 0
  wineserver_in "$1" -p "${TESSIVO_WINESERVER_LINGER:-900}" </dev/null >/dev/null 2>&1 || return 1
  TESSIVO_OWNED_SERVERS+=("$1")
  wine_session_start "$1"
}

# wine_session_start PREFIX: starts Wine's background services of PREFIX
# (services.exe, winedevice.exe, ...) detached from our output. The first
# Wine program of a session starts them, and they inherit its standard
# output: under CTest or in a pipeline they would hold the pipe open and the
# reader would wait for them until the session ends.
wine_session_start() {
  wine_in "$1" cmd.exe /c exit </dev/null >/dev/null 2>&1
}

# wineserver_stop PREFIX: ends the server of PREFIX and every Wine process in
# it, if this process started that server.
wineserver_stop() {
  local p
  for p in "${TESSIVO_OWNED_SERVERS[@]}"; do
    [ "$p" = "$1" ] && { wineserver_in "$1" -k 2>/dev/null; return 0; }
  done
  return 0
}

# xvfb_start [WIDTHxHEIGHTxDEPTH]: starts a private X server on the first free
# display from :91 up (TESSIVO_DISPLAY_BASE) and exports DISPLAY.
# TESSIVO_XVFB_PID holds its process id for xvfb_stop.
xvfb_start() {
  local screen=${1:-1024x768x24} n ready pid
  local base=${TESSIVO_DISPLAY_BASE:-91}
  ready=$(mktemp)
  for ((n = base; n < base + 200; n++)); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    : >"$ready"
    # -displayfd reports the display once the server really serves it; a
    # server that lost a race for the number exits instead.
    Xvfb ":$n" -screen 0 "$screen" -nolisten tcp -displayfd 3 3>"$ready" >/dev/null 2>&1 &
    pid=$!
    while kill -0 "$pid" 2>/dev/null && [ ! -s "$ready" ]; do sleep 0.05; done
    if [ -s "$ready" ]; then
      rm -f "$ready"
      export DISPLAY=":$n"
      TESSIVO_XVFB_PID=$pid
      return 0
    fi
    wait "$pid" 2>/dev/null
  done
  rm -f "$ready"
  note "error: no free X display for Xvfb"
  return 1
}

xvfb_stop() {
  [ -n "${TESSIVO_XVFB_PID:-}" ] || return 0
  kill "$TESSIVO_XVFB_PID" 2>/dev/null && wait "$TESSIVO_XVFB_PID" 2>/dev/null
  TESSIVO_XVFB_PID=
  return 0
}

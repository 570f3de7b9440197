# Shared by the project's scripts: where things are, messages, build helpers.
# Source it; it defines functions and variables and runs nothing else.

TESSIVO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
TESSIVO_BUILD="$TESSIVO_ROOT/build"
TESSIVO_JOBS=${TESSIVO_JOBS:-$(nproc)}

# Messages go to stderr so that a caller can still capture a function's output.
note() { printf '%s: %s\n' "${TESSIVO_SCRIPT:-tessivo}" "$*" >&2; }
die() { note "error: $*"; exit 1; }

# Seconds since the epoch with fractions, and a duration in seconds since one.
now() { date +%s.%N; }
seconds_since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.1f", b - a }'; }

# configure_build NAME CMAKE-ARGS...: configures build/NAME with Ninja unless it
# is already configured with exactly these arguments. Ninja re-runs CMake by
# itself when a CMakeLists.txt changes, so only a change of the arguments (or a
# missing build.ninja) needs a fresh configure here.
configure_build() {
  local dir="$TESSIVO_BUILD/$1"; shift
  local args_file="$dir/.configure-args"
  local wanted; wanted=$(printf '%s\n' "$@")
  if [ -f "$dir/build.ninja" ] && [ -f "$args_file" ] && [ "$(cat "$args_file")" = "$wanted" ]; then
    return 0
  fi
  note "configuring build/${dir##*/}"
  mkdir -p "$dir"
  cmake -S "$TESSIVO_ROOT" -B "$dir" -G Ninja "$@" >"$dir/configure.log" 2>&1 || {
    cat "$dir/configure.log" >&2
    return 1
  }
  printf '%s\n' "$wanted" >"$args_file"
}

# build_dir NAME: builds everything in build/NAME; prints only when there is
# something to build or a failure.
build_dir() {
  local dir="$TESSIVO_BUILD/$1"
  local log="$dir/build.log"
  if ! ninja -C "$dir" -j"$TESSIVO_JOBS" >"$log" 2>&1; then
    cat "$log" >&2
    note "build/$1 failed"
    return 1
  fi
  if ! grep -q '^ninja: no work to do' "$log"; then
    note "built build/$1 ($(grep -c '^\[' "$log") steps)"
  fi
}


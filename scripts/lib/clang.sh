# Which clang the fuzz build uses, and what it lacks. The machine's own clang
# is preferred; without one, the newest the archive offers.
# Source it; it defines functions only.

# clang_version_of TEXT: the major version in the first line of
# `clang --version` output ("Debian clang version 14.0.6" gives 14).
clang_version_of() {
  sed -nE '1s/.*clang version ([0-9]+).*/\1/p' <<<"$1"
}

# clang_compilers: the C and C++ compiler commands of the clang on PATH,
# "clang clang++" or else the newest "clang-N clang++-N"; nothing when there
# is no clang.
clang_compilers() {
  if command -v clang >/dev/null 2>&1 && command -v clang++ >/dev/null 2>&1; then
    echo "clang clang++"
    return 0
  fi
  local n
  for n in $(compgen -c clang++- | sed -nE 's/^clang\+\+-([0-9]+)$/\1/p' | sort -rn); do
    command -v "clang-$n" >/dev/null 2>&1 && { echo "clang-$n clang++-$n"; return 0; }
  done
  return 0
}

# clang_installed_version: the major version of the clang of clang_compilers.
clang_installed_version() {
  local cc cxx
  read -r cc cxx < <(clang_compilers) || return 0
  clang_version_of "$("$cc" --version 2>/dev/null)"
}

# clang_has_fuzzer_runtime CC: CC finds libFuzzer's runtime library (a
# separate package on Debian since clang 14).
clang_has_fuzzer_runtime() {
  local cc=$1 arch name path
  arch=$(uname -m)
  for name in "libclang_rt.fuzzer-$arch.a" "libclang_rt.fuzzer.a"; do
    path=$("$cc" -print-file-name="$name" 2>/dev/null)
    [ -f "$path" ] && return 0
  done
  for path in "$("$cc" -print-resource-dir 2>/dev/null)"/lib/*/libclang_rt.fuzzer*.a; do
    [ -f "$path" ] && return 0
  done
  return 1
}

# clang_newest_in_names: reads package names, one a line, and prints the
# newest N for which clang-N is among them, preferring an N whose runtime
# package libclang-rt-N-dev is there too. Prints nothing without any clang-N.
clang_newest_in_names() {
  awk '
    /^clang-[0-9]+$/ { n = substr($0, 7) + 0; compiler[n] = 1 }
    /^libclang-rt-[0-9]+-dev$/ { n = substr($0, 13) + 0; runtime[n] = 1 }
    END {
      best = 0; any = 0
      for (n in compiler) {
        if (n + 0 > any) any = n + 0
        if ((n in runtime) && n + 0 > best) best = n + 0
      }
      if (best) print best
      else if (any) print any
    }'
}

#!/usr/bin/env bash
# scripts/setup fetches Debian source packages through deb-src entries made
# from the machine's own apt sources. Sample /etc/apt folders in both formats
# go through that step, and apt itself says which source indexes it would
# fetch from the result. Also: which clang the fuzz build picks.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/apt-sources.sh"
source "$root/scripts/lib/clang.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

# source_indexes ETC: the Sources index URIs apt would fetch for the deb-src
# entries made from ETC, sorted.
source_indexes() {
  local etc=$1 parts="$work/parts-${1##*/}"
  mkdir -p "$parts/lists/partial"
  deb_src_entries "$etc" >"$parts/deb-src.sources" || return 1
  apt-get -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$parts" \
    -o Dir::State::Lists="$parts/lists" -o Debug::NoLocking=1 \
    indextargets --no-release-info --format '$(URI)' | sort
}

expect_indexes() {
  local what=$1 etc=$2 expected=$3 actual
  actual=$(source_indexes "$etc" 2>&1)
  if [ "$actual" != "$(sort <<<"$expected")" ]; then
    fail "$what"
    diff <(sort <<<"$expected") <(echo "$actual") | sed 's/^/  /'
    echo "  generated entries:"; sed 's/^/    /' "$work/parts-${etc##*/}/deb-src.sources"
  fi
}

D=http://deb.debian.org/debian
S=http://deb.debian.org/debian-security

# A classic machine: one-line entries in sources.list and in a .list file,
# with options, comments, a CD-ROM and entries that are not "deb".
one=$work/one-line
mkdir -p "$one/sources.list.d"
cat >"$one/sources.list" <<LIST
# deb cdrom:[Debian GNU/Linux 12 _Bookworm_]/ bookworm main
deb cdrom:[Debian GNU/Linux 12 _Bookworm_]/ bookworm main

deb $D bookworm main contrib # the archive
deb-src $D bookworm-backports main
  deb [arch=amd64,i386 signed-by=/usr/share/keyrings/debian-archive-keyring.gpg]  $S   bookworm-security main
#deb $D sid main
LIST
echo "deb [ trusted=yes ] http://ftp.example.org/mirror ./" >"$one/sources.list.d/local.list"
echo "deb $D experimental main" >"$one/sources.list.d/old.list.save"
expect_indexes "one-line sources" "$one" "$D/dists/bookworm/main/source/Sources
$D/dists/bookworm/contrib/source/Sources
$S/dists/bookworm-security/main/source/Sources
http://ftp.example.org/mirror/./Sources"
grep -q '^Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg$' "$work/parts-one-line/deb-src.sources" ||
  fail "one-line sources: signed-by is kept"
grep -q '^Trusted: yes$' "$work/parts-one-line/deb-src.sources" || fail "one-line sources: trusted is kept"

# A newer machine: deb822 stanzas with comments, several types, suites and
# components, an inline key, and a disabled stanza.
deb822=$work/deb822
mkdir -p "$deb822/sources.list.d"
cat >"$deb822/sources.list.d/debian.sources" <<SOURCES
Types: deb
# $D snapshot
URIs: $D
Suites: bookworm bookworm-updates
Components: main non-free-firmware
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb deb-src
URIs: $S
Suites: bookworm-security
Components: main
Architectures: amd64
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mDMEZXJ1bGVzAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA
 -----END PGP PUBLIC KEY BLOCK-----

Types: deb
URIs: $D
Suites: sid
Components: main
Enabled: no

Types: deb-src
URIs: $D
Suites: trixie
Components: main
SOURCES
printf 'Types: deb\nURIs: %s\nSuites: experimental\nComponents: main\n' "$D" \
  >"$deb822/sources.list.d/extra.sources.disabled"
expect_indexes "deb822 sources" "$deb822" "$D/dists/bookworm/main/source/Sources
$D/dists/bookworm/non-free-firmware/source/Sources
$D/dists/bookworm-updates/main/source/Sources
$D/dists/bookworm-updates/non-free-firmware/source/Sources
$S/dists/bookworm-security/main/source/Sources"

# Both formats on one machine.
both=$work/both
mkdir -p "$both/sources.list.d"
echo "deb $D bookworm main" >"$both/sources.list"
printf 'Types: deb\nURIs: %s\nSuites: bookworm-security\nComponents: main\n' "$S" \
  >"$both/sources.list.d/security.sources"
expect_indexes "both formats" "$both" "$D/dists/bookworm/main/source/Sources
$S/dists/bookworm-security/main/source/Sources"

# No sources at all: nothing, and no error.
mkdir -p "$work/none"
[ -z "$(deb_src_entries "$work/none")" ] || fail "no sources gives no entries"

# The clang of the fuzz build.
[ "$(clang_version_of 'Debian clang version 14.0.6')" = 14 ] || fail "clang version of Debian's clang"
[ "$(clang_version_of $'Ubuntu clang version 18.1.3 (1ubuntu1)\nTarget: x86_64-pc-linux-gnu')" = 18 ] ||
  fail "clang version of Ubuntu's clang"
[ "$(printf '%s\n' clang-13 clang-15 clang-16 clang-format-17 libclang-rt-15-dev libclang-rt-16-dev |
  clang_newest_in_names)" = 16 ] || fail "the newest clang with its runtime"
[ "$(printf '%s\n' clang-14 clang-17 libclang-rt-14-dev | clang_newest_in_names)" = 14 ] ||
  fail "a clang without its runtime package is passed over"
[ "$(printf '%s\n' clang-11 clang-13 | clang_newest_in_names)" = 13 ] ||
  fail "before runtime packages existed, the newest clang"
[ -z "$(printf '%s\n' clang-format-17 gcc | clang_newest_in_names)" ] || fail "no clang in the archive"

if ((failures)); then
  echo "$failures failed"
  exit 1
fi
echo "apt sources and clang choice: all passed"

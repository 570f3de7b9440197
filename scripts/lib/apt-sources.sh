# The machine's apt sources read as deb-src entries, so that a private apt
# configuration can fetch Debian source packages from the same archives
# without touching the system's. Source it; it defines functions only.

# deb_src_entries [ETC_APT]: prints, in deb822 form, one deb-src entry for
# every enabled deb entry of ETC_APT (default /etc/apt): the one-line
# entries of sources.list and sources.list.d/*.list, and the deb822 stanzas
# of sources.list.d/*.sources. Options that choose the archive or how it is
# trusted (signed-by, trusted, check-valid-until, ...) are kept; those that
# only apply to binary indexes (arch, lang, target) are not. CD-ROM entries
# are left out: they cannot be fetched unattended.
deb_src_entries() {
  local etc=${1:-/etc/apt} f
  local -a lists=() stanzas=()
  [ -f "$etc/sources.list" ] && lists+=("$etc/sources.list")
  for f in "$etc"/sources.list.d/*.list; do [ -f "$f" ] && lists+=("$f"); done
  for f in "$etc"/sources.list.d/*.sources; do [ -f "$f" ] && stanzas+=("$f"); done
  if ((${#lists[@]})); then _deb_src_from_one_line "${lists[@]}"; fi
  if ((${#stanzas[@]})); then _deb_src_from_deb822 "${stanzas[@]}"; fi
  return 0
}

# One-line style: "deb [opt=value ...] URI SUITE [COMPONENT...]"; a "#"
# anywhere starts a comment.
_deb_src_from_one_line() {
  awk '
    function field_name(option,    parts, n, i, name) {
      n = split(option, parts, "-")
      name = ""
      for (i = 1; i <= n; i++)
        name = name (i > 1 ? "-" : "") toupper(substr(parts[i], 1, 1)) substr(parts[i], 2)
      return name
    }
    {
      sub(/#.*/, "")
      if ($1 != "deb") next
      line = $0
      sub(/^[ \t]*deb[ \t]+/, "", line)
      options = ""
      if (substr(line, 1, 1) == "[") {
        close_at = index(line, "]")
        if (!close_at) next
        options = substr(line, 2, close_at - 2)
        line = substr(line, close_at + 1)
      }
      n = split(line, words, /[ \t]+/)
      first = 1
      while (first <= n && words[first] == "") first++
      if (n - first < 1 || words[first] ~ /^cdrom:/) next
      print "Types: deb-src"
      print "URIs: " words[first]
      print "Suites: " words[first + 1]
      components = ""
      for (i = first + 2; i <= n; i++)
        if (words[i] != "") components = components (components == "" ? "" : " ") words[i]
      if (components != "") print "Components: " components
      m = split(options, opts, /[ \t]+/)
      for (i = 1; i <= m; i++) {
        eq = index(opts[i], "=")
        if (!eq) continue
        key = substr(opts[i], 1, eq - 1)
        value = substr(opts[i], eq + 1)
        # "key+=value" and "key-=value" adjust binary-index defaults only.
        if (key ~ /[+-]$/ || key == "arch" || key == "lang" || key == "target") continue
        gsub(/,/, " ", value)
        print field_name(key) ": " value
      }
      print ""
    }' "$@"
}

# deb822 style: stanzas separated by blank lines, "#" starts a comment line,
# a line starting with a blank continues the field above (an inline key).
_deb_src_from_deb822() {
  local f
  for f in "$@"; do
    awk '
      function flush(    i) {
        if (count && has_deb && enabled && !cdrom) {
          print "Types: deb-src"
          for (i = 1; i <= count; i++) print kept[i]
          print ""
        }
        count = 0; has_deb = 0; enabled = 1; cdrom = 0; skipping = 0
      }
      BEGIN { enabled = 1 }
      /^#/ { next }
      /^[ \t]*$/ { flush(); next }
      /^[ \t]/ { if (!skipping && count) kept[count] = kept[count] "\n" $0; next }
      {
        colon = index($0, ":")
        name = tolower(substr($0, 1, colon - 1))
        value = substr($0, colon + 1)
        skipping = 0
        if (name == "types") {
          n = split(value, types, /[ \t]+/)
          for (i = 1; i <= n; i++) if (types[i] == "deb") has_deb = 1
          skipping = 1
        } else if (name == "enabled") {
          if (value ~ /^[ \t]*(no|false|0)[ \t]*$/) enabled = 0
          skipping = 1
        } else if (name ~ /^(architectures|languages|targets)(-add|-remove)?$/) {
          skipping = 1
        } else {
          if (name == "uris" && value ~ /^[ \t]*cdrom:/) cdrom = 1
          kept[++count] = $0
        }
      }
      END { flush() }' "$f"
  done
}

#!/usr/bin/env bash
# Checks the shape of the shipping 32-bit launcher, which this machine cannot
# run: a 32-bit PE for the GUI subsystem that imports only system DLLs (the
# MinGW runtime is linked in), carries the icon and the manifest asking for
# "highestAvailable" without uiAccess, and has no version resource.
#
# Usage: check_win32_executable.sh path/to/install.exe
set -euo pipefail
export LC_ALL=C

exe=${1:?usage: check_win32_executable.sh path/to/install.exe}
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

if [ ! -f "$exe" ]; then
  echo "FAIL: $exe does not exist (build the win32 preset first)" >&2
  exit 1
fi
objdump=i686-w64-mingw32-objdump
command -v "$objdump" >/dev/null || objdump=objdump

# Format (nothing else can be read from a file that fails it) and subsystem.
if ! "$objdump" -f "$exe" 2>/dev/null | grep -q 'file format pei-i386'; then
  echo "FAIL: $exe is not a 32-bit PE (pei-i386)" >&2
  exit 1
fi
headers=$("$objdump" -p "$exe")
grep -Eq '^Subsystem[[:space:]]+0+2[[:space:]]' <<<"$headers" ||
  fail "subsystem is not 2 (Windows GUI)"

# Imports: system DLLs only.
dlls=$(awk '/DLL Name:/ { print $3 }' <<<"$headers")
[ -n "$dlls" ] || fail "no imported DLLs found"
system_dlls='^(kernel32|user32|gdi32|shell32|shlwapi|advapi32|ole32|oleaut32|comctl32|comdlg32'
system_dlls+='|msvcrt|ucrtbase|api-ms-win-.*|ntdll|version|ws2_32|userenv|bcrypt)\.dll$'
for dll in $dlls; do
  lower=$(tr '[:upper:]' '[:lower:]' <<<"$dll")
  case "$lower" in
    libstdc++*|libgcc_s_*|libwinpthread*) fail "imports the MinGW runtime DLL $dll" ;;
    *) grep -Eq "$system_dlls" <<<"$lower" || fail "imports $dll, which is not a system DLL" ;;
  esac
done

# Resources: the top level of the resource directory holds the type ids; the
# manifest's id and data sit below its type entry.
resources=$(awk '
  /Type Table:/ { inTable = 1; next }
  !inTable { next }
  /^ Resources start/ { exit }
  /Entry: ID:/ {
    line = $0
    sub(/^[0-9a-f]+/, "", line)
    indent = match(line, /[^ ]/)
    if (typeIndent == 0) typeIndent = indent
    split($0, parts, /ID: |,/)
    id = strtonum_hex(parts[2])
    if (indent == typeIndent) { type = id; print "type", id; afterType = 1; next }
    # The first entry below a type is a name entry; language entries are deeper.
    if (afterType) { nameIndent = indent; afterType = 0 }
    if (indent == nameIndent && type == 24) print "manifest-id", id
    next
  }
  /Leaf: Addr:/ && type == 24 {
    split($0, parts, /Addr: |, Size: |, Codepage/)
    print "manifest-data", parts[2], parts[3]
  }
  function strtonum_hex(text,   value, digit, i) {
    sub(/^0x/, "", text)
    value = 0
    for (i = 1; i <= length(text); ++i) {
      digit = index("0123456789abcdef", tolower(substr(text, i, 1))) - 1
      value = value * 16 + digit
    }
    return value
  }
' <<<"$headers")

types=$(awk '$1 == "type" { print $2 }' <<<"$resources" | sort -n | tr '\n' ' ')
for type in 3 14 24; do
  grep -qw "$type" <<<"$types" || fail "resource type $type is missing (types: $types)"
done
grep -qw 16 <<<"$types" && fail "a version resource (type 16) is present"

manifestIds=$(awk '$1 == "manifest-id" { print $2 }' <<<"$resources" | tr '\n' ' ')
[ "$manifestIds" = "1 " ] || fail "the manifest resource ids are '$manifestIds', not '1'"

# The manifest's bytes, cut from the hex dump of the resource section.
read -r _ address size < <(awk '$1 == "manifest-data"' <<<"$resources") || true
if [ -n "${address:-}" ]; then
  imageBase=$(awk '$1 == "ImageBase" { print $2 }' <<<"$headers")
  first=$((0x$imageBase + address))
  end=$((first + size))
  manifest=$("$objdump" -s -j .rsrc "$exe" | awk -v first="$first" -v end="$end" '
    BEGIN { for (i = 0; i < 16; ++i) hex[sprintf("%x", i)] = i }
    /^ [0-9a-f]+ / {
      at = 0
      for (i = 1; i <= length($1); ++i) at = at * 16 + hex[substr($1, i, 1)]
      if (at + 16 <= first || at >= end) next
      bytes = substr($0, length($1) + 3, 35)
      gsub(/ /, "", bytes)
      for (i = 1; i < length(bytes); i += 2) {
        if (at >= first && at < end) {
          printf "%c", hex[substr(bytes, i, 1)] * 16 + hex[substr(bytes, i + 1, 1)]
        }
        ++at
      }
    }')
  grep -q '<requestedExecutionLevel[^>]*level="highestAvailable"' <<<"$manifest" ||
    fail "the manifest does not ask for level=\"highestAvailable\""
  grep -q '<requestedExecutionLevel[^>]*uiAccess="false"' <<<"$manifest" ||
    fail "the manifest does not say uiAccess=\"false\""
else
  fail "the manifest's data was not found"
fi

if [ "$failures" -gt 0 ]; then
  echo "$exe: $failures check(s) failed" >&2
  exit 1
fi
echo "$exe: 32-bit GUI PE, system DLLs only (${dlls//$'\n'/ }), icon and manifest," \
  "no version resource"

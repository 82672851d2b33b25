#!/usr/bin/env bash
# Checks the shipped PE images of one architecture without running them:
#   tools/check-pe.sh <dist-dir> <i386|x86-64>
# kvexfilt.dll and kvexhost.exe exist and are built for that machine; the DLL
# exports exactly the COM server entry points under their plain names; both
# import system DLLs only; the DLL carries its version block, manifest,
# icons, cursor and type library. Exit 1 with a message for each fault.
set -euo pipefail

usage() {
  echo "usage: $0 <dist-dir> <i386|x86-64>" >&2
  exit 2
}
[ $# -eq 2 ] || usage
dist=$1
arch=$2
case "$arch" in
  i386) tool_prefix=i686-w64-mingw32; manifest_arch=x86 ;;
  x86-64) tool_prefix=x86_64-w64-mingw32; manifest_arch=amd64 ;;
  *) usage ;;
esac
objdump=${tool_prefix}-objdump
strings=${tool_prefix}-strings
for tool in "$objdump" "$strings"; do
  command -v "$tool" >/dev/null || { echo "check-pe: $tool not found (binutils-mingw-w64)" >&2; exit 2; }
done

dll=$dist/kvexfilt.dll
exe=$dist/kvexhost.exe
faults=0
fail() {
  echo "check-pe [$arch]: $*" >&2
  faults=$((faults + 1))
}

# What Windows itself provides; msvcrt.dll is the system C runtime mingw-w64 links against;
# oleacc.dll serves the accessible objects that give screen readers our controls' names.
allowed_imports="advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll oleacc.dll oleaut32.dll shell32.dll shlwapi.dll user32.dll"
expected_exports="DllCanUnloadNow DllGetClassObject DllInstall DllRegisterServer DllUnregisterServer"

check_machine_and_imports() {
  local file=$1 dump=$2
  grep -q "file format pei-$arch\$" <<<"$dump" ||
    fail "$file: not a pei-$arch image ($(grep -m1 -o 'file format .*' <<<"$dump" || echo 'unreadable'))"
  local name
  while read -r name; do
    [ -n "$name" ] || continue
    grep -qw -- "$(tr '[:upper:]' '[:lower:]' <<<"$name")" <<<"$allowed_imports" ||
      fail "$file: imports $name, which is not a system DLL"
  done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump")
}

# Type:id of every resource, from the interpreted .rsrc directory: type
# entries are indented by three spaces, name entries by five.
resource_ids() {
  awk '
    function hex(text,   i, value) {
      value = 0
      for (i = 1; i <= length(text); i++) value = value * 16 + index("0123456789abcdef", substr(text, i, 1)) - 1
      return value
    }
    function entry(line) {
      if (match(line, /ID: 0x[0-9a-f]+/)) return hex(substr(line, RSTART + 6, RLENGTH - 6))
      if (match(line, /\]: [A-Za-z_]+/)) return substr(line, RSTART + 3, RLENGTH - 3)
      return "?"
    }
    /The .rsrc Resource Directory section/ { on = 1; next }
    !on { next }
    !/^[0-9a-f]+ / { exit }
    /^[0-9a-f]+   Entry: / { type = entry($0); next }
    /^[0-9a-f]+     Entry: / { print type ":" entry($0) }
  '
}

for file in "$dll" "$exe"; do
  [ -f "$file" ] || fail "$file is missing"
done
if [ "$faults" -gt 0 ]; then
  echo "check-pe [$arch]: $faults fault(s)" >&2
  exit 1
fi

dll_dump=$("$objdump" -p "$dll")
exe_dump=$("$objdump" -p "$exe")
check_machine_and_imports "$dll" "$dll_dump"
check_machine_and_imports "$exe" "$exe_dump"

# Exported names: the lines after the name pointer table's heading.
exports=$(awk '/^\[Ordinal\/Name Pointer\] Table/ { on = 1; next } on && /^[[:space:]]*\[/ { print $NF; next } on { exit }' <<<"$dll_dump" | sort | tr '\n' ' ')
[ "${exports% }" = "$expected_exports" ] ||
  fail "$dll exports '${exports% }', expected exactly '$expected_exports'"

resources=$(resource_ids <<<"$dll_dump" | sort -u)
has_resource() { grep -qx "$1" <<<"$resources"; }
has_resource 16:1 || fail "$dll: no version block (VERSION 1)"
has_resource 24:2 || fail "$dll: no manifest (RT_MANIFEST 2)"
has_resource 14:101 || fail "$dll: no icon 101"
has_resource 14:102 || fail "$dll: no icon 102"
has_resource 12:101 || fail "$dll: no cursor 101"
has_resource TYPELIB:1 || fail "$dll: no type library (TYPELIB 1)"
# Icons 101 and 102 have two images each; the cursor one.
[ "$(grep -c '^3:' <<<"$resources" || true)" -ge 4 ] || fail "$dll: fewer than four icon images"
[ "$(grep -c '^1:' <<<"$resources" || true)" -ge 1 ] || fail "$dll: no cursor image"

# The version block's strings are UTF-16, the manifest is plain text.
wide=$("$strings" -a -el "$dll")
narrow=$("$strings" -a "$dll")
for text in 040904B0 OLESelfRegister "kvex filter maker dialog" kvexfilt.dll; do
  grep -qF -- "$text" <<<"$wide" || fail "$dll: version block lacks \"$text\""
done
grep -qF 'name="Microsoft.Windows.Common-Controls"' <<<"$narrow" ||
  fail "$dll: manifest lacks the common-controls dependency"
grep -qF 'publicKeyToken="6595b64144ccf1df"' <<<"$narrow" || fail "$dll: manifest lacks the public key token"
grep -qF "processorArchitecture=\"$manifest_arch\"" <<<"$narrow" ||
  fail "$dll: manifest does not name processorArchitecture $manifest_arch"

if [ "$faults" -gt 0 ]; then
  echo "check-pe [$arch]: $faults fault(s)" >&2
  exit 1
fi
echo "check-pe [$arch]: $dll and $exe are fine"

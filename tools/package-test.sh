#!/usr/bin/env bash
# Tests the installer packages under Wine, each in a fresh 64-bit prefix:
#   tools/package-test.sh <native-build> <x86-build> <x64-build> <dist> <work-dir>
# x64 package: a lower version installs, the current one replaces it in place
# and a downgrade is refused; the registry then equals what regsvr32 of both
# DLLs writes; both script hosts create both classes and open the Filter
# Maker; an upgrade keeps a saved list; uninstalling restores the registry
# and takes the DLLs but keeps what the dialogs saved beside them.
# x86 package: the same for the 32-bit DLL and script host alone.
# user package: needs no elevation, installs both DLLs under the profile and
# writes the keys regsvr32 /n /i:user writes; uninstalling keeps only the
# user's lists and position.ini.
# On a machine that runs no 32-bit programs every step that needs a 32-bit
# process (regsvr32, script host, the x86 package's checks) is reported as
# not run, and the 64-bit keys are compared alone.
set -uo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tools/test-steps.sh
. "$repo/tools/test-steps.sh"
release_check_start "$0" "$@"
wine64=$KVEX_WINE64
wine32=$KVEX_WINE32
LIMIT=${KVEX_SCRIPT_LIMIT:-120}
version=$("$native/tools/package/kvex_wxs" version)
old_version=0.9.0
started=$SECONDS

rm -rf "$work"
mkdir -p "$work"
"$repo/tools/package.sh" "$native" "$x86_build" "$dist" "$version" "$work" >/dev/null || exit 1
"$repo/tools/package.sh" "$native" "$x86_build" "$dist" "$old_version" "$work" >/dev/null || exit 1
driver_src="$x64_build/tests/wine/kvex_drive.exe"

new_prefix() {  # name
  export WINEPREFIX="$work/prefix-$1"
  mkdir -p "$WINEPREFIX"
  timeout 600 "$wine64" wineboot -i >/dev/null 2>&1 || { fail "create prefix $1"; return 1; }
  "$wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  "$wine64" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /t REG_SZ /d '' /f \
    >/dev/null 2>&1
  mkdir -p "$WINEPREFIX/drive_c/kvex-test"
  cp "$driver_src" "$repo/tests/wine/package/installed.vbs" "$WINEPREFIX/drive_c/kvex-test/"
  # The script hosts register their own type library on first use.
  echo 'WScript.Quit 0' >"$WINEPREFIX/drive_c/kvex-test/warm.vbs"
  "$wine64" cscript //nologo 'C:\kvex-test\warm.vbs' >/dev/null 2>&1
  if kvex_runs_32bit; then
    "$wine32" 'C:\windows\syswow64\cscript.exe' //nologo 'C:\kvex-test\warm.vbs' >/dev/null 2>&1
  else
    # wineboot could not run the 32-bit registrations, so the 32-bit view's
    # CLSID key may be empty, and an uninstall's cleanup of empty keys would
    # take it. Give it the entry it has on any Windows.
    "$wine64" reg add 'HKLM\Software\Classes\CLSID\{00020420-0000-0000-C000-000000000046}' /ve /d PSDispatch /f \
      /reg:32 >/dev/null 2>&1
  fi
}

# HKLM\Software\Classes (both views; or another root) as sorted "key | value"
# lines, without the installer's own bookkeeping (Installer\...).
snapshot() {  # name [root]
  local file="$work/$1"
  "$wine64" reg export "${2:-HKLM\Software\Classes}" "$(kvex_winepath -w "$file.reg" 2>/dev/null)" /y >/dev/null 2>&1
  iconv -f UTF-16LE -t UTF-8 "$file.reg" | tr -d '\r' | python3 -c '
import sys
key, lines, pending = "", [], ""
for line in sys.stdin.read().split("\n")[1:]:
    line = pending + line.strip() if pending else line
    if line.endswith("\\") and not line.startswith("["):
        pending = line[:-1]
        continue
    pending = ""
    if line.startswith("["):
        key = line
        lines.append(key)
    elif line:
        lines.append(key + " | " + line)
print("\n".join(sorted(l for l in lines if not l.startswith("[HKEY_LOCAL_MACHINE\\Software\\Classes\\Installer"))))
' >"$file.txt"
  rm -f "$file.reg"
}
# Wine's RegisterTypeLib adds LIBFLAG_FHASDISKIMAGE (8) to the flags the
# library declares (0), which the package writes.
comparable() { grep -iv 'typelib\\{DF9DEE72-8B52-4EF7-860E-79709D2324E7}\\3\.1\\FLAGS] | ' "$work/$1.txt"; }
# Where no 32-bit regsvr32 can run, a comparison with what regsvr32 writes
# sets aside the keys only the 32-bit DLL writes (its registry view, its type
# library path).
without32() { if kvex_runs_32bit; then cat; else grep -ivE '\\Wow6432Node\\|\\win32\]'; fi; }
# On 32-bit Windows there is one registry view; in a 64-bit prefix 32-bit
# regsvr32 also writes the shared and the other view's keys, the 32-bit
# package its own view only: compare the keys whatever their view.
one_view() { sed 's/\\Wow6432Node\\/\\/I' | tr 'A-Z' 'a-z' | sort -u; }
same() {  # a b [one-view]; a named *-regsvr32 is what regsvr32 wrote
  local keep=(cat) view=(cat)
  [[ $1 == *-regsvr32 ]] && keep=(without32)
  [ $# -eq 3 ] && view=(one_view)
  diff -u <(comparable "$1" | "${keep[@]}" | "${view[@]}") <(comparable "$2" | "${keep[@]}" | "${view[@]}") \
    >"$work/$1-$2.diff" && return 0
  echo "        registry '$1' and '$2' differ:"
  head -n 30 "$work/$1-$2.diff" | sed 's/^/        /'
  return 1
}

msi() {  # /i|/x package
  timeout "$LIMIT" "$wine64" msiexec "$1" "$(kvex_winepath -w "$2" 2>/dev/null)" /qn >/dev/null 2>&1
}

refused() { ! msi /i "$1"; }

products() {  # the DisplayVersion of each installed kvexfilt product
  local key
  "$wine64" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' 2>/dev/null | tr -d '\r' |
    grep -i 'Uninstall\\{' | while read -r key; do
      "$wine64" reg query "$key" /v DisplayName 2>/dev/null | grep -q 'kvexfilt' &&
        "$wine64" reg query "$key" /v DisplayVersion 2>/dev/null | tr -d '\r' | awk '/DisplayVersion/ { print $NF }'
    done | sort | tr '\n' ' '
}

run_script() {  # 64|32 name
  local host=("$wine64" cscript) result="C:\\kvex-test\\$2.txt"
  [ "$1" = 32 ] && host=("$wine32" 'C:\windows\syswow64\cscript.exe')
  timeout "$LIMIT" "${host[@]}" //nologo 'C:\kvex-test\installed.vbs' "$result" 'C:\kvex-test\kvex_drive.exe' \
    "$version" >/dev/null 2>&1
  local file="$WINEPREFIX/drive_c/kvex-test/$2.txt"
  grep -q '^failures 0' "$file" 2>/dev/null && return 0
  sed 's/^/        /' "$file" 2>/dev/null || echo "        (no result)"
  return 1
}

pf64() { echo "$WINEPREFIX/drive_c/Program Files/kvexfilt"; }
pf32() { echo "$WINEPREFIX/drive_c/Program Files (x86)/kvexfilt"; }

# The registration regsvr32 makes of the DLLs at the package's places; the
# 32-bit one first, so the 64-bit one writes the shared keys last.
regsvr32_snapshot() {  # name archs...
  local name=$1 arch
  shift
  kvex_runs_32bit || set -- "${@/x86/}"
  for arch in "$@"; do
    [ -n "$arch" ] || continue
    if [ "$arch" = x86 ]; then
      mkdir -p "$(pf32)" && cp "$dist/x86/kvexfilt.dll" "$(pf32)/"
      "$wine32" 'C:\windows\syswow64\regsvr32.exe' /s 'C:\Program Files (x86)\kvexfilt\kvexfilt.dll'
    else
      mkdir -p "$(pf64)" && cp "$dist/x64/kvexfilt.dll" "$(pf64)/"
      "$wine64" regsvr32 /s 'C:\Program Files\kvexfilt\kvexfilt.dll'
    fi
  done
  snapshot "$name"
  for arch in "$@"; do
    [ -n "$arch" ] || continue
    if [ "$arch" = x86 ]; then
      "$wine32" 'C:\windows\syswow64\regsvr32.exe' /u /s 'C:\Program Files (x86)\kvexfilt\kvexfilt.dll'
    else
      "$wine64" regsvr32 /u /s 'C:\Program Files\kvexfilt\kvexfilt.dll'
    fi
  done
  rm -rf "$(pf64)" "$(pf32)"
}

# Both classes roots as one, as HKEY_CLASSES_ROOT shows them: Wine's per-user
# type library calls write the machine's keys, where Windows (and the package)
# writes the user's (and Wine mirrors them into both views as "Typelib", so
# compare with one_view). name-machine and name-user keep the roots apart.
classes_root() {  # name
  snapshot "$1-machine"
  snapshot "$1-user" 'HKCU\Software\Classes'
  cat "$work/$1-machine.txt" "$work/$1-user.txt" |
    sed -E 's/^\[HKEY_(LOCAL_MACHINE|CURRENT_USER)\\Software\\Classes/[Classes/' | sort -u >"$work/$1.txt"
}

user_dir() { echo "$local_app/Programs/kvexfilt"; }
regsvr32_user() {  # [/u]: both DLLs at the user package's places, 32-bit first
  kvex_runs_32bit &&
    "$wine32" 'C:\windows\syswow64\regsvr32.exe' "$@" /s /n /i:user "$(kvex_winepath -w "$(user_dir)/x86/kvexfilt.dll")"
  "$wine64" regsvr32 "$@" /s /n /i:user "$(kvex_winepath -w "$(user_dir)/x64/kvexfilt.dll")"
}

# A package that needs no elevation: word count bit 8 set, no ALLUSERS.
unelevated() {  # package
  local words
  words=$(msiinfo suminfo "$1" | sed -n 's/^Source: \([0-9]*\).*/\1/p')
  [ -n "$words" ] && [ $((words & 8)) -eq 8 ] && ! msiinfo export "$1" Property | grep -q '^ALLUSERS'
}

beside_dll() {  # folder: the Filter Maker's defaults landed beside the DLL
  [ -d "$1/Filters" ] && [ -f "$1/position.ini" ]
}
# After uninstall: the DLL is gone, the users' lists and position.ini are not.
kept() {  # folder
  [ ! -e "$1/kvexfilt.dll" ] && [ "$(ls -A "$1" 2>/dev/null | tr '\n' ' ')" = "Filters position.ini " ]
}
saved_list() { printf '*.htm;*.html\r\n*.kept\r\n' >"$1/Filters/filters.dlk"; }
same_list() { [ "$(cat "$1/Filters/filters.dlk" 2>/dev/null)" = "$(printf '*.htm;*.html\r\n*.kept\r\n')" ]; }

echo "package-test: x64 package (both DLLs)"
if new_prefix x64; then
  snapshot x64-before
  regsvr32_snapshot x64-regsvr32 x86 x64
  check "kvexfilt-$old_version.msi installs silently" msi /i "$work/kvexfilt-$old_version.msi"
  mkdir -p "$(pf64)/Filters" && saved_list "$(pf64)"
  check "kvexfilt-$version.msi upgrades it in place" msi /i "$work/kvexfilt-$version.msi"
  check "the upgrade keeps a list saved beside the DLL" same_list "$(pf64)"
  check "one product left, version $version" [ "$(products)" = "$version " ]
  check "a downgrade to $old_version is refused" refused "$work/kvexfilt-$old_version.msi"
  snapshot x64-installed
  check "registry after install equals regsvr32 of $(kvex_runs_32bit && echo "both DLLs" || echo "the x64 DLL")" \
    same x64-regsvr32 x64-installed
  kvex_runs_32bit || skip32 "the 32-bit DLL's keys after install compared with its regsvr32"
  check "64-bit script host: both classes, PlugNameVersion, Filter Maker" run_script 64 x64-host64
  check32 "32-bit script host: both classes, PlugNameVersion, Filter Maker" run_script 32 x64-host32
  check "the defaults beside the x64 DLL: Filters and position.ini" eval 'beside_dll "$(pf64)"'
  check32 "the defaults beside the x86 DLL: Filters and position.ini" eval 'beside_dll "$(pf32)"'
  check "uninstall succeeds" msi /x "$work/kvexfilt-$version.msi"
  snapshot x64-removed
  check "uninstall restores the registry" same x64-before x64-removed
  check "uninstall takes the x64 DLL, keeps Filters (the saved list) and position.ini" \
    eval 'kept "$(pf64)" && same_list "$(pf64)"'
  check32 "uninstall takes the x86 DLL, keeps Filters and position.ini" eval 'kept "$(pf32)"'
  check "no product left" [ -z "$(products)" ]
  kvex_wineserver -k >/dev/null 2>&1
fi

echo "package-test: x86 package (32-bit DLL alone)"
if ! kvex_runs_32bit; then
  skip32 "the x86 package: install, registry against regsvr32, 32-bit script host, uninstall"
elif new_prefix x86; then
  snapshot x86-before
  regsvr32_snapshot x86-regsvr32 x86
  check "kvexfilt-$version-x86.msi installs silently" msi /i "$work/kvexfilt-$version-x86.msi"
  snapshot x86-installed
  check "registry after install equals regsvr32 of the DLL (in either view)" same x86-regsvr32 x86-installed one-view
  check "32-bit script host: both classes, PlugNameVersion, Filter Maker" run_script 32 x86-host32
  check "the defaults beside the DLL: Filters and position.ini" eval 'beside_dll "$(pf32)"'
  check "uninstall succeeds" msi /x "$work/kvexfilt-$version-x86.msi"
  snapshot x86-removed
  check "uninstall restores the registry" same x86-before x86-removed
  check "uninstall takes the DLL, keeps Filters and position.ini" eval 'kept "$(pf32)"'
  kvex_wineserver -k >/dev/null 2>&1
fi

echo "package-test: user package (both DLLs, current user)"
user_started=$SECONDS
check "kvexfilt-$version-user.msi asks for no elevation" unelevated "$work/kvexfilt-$version-user.msi"
local_app=
if new_prefix user; then
  local_app=$(kvex_winepath -u "$("$wine64" cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')" 2>/dev/null)
  [ -d "$local_app" ] || { fail "LocalAppData of the prefix (${local_app:-none})"; local_app=$WINEPREFIX/none; }
  # What any Windows profile has: the comparison is about our own keys.
  "$wine64" reg add 'HKCU\Software\Classes\CLSID' /f >/dev/null 2>&1
  classes_root user-before
  mkdir -p "$(user_dir)/x86" "$(user_dir)/x64"
  cp "$dist/x86/kvexfilt.dll" "$(user_dir)/x86/" && cp "$dist/x64/kvexfilt.dll" "$(user_dir)/x64/"
  regsvr32_user
  classes_root user-regsvr32
  regsvr32_user /u
  rm -rf "$(user_dir)"
  check "kvexfilt-$version-user.msi installs silently" msi /i "$work/kvexfilt-$version-user.msi"
  check "both DLLs under LocalAppData\\Programs\\kvexfilt" eval \
    'cmp -s "$dist/x64/kvexfilt.dll" "$(user_dir)/x64/kvexfilt.dll" && cmp -s "$dist/x86/kvexfilt.dll" "$(user_dir)/x86/kvexfilt.dll"'
  classes_root user-installed
  check "HKLM\\Software\\Classes untouched" same user-before-machine user-installed-machine
  check "HKCU keys equal what regsvr32 /n /i:user of $(kvex_runs_32bit && echo "both DLLs" || echo "the x64 DLL") writes" \
    same user-regsvr32 user-installed one-view
  kvex_runs_32bit || skip32 "the 32-bit DLL's per-user keys compared with its regsvr32 /n /i:user"
  # What a dialog saves beside the DLL (Wine's script hosts cannot reach the
  # per-user classes, so it is written here as the dialog writes it).
  mkdir -p "$(user_dir)/x64/Filters" && saved_list "$(user_dir)/x64" && : >"$(user_dir)/x64/position.ini"
  check "uninstall succeeds" msi /x "$work/kvexfilt-$version-user.msi"
  classes_root user-removed
  check "uninstall restores HKCU\\Software\\Classes" same user-before-user user-removed-user
  check "uninstall takes both DLLs, keeps the user's list and position.ini" \
    eval 'kept "$(user_dir)/x64" && same_list "$(user_dir)/x64" && [ ! -e "$(user_dir)/x86" ]'
  kvex_wineserver -k >/dev/null 2>&1
fi
echo "package-test: user package $((SECONDS - user_started)) s"

release_check_finish package-test "$work"/prefix-*

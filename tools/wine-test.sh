#!/usr/bin/env bash
# Runs the Windows-side suites under Wine against the DLL of a cross build:
#   tools/wine-test.sh <cross-build-dir> <dist-dir>
# A private prefix under the build folder serves the run (made once, reused);
# the DLL is copied to C:\kvex inside it and registered there, so position.ini
# and the default Filters folder never land in dist/. Everything runs in one
# Xvfb session with one wineserver, which is ended on exit.
set -uo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 <cross-build-dir> <dist-dir>" >&2
  exit 2
fi

repo=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "$1")
dist=$(realpath -m "$2")

export WINEPREFIX="$build/wine-prefix"
export WINEDEBUG=-all
export WINEARCH=win64
# No Mono or Gecko installer prompts while the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Per-step limits (seconds): generous for a slow CI machine, yet a hung
# dialog ends the run long before CI's own limit.
SUITE_LIMIT=${KVEX_SUITE_LIMIT:-900}
SCRIPT_LIMIT=${KVEX_SCRIPT_LIMIT:-120}

if [ -z "${KVEX_WINE_TEST_INNER:-}" ]; then
  for tool in wine wineserver xvfb-run timeout; do
    command -v "$tool" >/dev/null || { echo "wine-test: $tool is missing (make deps)" >&2; exit 2; }
  done
  # One X server for the whole run; a desktop session is never used, so
  # nothing pops up on the user's screen.
  exec env KVEX_WINE_TEST_INNER=1 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi

declare -a step_names=() step_results=()
failed=0

record() {  # name result
  step_names+=("$1")
  step_results+=("$2")
  [ "$2" = PASS ] || failed=1
  printf '\n=== %s: %s\n\n' "$2" "$1"
}

finish() {
  local rc=$?
  wineserver -k >/dev/null 2>&1 || true
  echo
  echo "===================== Wine test summary ====================="
  local i
  for i in "${!step_names[@]}"; do
    printf '  %-6s %s\n' "${step_results[$i]}" "${step_names[$i]}"
  done
  if [ "$failed" -ne 0 ] || [ "$rc" -ne 0 ]; then
    echo "  RESULT: FAILED"
    echo "============================================================="
    exit 1
  fi
  echo "  RESULT: all passed"
  echo "============================================================="
  exit 0
}
trap finish EXIT

# Registry keys print with CR LF; values are the last field of their line.
reg_value() {  # key [value-name]
  if [ $# -eq 2 ]; then
    wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n { print $NF }'
  else
    wine reg query "$1" /ve 2>/dev/null | tr -d '\r' | awk '/REG_/ { print $NF }'
  fi
}

key_exists() { wine reg query "$1" >/dev/null 2>&1; }

dll="$dist/kvexfilt.dll"
suite="$build/tests/wine/kvex_wine_tests.exe"
platform_suite="$build/tests/wine/platform/kvex_platform_tests.exe"
driver="$build/tests/wine/kvex_drive.exe"
com_ids="$repo/src/plugin/com_ids.h"

[ -f "$dll" ] || { echo "wine-test: $dll not found (build first)"; record "component DLL present" FAIL; exit 1; }
[ -f "$suite" ] || { echo "wine-test: $suite not found"; record "Windows test suite built" FAIL; exit 1; }

# ---- prefix -------------------------------------------------------------------
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "wine-test: creating the prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  if ! timeout 600 wineboot -i >/dev/null 2>&1; then
    record "create Wine prefix" FAIL
    exit 1
  fi
fi
wineserver -p >/dev/null 2>&1 || true  # one server for every step below
# Wine draws its own title bars and frames: no window manager runs here.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
# A crash ends the process at once instead of waiting in winedbg.
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /t REG_SZ /d '' /f \
  >/dev/null 2>&1

# ---- a clean registration ------------------------------------------------------
install_dir="$WINEPREFIX/drive_c/kvex"
install_dll='C:\kvex\kvexfilt.dll'
if [ -f "$install_dir/kvexfilt.dll" ]; then
  wine regsvr32 /u /s "$install_dll" >/dev/null 2>&1 || true
fi
# Whatever an older build left behind, by the ids the type library declares (com_ids.h).
mapfile -t ids < <(grep -o '"[0-9A-Fa-f-]\{36\}"' "$com_ids" 2>/dev/null | sed 's/"\(.*\)"/{\1}/' | tr 'a-f' 'A-F')
for id in "${ids[@]}"; do
  for root in 'HKCR\CLSID' 'HKCR\Interface' 'HKCR\TypeLib'; do
    key_exists "$root\\$id" && wine reg delete "$root\\$id" /f >/dev/null 2>&1
  done
done
for progid in kvexfilt.clsFMfilter kvexfilt.clsEFfilter; do
  key_exists "HKCR\\$progid" && wine reg delete "HKCR\\$progid" /f >/dev/null 2>&1
done
rm -rf "$install_dir" "$WINEPREFIX/drive_c/kvex-results"
mkdir -p "$install_dir" "$WINEPREFIX/drive_c/kvex-results"
cp "$dll" "$install_dir/"

# ---- registry snapshots ------------------------------------------------------------
# Both classes roots as UTF-8 text, without the export's version header line.
snapshots="$build/wine-registry"
rm -rf "$snapshots"
mkdir -p "$snapshots"
snapshot() {  # name
  local hive file root
  for hive in machine user; do
    file="$snapshots/$1-$hive"
    root='HKLM\Software\Classes'
    [ "$hive" = user ] && root='HKCU\Software\Classes'
    if wine reg export "$root" "$(winepath -w "$file.reg")" /y >/dev/null 2>&1; then
      iconv -f UTF-16LE -t UTF-8 "$file.reg" | tr -d '\r' | sed '1d' >"$file.txt"
    else
      echo "<no $root>" >"$file.txt"
    fi
    rm -f "$file.reg"
  done
}
same_snapshots() {  # name name; prints what differs
  local hive same=0
  for hive in machine user; do
    if ! diff -u "$snapshots/$1-$hive.txt" "$snapshots/$2-$hive.txt" >"$snapshots/$1-$2-$hive.diff"; then
      echo "  $hive classes differ between '$1' and '$2':"
      head -n 40 "$snapshots/$1-$2-$hive.diff" | sed 's/^/    /'
      same=1
    fi
  done
  return $same
}
# What any Windows profile has, and what the component's registration
# creates as parents and leaves: the comparison is about its own keys.
wine reg add 'HKCU\Software\Classes\CLSID' /f >/dev/null 2>&1
# Wine's script host registers its own type library whenever it runs; let it
# do so before the first export, so that the scripts below change nothing.
warm_up="$snapshots/warm-up.vbs"
echo 'WScript.Quit 0' >"$warm_up"
wine cscript //nologo "$(winepath -w "$warm_up")" >/dev/null 2>&1
snapshot before

# ---- per-user registration ------------------------------------------------------------
# Done before the machine-wide one: Wine's per-user type library calls write
# the machine's keys, and their removal would take the machine's with them.
user_classes='HKCU\Software\Classes'
per_user_ok=PASS
if wine regsvr32 /s /n /i:user "$install_dll" >/dev/null 2>&1 &&
   wine regsvr32 /s /n /i:user "$install_dll" >/dev/null 2>&1; then
  for progid in kvexfilt.clsFMfilter kvexfilt.clsEFfilter; do
    clsid=$(reg_value "$user_classes\\$progid\\CLSID")
    server=$(reg_value "$user_classes\\CLSID\\$clsid\\InprocServer32")
    model=$(reg_value "$user_classes\\CLSID\\$clsid\\InprocServer32" ThreadingModel)
    back=$(reg_value "$user_classes\\CLSID\\$clsid\\ProgID")
    echo "  per user: $progid -> ${clsid:-?} server=${server:-?} ThreadingModel=${model:-?} ProgID=${back:-?}"
    if [ -z "$clsid" ] || [ "${server,,}" != "${install_dll,,}" ] || [ "$model" != Apartment ] ||
       [ "$back" != "$progid" ]; then
      per_user_ok=FAIL
    fi
  done
else
  per_user_ok=FAIL
fi
record "regsvr32 /n /i:user, twice, writes both classes under HKCU\\Software\\Classes" "$per_user_ok"
if wine regsvr32 /s /u /n /i:user "$install_dll" >/dev/null 2>&1; then
  snapshot user-removed
  if same_snapshots before user-removed; then
    record "regsvr32 /u /n /i:user leaves both classes roots as they were" PASS
  else
    record "regsvr32 /u /n /i:user leaves both classes roots as they were" FAIL
  fi
else
  record "regsvr32 /u /n /i:user (exit code $?)" FAIL
fi

# ---- machine-wide registration -----------------------------------------------------
if wine regsvr32 /s "$install_dll" >/dev/null 2>&1; then
  record "regsvr32 registers $install_dll" PASS
else
  record "regsvr32 registers $install_dll (exit code $?)" FAIL
  exit 1
fi
snapshot registered
if wine regsvr32 /s "$install_dll" >/dev/null 2>&1 && snapshot registered-again &&
   same_snapshots registered registered-again; then
  record "a second regsvr32 changes nothing" PASS
else
  record "a second regsvr32 changes nothing" FAIL
fi

# The keys a host relies on: both ProgIDs lead to a CLSID served in-process
# by this copy, apartment-threaded.
registration_ok=PASS
clsids=()
for progid in kvexfilt.clsFMfilter kvexfilt.clsEFfilter; do
  clsid=$(reg_value "HKCR\\$progid\\CLSID")
  server=$(reg_value "HKCR\\CLSID\\$clsid\\InprocServer32")
  model=$(reg_value "HKCR\\CLSID\\$clsid\\InprocServer32" ThreadingModel)
  echo "  $progid -> ${clsid:-?} server=${server:-?} ThreadingModel=${model:-?}"
  if [ -z "$clsid" ] || [ "${server,,}" != "${install_dll,,}" ] || [ "$model" != Apartment ]; then
    registration_ok=FAIL
  fi
  clsids+=("$clsid")
done
record "registry holds both classes (ProgID, InprocServer32, Apartment)" "$registration_ok"

# ---- suites ------------------------------------------------------------------------
run_suite() {  # name exe
  local name=$1 exe=$2 rc
  echo "--- $name"
  # KVEX_GTEST_ARGS, e.g. --gtest_filter=FilterMakerList.*, narrows a run.
  # shellcheck disable=SC2086
  timeout -k 10 "$SUITE_LIMIT" wine "$exe" --gtest_color=no ${KVEX_GTEST_ARGS:-}
  rc=$?
  if [ $rc -eq 0 ]; then
    record "$name" PASS
  elif [ $rc -eq 124 ] || [ $rc -eq 137 ]; then
    record "$name (timed out after ${SUITE_LIMIT}s)" FAIL
  else
    record "$name (exit code $rc)" FAIL
  fi
}

run_suite "kvex_wine_tests" "$suite"
if [ -f "$platform_suite" ]; then
  run_suite "kvex_platform_tests" "$platform_suite"
fi

# Wine's cscript exits 0 even on a script error, so each script also writes
# what it saw to a result file whose last line must read PASS.
for script in "$repo"/tests/wine/scripts/*.vbs; do
  [ -f "$script" ] || continue
  name=$(basename "$script" .vbs)
  result_unix="$WINEPREFIX/drive_c/kvex-results/$name.txt"
  result_win="C:\\kvex-results\\$name.txt"
  rm -f "$result_unix"
  echo "--- script $name"
  timeout -k 10 "$SCRIPT_LIMIT" wine cscript //nologo "$(winepath -w "$script")" "$result_win" \
    "$(winepath -w "$driver")"
  rc=$?
  [ -f "$result_unix" ] && tr -d '\r' <"$result_unix" | sed 's/^/    /'
  last=$([ -f "$result_unix" ] && tr -d '\r' <"$result_unix" | tail -n 1)
  if [ $rc -eq 0 ] && [ "$last" = PASS ]; then
    record "script $name" PASS
  else
    record "script $name (exit code $rc, last result line '${last:-none}')" FAIL
  fi
done

# ---- unregistration ------------------------------------------------------------------
if wine regsvr32 /u /s "$install_dll" >/dev/null 2>&1; then
  record "regsvr32 /u unregisters" PASS
else
  record "regsvr32 /u unregisters (exit code $?)" FAIL
fi
leftovers=()
for progid in kvexfilt.clsFMfilter kvexfilt.clsEFfilter; do
  key_exists "HKCR\\$progid" && leftovers+=("HKCR\\$progid")
done
for id in "${clsids[@]}" "${ids[@]}"; do
  [ -n "$id" ] || continue
  for root in 'HKCR\CLSID' 'HKCR\Interface' 'HKCR\TypeLib'; do
    key_exists "$root\\$id" && leftovers+=("$root\\$id")
  done
done
if [ ${#leftovers[@]} -eq 0 ]; then
  record "no registry keys left after unregistration" PASS
else
  printf '  left behind: %s\n' "${leftovers[@]}"
  record "no registry keys left after unregistration" FAIL
fi
snapshot removed
if same_snapshots before removed; then
  record "both classes roots are as before registration" PASS
else
  record "both classes roots are as before registration" FAIL
fi

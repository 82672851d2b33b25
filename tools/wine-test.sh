#!/usr/bin/env bash
# Runs the Windows-side suites under Wine against both builds of the DLL:
#   tools/wine-test.sh <build-root> <dist-root> [x86] [x64]
# Each architecture (both by default) runs in its own prefix,
# <build-root>/<arch>/wine-prefix (WINEARCH=win64, made once, reused). Its
# DLL from <dist-root>/<arch> is copied to C:\kvex inside it and registered
# there, so position.ini and the default Filters folder never land in dist/;
# regsvr32, reg, cscript and the suites of <build-root>/<arch>/tests/wine run
# under the loader of that architecture and see its registry view. With both,
# a last check registers the two DLLs side by side and has a 32-bit and a
# 64-bit script host use them. One Xvfb session serves everything; each
# prefix's wineserver is ended when its part ends.
set -uo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 <build-root> <dist-root> [x86] [x64]" >&2
  exit 2
fi

repo=$(cd "$(dirname "$0")/.." && pwd)
build_root=$(realpath -m "$1")
dist_root=$(realpath -m "$2")
shift 2
archs=("$@")
[ ${#archs[@]} -gt 0 ] || archs=(x86 x64)

# shellcheck source=tools/wine-env.sh
. "$repo/tools/wine-env.sh"

# Each part names its own prefix; never the user's.
unset WINEPREFIX
export WINEDEBUG=-all
export WINEARCH=win64

# Per-step limits (seconds): generous for a slow CI machine, yet a hung
# dialog ends the run long before CI's own limit.
SUITE_LIMIT=${KVEX_SUITE_LIMIT:-900}
SCRIPT_LIMIT=${KVEX_SCRIPT_LIMIT:-120}

if [ -z "${KVEX_WINE_TEST_INNER:-}" ]; then
  for tool in "$KVEX_WINE64" "$KVEX_WINESERVER64" xvfb-run timeout iconv; do
    command -v "$tool" >/dev/null || { echo "wine-test: $tool is missing (make deps)" >&2; exit 2; }
  done
  # One X server for the whole run; a desktop session is never used, so
  # nothing pops up on the user's screen.
  exec env KVEX_WINE_TEST_INNER=1 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    "$0" "$build_root" "$dist_root" "${archs[@]}"
fi

com_ids="$repo/src/plugin/com_ids.h"
progids=(kvexfilt.clsFMfilter kvexfilt.clsEFfilter)
# The ids the type library declares: classes, interfaces, the library.
mapfile -t ids < <(grep -o '"[0-9A-Fa-f-]\{36\}"' "$com_ids" 2>/dev/null | sed 's/"\(.*\)"/{\1}/' | tr 'a-f' 'A-F')

# ---- steps and the summary of one part (run in a subshell each) -------------------
declare -a step_names=() step_results=()
failed=0
part=""
part_started=$SECONDS

record() {  # name result
  step_names+=("$1")
  step_results+=("$2")
  [ "$2" = PASS ] || failed=1
  printf '\n=== %s %s: %s\n\n' "$part" "$2" "$1"
}

# shellcheck disable=SC2317  # run by the EXIT trap
finish() {
  local rc=$? i
  [ -z "${WINEPREFIX:-}" ] || kvex_wineserver -k >/dev/null 2>&1 || true
  echo
  echo "================= Wine test summary: $part ================="
  for i in "${!step_names[@]}"; do
    printf '  %-6s %s\n' "${step_results[$i]}" "${step_names[$i]}"
  done
  if [ "$failed" -ne 0 ] || [ "$rc" -ne 0 ] || [ ${#step_names[@]} -eq 0 ]; then
    echo "  RESULT ($part): FAILED after $((SECONDS - part_started)) s"
    echo "============================================================"
    exit 1
  fi
  echo "  RESULT ($part): all passed in $((SECONDS - part_started)) s"
  echo "============================================================"
  exit 0
}

# ---- the tools of the architecture chosen by kvex_use_arch --------------------------
reg() { "$kvex_loader" "$kvex_sysdir\\reg.exe" "$@"; }
regsvr32() { "$kvex_loader" "$kvex_sysdir\\regsvr32.exe" "$@"; }
cscript() { "$kvex_loader" "$kvex_sysdir\\cscript.exe" //nologo "$@"; }

# Registry keys print with CR LF; values are the last field of their line.
reg_value() {  # key [value-name]
  if [ $# -eq 2 ]; then
    reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n { print $NF }'
  else
    reg query "$1" /ve 2>/dev/null | tr -d '\r' | awk '/REG_/ { print $NF }'
  fi
}

key_exists() { reg query "$1" >/dev/null 2>&1; }

# The component's keys in this architecture's view (extra CLSIDs as arguments).
component_keys() {
  local id root progid
  for progid in "${progids[@]}"; do
    key_exists "HKCR\\$progid" && echo "HKCR\\$progid"
  done
  for id in "$@" "${ids[@]}"; do
    [ -n "$id" ] || continue
    for root in 'HKCR\CLSID' 'HKCR\Interface' 'HKCR\TypeLib'; do
      key_exists "$root\\$id" && echo "$root\\$id"
    done
  done
}

# Whatever an older build or an interrupted run left behind.
forget_component() {  # windows-path-of-dll
  local key
  regsvr32 /u /s "$1" >/dev/null 2>&1 || true
  while read -r key; do
    reg delete "$key" /f >/dev/null 2>&1
  done < <(component_keys)
}

# Runs one script (VBScript or JScript) with this architecture's cscript; its
# result file's last line must read PASS (Wine's cscript exits 0 even on a
# script error).
run_script() {  # label script [arguments...]
  local label=$1 script=$2 name rc last result_unix result_win
  shift 2
  name=$(basename "$script")
  result_unix="$WINEPREFIX/drive_c/kvex-results/$name-$part.txt"
  result_win="C:\\kvex-results\\$name-$part.txt"
  mkdir -p "$WINEPREFIX/drive_c/kvex-results"
  rm -f "$result_unix"
  echo "--- $label"
  timeout -k 10 "$SCRIPT_LIMIT" "$kvex_loader" "$kvex_sysdir\\cscript.exe" //nologo \
    "$(kvex_winepath -w "$script")" "$result_win" "$@"
  rc=$?
  [ -f "$result_unix" ] && tr -d '\r' <"$result_unix" | sed 's/^/    /'
  last=$([ -f "$result_unix" ] && tr -d '\r' <"$result_unix" | tail -n 1)
  if [ $rc -eq 0 ] && [ "$last" = PASS ]; then
    record "$label" PASS
  else
    record "$label (exit code $rc, last result line '${last:-none}')" FAIL
  fi
}

# ---- one architecture -----------------------------------------------------------------
run_arch() {  # x86|x64
  part=$1 part_started=$SECONDS
  trap finish EXIT
  kvex_use_arch "$part" || { record "a Wine loader for $part" FAIL; exit 1; }
  local build="$build_root/$part" dist="$dist_root/$part"
  export WINEPREFIX="$build/wine-prefix"
  # The 32-bit DLL's classes live in the 32-bit view (Wow6432Node); the
  # 64-bit export holds that node too, the 32-bit one shows what its hosts see.
  local views=(64)
  [ "$part" = x86 ] && views=(64 32)

  local dll="$dist/kvexfilt.dll"
  local suite="$build/tests/wine/kvex_wine_tests.exe"
  local platform_suite="$build/tests/wine/platform/kvex_platform_tests.exe"
  local driver="$build/tests/wine/kvex_drive.exe"
  [ -f "$dll" ] || { echo "wine-test: $dll not found (build first)"; record "component DLL present" FAIL; exit 1; }
  [ -f "$suite" ] || { echo "wine-test: $suite not found"; record "Windows test suite built" FAIL; exit 1; }

  kvex_prefix_ready || { record "Wine prefix $WINEPREFIX" FAIL; exit 1; }

  # ---- a clean registration ----
  local install_dir="$WINEPREFIX/drive_c/kvex" install_dll='C:\kvex\kvexfilt.dll'
  forget_component "$install_dll"
  rm -rf "$install_dir" "$WINEPREFIX/drive_c/kvex-results"
  mkdir -p "$install_dir" "$WINEPREFIX/drive_c/kvex-results"
  cp "$dll" "$install_dir/"

  # ---- registry snapshots ----
  # Both classes roots, in every view that matters, as UTF-8 text without the
  # export's version header line.
  local snapshots="$build/wine-registry"
  rm -rf "$snapshots"
  mkdir -p "$snapshots"
  snapshot() {  # name
    local hive file root view
    for hive in machine user; do
      root='HKLM\Software\Classes'
      [ "$hive" = user ] && root='HKCU\Software\Classes'
      for view in "${views[@]}"; do
        file="$snapshots/$1-$hive-$view"
        if reg export "$root" "$(kvex_winepath -w "$file.reg")" /y "/reg:$view" >/dev/null 2>&1; then
          iconv -f UTF-16LE -t UTF-8 "$file.reg" | tr -d '\r' | sed '1d' >"$file.txt"
        else
          echo "<no $root>" >"$file.txt"
        fi
        rm -f "$file.reg"
      done
    done
  }
  same_snapshots() {  # name name; prints what differs
    local hive view same=0
    for hive in machine user; do
      for view in "${views[@]}"; do
        if ! diff -u "$snapshots/$1-$hive-$view.txt" "$snapshots/$2-$hive-$view.txt" \
               >"$snapshots/$1-$2-$hive-$view.diff"; then
          echo "  $hive classes ($view-bit view) differ between '$1' and '$2':"
          head -n 40 "$snapshots/$1-$2-$hive-$view.diff" | sed 's/^/    /'
          same=1
        fi
      done
    done
    return $same
  }
  # What any Windows profile has, and what the component's registration
  # creates as parents and leaves: the comparison is about its own keys.
  reg add 'HKCU\Software\Classes\CLSID' /f >/dev/null 2>&1
  # Wine's script host registers its own type library whenever it runs; let it
  # do so before the first export, so that the scripts below change nothing.
  local warm_up="$snapshots/warm-up.vbs"
  echo 'WScript.Quit 0' >"$warm_up"
  cscript "$(kvex_winepath -w "$warm_up")" >/dev/null 2>&1
  snapshot before

  # ---- per-user registration ----
  # Done before the machine-wide one: Wine's per-user type library calls write
  # the machine's keys, and their removal would take the machine's with them.
  local user_classes='HKCU\Software\Classes' per_user_ok=PASS progid clsid server model back
  if regsvr32 /s /n /i:user "$install_dll" >/dev/null 2>&1 &&
     regsvr32 /s /n /i:user "$install_dll" >/dev/null 2>&1; then
    for progid in "${progids[@]}"; do
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
  if regsvr32 /s /u /n /i:user "$install_dll" >/dev/null 2>&1; then
    snapshot user-removed
    if same_snapshots before user-removed; then
      record "regsvr32 /u /n /i:user leaves both classes roots as they were" PASS
    else
      record "regsvr32 /u /n /i:user leaves both classes roots as they were" FAIL
    fi
  else
    record "regsvr32 /u /n /i:user (exit code $?)" FAIL
  fi

  # ---- machine-wide registration ----
  if regsvr32 /s "$install_dll" >/dev/null 2>&1; then
    record "regsvr32 registers $install_dll" PASS
  else
    record "regsvr32 registers $install_dll (exit code $?)" FAIL
    exit 1
  fi
  snapshot registered
  if regsvr32 /s "$install_dll" >/dev/null 2>&1 && snapshot registered-again &&
     same_snapshots registered registered-again; then
    record "a second regsvr32 changes nothing" PASS
  else
    record "a second regsvr32 changes nothing" FAIL
  fi

  # The keys a host relies on: both ProgIDs lead to a CLSID served in-process
  # by this copy, apartment-threaded.
  local registration_ok=PASS clsids=()
  for progid in "${progids[@]}"; do
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

  # ---- suites ----
  run_suite() {  # name exe
    local name=$1 exe=$2 rc
    echo "--- $name"
    # KVEX_GTEST_ARGS, e.g. --gtest_filter=Files.*, narrows a run.
    local log="$build/$name.log"
    # shellcheck disable=SC2086
    timeout -k 10 "$SUITE_LIMIT" "$kvex_loader" "$exe" --gtest_color=no ${KVEX_GTEST_ARGS:-} 2>&1 | tee "$log"
    rc=${PIPESTATUS[0]}
    # A Wine process that dies of a stack overflow can still exit with 0:
    # only a run whose last word is gtest's own PASSED line counts (the list
    # of skipped tests that gtest prints after it aside).
    if [ $rc -eq 0 ] && ! grep '^\[' "$log" | grep -v '^\[  SKIPPED \]' | tail -n 1 | grep -q '^\[  PASSED  \]'; then
      record "$name (stopped before its summary: a crash)" FAIL
    elif [ $rc -eq 0 ]; then
      record "$name" PASS
    elif [ $rc -eq 124 ] || [ $rc -eq 137 ]; then
      record "$name (timed out after ${SUITE_LIMIT}s)" FAIL
    else
      record "$name (exit code $rc)" FAIL
    fi
  }
  run_suite "kvex_wine_tests" "$suite"
  # A build that forgot a suite must not pass for it.
  if [ -f "$platform_suite" ]; then
    run_suite "kvex_platform_tests" "$platform_suite"
  else
    record "kvex_platform_tests (not built: $platform_suite)" FAIL
  fi

  local script
  for script in "$repo"/tests/wine/scripts/*.vbs "$repo"/tests/wine/scripts/*.js; do
    [ -f "$script" ] || continue
    run_script "script $(basename "$script")" "$script" "$(kvex_winepath -w "$driver")"
  done

  # ---- unregistration ----
  if regsvr32 /u /s "$install_dll" >/dev/null 2>&1; then
    record "regsvr32 /u unregisters" PASS
  else
    record "regsvr32 /u unregisters (exit code $?)" FAIL
  fi
  # Removing what is already gone is no error.
  if regsvr32 /u /s "$install_dll" >/dev/null 2>&1; then
    record "a second regsvr32 /u succeeds" PASS
  else
    record "a second regsvr32 /u succeeds (exit code $?)" FAIL
  fi
  local leftovers=()
  mapfile -t leftovers < <(component_keys "${clsids[@]}")
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
}

# ---- both DLLs side by side in one prefix ---------------------------------------------
# A machine may hold both builds at once: each registers in its own view, and a
# 32-bit and a 64-bit script host each reach the one of their bitness.
side_by_side() {
  part=x86+x64 part_started=$SECONDS
  trap finish EXIT
  export WINEPREFIX="$build_root/x64/wine-prefix"
  kvex_prefix_ready || { record "Wine prefix $WINEPREFIX" FAIL; exit 1; }
  local arch dll script="$repo/tests/wine/scripts/side-by-side/both_classes.vbs"
  for arch in x86 x64; do
    kvex_use_arch "$arch" || { record "a Wine loader for $arch" FAIL; exit 1; }
    dll="C:\\kvex-both\\$arch\\kvexfilt.dll"
    forget_component "$dll"
    rm -rf "$WINEPREFIX/drive_c/kvex-both/$arch"
    mkdir -p "$WINEPREFIX/drive_c/kvex-both/$arch"
    cp "$dist_root/$arch/kvexfilt.dll" "$WINEPREFIX/drive_c/kvex-both/$arch/"
  done
  for arch in x86 x64; do
    kvex_use_arch "$arch"
    dll="C:\\kvex-both\\$arch\\kvexfilt.dll"
    if regsvr32 /s "$dll" >/dev/null 2>&1; then
      record "$arch regsvr32 registers $dll" PASS
    else
      record "$arch regsvr32 registers $dll (exit code $?)" FAIL
    fi
  done
  for arch in x86 x64; do
    kvex_use_arch "$arch"
    run_script "$arch script host ($kvex_sysdir\\cscript.exe) uses both classes of C:\\kvex-both\\$arch" \
      "$script" "C:\\kvex-both\\$arch\\kvexfilt.dll"
  done
  local leftovers=()
  for arch in x86 x64; do
    kvex_use_arch "$arch"
    regsvr32 /u /s "C:\\kvex-both\\$arch\\kvexfilt.dll" >/dev/null 2>&1
  done
  for arch in x86 x64; do
    kvex_use_arch "$arch"
    mapfile -t -O ${#leftovers[@]} leftovers < <(component_keys | sed "s/^/$arch: /")
  done
  if [ ${#leftovers[@]} -eq 0 ]; then
    record "both unregister, no keys left in either view" PASS
  else
    printf '  left behind: %s\n' "${leftovers[@]}"
    record "both unregister, no keys left in either view" FAIL
  fi
}

# ---- the runs -------------------------------------------------------------------------
# On a machine whose kernel runs no 32-bit programs, x86 is checked statically
# only (tools/check-pe.sh) and each x86 run says so; it never counts as passed.
overall=0
verdicts=()
not_run=()
for arch in "${archs[@]}"; do
  if [ "$arch" = x86 ] && ! kvex_runs_32bit; then
    not_run+=("$(kvex_x86_not_run "the x86 DLL's registration, suites and scripts")")
  elif ( run_arch "$arch" ); then
    verdicts+=("$arch passed")
  else
    verdicts+=("$arch FAILED")
    overall=1
  fi
done
if [[ " ${archs[*]} " == *" x86 "* && " ${archs[*]} " == *" x64 "* ]]; then
  if ! kvex_runs_32bit; then
    not_run+=("$(kvex_x86_not_run "both DLLs side by side with a 32-bit and a 64-bit script host")")
  elif ( side_by_side ); then
    verdicts+=("x86+x64 passed")
  else
    verdicts+=("x86+x64 FAILED")
    overall=1
  fi
fi
echo
[ ${#not_run[@]} -eq 0 ] || printf 'wine-test: %s\n' "${not_run[@]}"
[ ${#verdicts[@]} -eq 0 ] || { printf 'wine-test:'; printf ' [%s]' "${verdicts[@]}"; echo; }
exit $overall

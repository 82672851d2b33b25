# shellcheck shell=bash
# Sourced by every script that runs Windows code under Wine (wine-test.sh,
# package-test.sh, demo.sh, wine-bench.sh): which loader runs which
# architecture, whether this machine can run 32-bit programs at all, and a
# prefix that serves both. Callers set $repo (the repository root) first.
#
# With 32-bit Wine installed, the `wine` launcher starts the 32-bit loader,
# which reads C:\windows\system32 as syswow64 and sees the 32-bit registry
# view. 64-bit programs and tools therefore always go to the 64-bit loader and
# the 64-bit wineserver, by path; 32-bit ones to the 32-bit loader, by path,
# and C:\windows\syswow64. No step goes through the launcher.
#
# Some kernels run no 32-bit programs at all (IA-32 emulation switched off:
# every i386 execve fails with "Exec format error"). On such a machine x86 is
# checked statically only and every x86 run says it was not run, and why.
# KVEX_NO_32BIT=1 makes this machine answer as such a one, for testing the
# scripts: it also hides the `wine` launcher and its tool links from PATH, so
# a step that still goes through them fails.

# The answers are worked out once and exported: scripts re-executed under
# xvfb-run, and scripts they call, read them instead of asking again.
kvex_decide_loaders() {
  local launcher probe_dir probe out rc
  launcher=$(command -v wine || true)
  KVEX_WINE64= KVEX_WINE32=
  if [ -n "$launcher" ]; then
    KVEX_WINE64=$(sed -n 's/^wine64=//p' "$launcher" | head -n 1)
    KVEX_WINE32=$(sed -n 's/^wine32=//p' "$launcher" | head -n 1)
  fi
  [ -n "$KVEX_WINE64" ] || KVEX_WINE64=/usr/lib/wine/wine64
  [ -n "$KVEX_WINE32" ] || KVEX_WINE32=/usr/lib/wine/wine
  KVEX_WINESERVER64="$(dirname "$KVEX_WINE64")/wineserver64"
  [ -x "$KVEX_WINESERVER64" ] || KVEX_WINESERVER64="$(dirname "$KVEX_WINE64")/wineserver"

  # Does the kernel execute an i386 program? A 93-byte static ELF that only
  # calls exit(0) asks it without any 32-bit library or Wine.
  if [ "${KVEX_NO_32BIT:-0}" = 1 ]; then
    KVEX_RUNS_32BIT=no
    KVEX_NO_32BIT_REASON="this machine's kernel does not execute 32-bit programs (KVEX_NO_32BIT=1 makes it answer so)"
  else
    probe_dir="${repo:-.}/build"
    mkdir -p "$probe_dir"
    probe=$(mktemp "$probe_dir/.i386-probe.XXXXXX")
    printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000'\
'\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000'\
'\064\000\040\000\001\000\000\000\000\000\000\000'\
'\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\135\000\000\000\135\000\000\000'\
'\005\000\000\000\000\020\000\000'\
'\270\001\000\000\000\061\333\315\200' >"$probe"
    chmod +x "$probe"
    out=$("$probe" 2>&1) && rc=0 || rc=$?
    rm -f "$probe"
    if [ $rc -eq 0 ]; then
      KVEX_RUNS_32BIT=yes
      KVEX_NO_32BIT_REASON=
    else
      KVEX_RUNS_32BIT=no
      case $out in
        *"Exec format error"*) KVEX_NO_32BIT_REASON="this machine's kernel does not execute 32-bit programs" ;;
        *) KVEX_NO_32BIT_REASON="a 32-bit program could not start here (${out##*: })" ;;
      esac
    fi
  fi

  if [ "${KVEX_NO_32BIT:-0}" = 1 ]; then
    # Everything that would reach the launcher fails as on such a machine.
    local shim_dir="${repo:-.}/build/.no-32bit-bin" tool
    mkdir -p "$shim_dir"
    for tool in wine wine-stable wineboot winepath wineserver winecfg wineconsole winedbg winefile \
                msiexec regedit regsvr32 notepad wine64 wine64-stable; do
      printf '#!/bin/sh\necho "%s: hidden by KVEX_NO_32BIT=1 (use the 64-bit loader by path): Exec format error" >&2\nexit 126\n' \
        "$tool" >"$shim_dir/$tool"
      chmod +x "$shim_dir/$tool"
    done
    case ":$PATH:" in *":$shim_dir:"*) ;; *) PATH="$shim_dir:$PATH" ;; esac
    export PATH
  fi
  export KVEX_WINE64 KVEX_WINE32 KVEX_WINESERVER64 KVEX_RUNS_32BIT KVEX_NO_32BIT_REASON
}
[ -n "${KVEX_RUNS_32BIT:-}" ] || kvex_decide_loaders

# No Mono or Gecko installer prompts while a prefix is made, and no menu
# builder rewriting file associations (.js, .lnk) in the background while a
# test compares registry snapshots.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# kvex_runs_32bit: true when this machine executes 32-bit programs.
kvex_runs_32bit() { [ "$KVEX_RUNS_32BIT" = yes ]; }

# kvex_not_run what: the line every skipped x86 step prints.
kvex_x86_not_run() { echo "x86: not run: $KVEX_NO_32BIT_REASON${1:+ ($1)}"; }

# The 64-bit tools, by path.
kvex_wineserver() { "$KVEX_WINESERVER64" "$@"; }
kvex_winepath() { "$KVEX_WINE64" winepath "$@"; }

# shellcheck disable=SC2034  # kvex_loader and kvex_sysdir are for the caller
# kvex_use_arch x86|x64: sets kvex_loader and kvex_sysdir (the folder of that
# architecture's regsvr32, reg and cscript as the program sees it). Fails for
# x86 on a machine that runs no 32-bit programs: callers ask kvex_runs_32bit
# first and report the step as not run.
kvex_use_arch() {
  case $1 in
    x86)
      kvex_runs_32bit || { kvex_x86_not_run >&2; return 1; }
      if [ ! -x "$KVEX_WINE32" ]; then
        echo "wine: no 32-bit loader ($KVEX_WINE32); make deps installs wine32:i386" >&2
        return 1
      fi
      kvex_loader=$KVEX_WINE32
      kvex_sysdir='C:\windows\syswow64'
      ;;
    x64)
      if [ ! -x "$KVEX_WINE64" ]; then
        echo "wine: no 64-bit loader ($KVEX_WINE64); make deps installs wine64" >&2
        return 1
      fi
      kvex_loader=$KVEX_WINE64
      kvex_sysdir='C:\windows\system32'
      ;;
    *) echo "wine: unknown architecture '$1' (x86 or x64)" >&2; return 1 ;;
  esac
}

# kvex_pe_machine file: the machine field of a PE image in hex (14c: i386,
# 8664: x86-64), nothing when the file is missing or no PE image.
kvex_pe_machine() {
  local pe
  [ -f "$1" ] || return 0
  pe=$(od -An -t u4 -j 60 -N 4 "$1" 2>/dev/null | tr -d ' ')
  [ -n "$pe" ] || return 0
  [ "$(od -An -c -j "$pe" -N 4 "$1" 2>/dev/null | tr -d ' ')" = 'PE\0\0' ] || return 0
  od -An -t x2 -j $((pe + 4)) -N 2 "$1" 2>/dev/null | tr -d ' ' | sed 's/^0*//'
}

# kvex_prefix_ready: makes $WINEPREFIX (WINEARCH=win64) when missing, starts
# its wineserver and sets what every run needs. A prefix made while only
# 64-bit Wine was installed has no i386 kernel32.dll in syswow64, and the
# 32-bit loader then fails with "could not load kernel32.dll": such a prefix
# is made anew.
kvex_prefix_ready() {
  local w64=$KVEX_WINE64
  if [ ! -x "$w64" ]; then
    echo "wine: no 64-bit loader ($w64)" >&2
    return 1
  fi
  if kvex_runs_32bit && [ -f "$WINEPREFIX/system.reg" ] &&
     [ "$(kvex_pe_machine "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll")" != 14c ]; then
    echo "wine: $WINEPREFIX has no 32-bit half; making it anew"
    kvex_wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: creating the prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    WINEARCH=win64 timeout 600 "$w64" wineboot -i >/dev/null 2>&1 ||
      { echo "wine: wineboot failed for $WINEPREFIX" >&2; return 1; }
  fi
  kvex_wineserver -p >/dev/null 2>&1 || true  # one server for every step that follows
  # Wine draws its own title bars and frames: no window manager runs here.
  "$w64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  # 96 dpi unless a test asks for more; a high-dpi run cut short may have left its value.
  "$w64" reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1
  # A crash ends the process at once instead of waiting in winedbg; 32-bit
  # processes read this key from their own view.
  local view
  for view in 64 32; do
    "$w64" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /t REG_SZ \
      /d '' /f "/reg:$view" >/dev/null 2>&1
  done
}

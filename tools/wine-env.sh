# shellcheck shell=bash
# Sourced by the Wine scripts (wine-test.sh, demo.sh): which loader runs which
# architecture, and a prefix that serves both.
#
# With 32-bit Wine installed, the `wine` launcher starts the 32-bit loader,
# which reads C:\windows\system32 as syswow64 and sees the 32-bit registry
# view. 64-bit programs therefore go to the 64-bit loader the launcher names
# on its wine64= line; 32-bit ones to `wine` and C:\windows\syswow64.

kvex_launcher=$(command -v wine || true)
kvex_wine64=$([ -n "$kvex_launcher" ] && sed -n 's/^wine64=//p' "$kvex_launcher" | head -n 1)
kvex_wine32=$([ -n "$kvex_launcher" ] && sed -n 's/^wine32=//p' "$kvex_launcher" | head -n 1)

# shellcheck disable=SC2034  # kvex_loader and kvex_sysdir are for the caller
# kvex_use_arch x86|x64: sets kvex_loader and kvex_sysdir (the folder of that
# architecture's regsvr32, reg and cscript as the program sees it).
kvex_use_arch() {
  case $1 in
    x86)
      # Without wine32 the launcher quietly falls back to the 64-bit loader.
      if [ -z "$kvex_wine32" ] || [ ! -x "$kvex_wine32" ]; then
        echo "wine: no 32-bit loader (${kvex_wine32:-none}); make deps installs wine32:i386" >&2
        return 1
      fi
      kvex_loader=wine
      kvex_sysdir='C:\windows\syswow64'
      ;;
    x64)
      if [ -z "$kvex_wine64" ] || [ ! -x "$kvex_wine64" ]; then
        echo "wine: no 64-bit loader named in ${kvex_launcher:-the wine launcher}" >&2
        return 1
      fi
      kvex_loader=$kvex_wine64
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
  local w64=$kvex_wine64
  if [ -z "$w64" ] || [ ! -x "$w64" ]; then
    echo "wine: no 64-bit loader" >&2
    return 1
  fi
  if [ -f "$WINEPREFIX/system.reg" ] &&
     [ "$(kvex_pe_machine "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll")" != 14c ]; then
    echo "wine: $WINEPREFIX has no 32-bit half; making it anew"
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: creating the prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    WINEARCH=win64 timeout 600 "$w64" wineboot -i >/dev/null 2>&1 ||
      { echo "wine: wineboot failed for $WINEPREFIX" >&2; return 1; }
  fi
  wineserver -p >/dev/null 2>&1 || true  # one server for every step that follows
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

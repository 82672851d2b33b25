#!/usr/bin/env bash
# Opens the Filter Maker through kvexhost.exe with empty arguments, in a
# private Wine prefix (build/demo-prefix):
#   tools/demo.sh <dist-dir>
# With a display the dialog is simply shown to the user. Without one it runs
# under Xvfb: once the window is up a screenshot is saved to
# build/demo/filter-maker.png and the dialog is closed again.
# KVEX_DPI=144 (or 120, 192) shows it as on a screen scaled to that dpi.
set -uo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 <dist-dir>" >&2
  exit 2
fi

repo=$(cd "$(dirname "$0")/.." && pwd)
dist=$(realpath -m "$1")
export WINEPREFIX="$repo/build/demo-prefix"
export WINEDEBUG=-all
export WINEARCH=win64
driver=${KVEX_DRIVE:-$repo/build/x64/tests/wine/kvex_drive.exe}
shot_dir="$repo/build/demo"
shot="$shot_dir/filter-maker.png"
caption="Filter Maker - ()"

for f in "$dist/kvexfilt.dll" "$dist/kvexhost.exe"; do
  [ -f "$f" ] || { echo "demo: $f not found (make dist)" >&2; exit 1; }
done

if [ -z "${DISPLAY:-}" ] && [ -z "${KVEX_DEMO_INNER:-}" ]; then
  exec env KVEX_DEMO_INNER=1 xvfb-run -a -s "-screen 0 1600x1200x24 -nolisten tcp" "$0" "$@"
fi

# The 64-bit DLL, so everything runs under the 64-bit loader: with 32-bit Wine
# installed, plain `wine` would start 32-bit programs.
# shellcheck source=tools/wine-env.sh
. "$repo/tools/wine-env.sh"
trap 'kvex_wineserver -k >/dev/null 2>&1 || true' EXIT
kvex_use_arch x64 || exit 1
wine64=$kvex_loader
kvex_prefix_ready || exit 1
if [ -n "${KVEX_DPI:-}" ]; then
  "$wine64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$KVEX_DPI" /f >/dev/null 2>&1
fi

# The component keeps position.ini and the Filters folder beside itself: run a
# copy inside the prefix, never the one in dist/.
install_dir="$WINEPREFIX/drive_c/kvex"
mkdir -p "$install_dir"
cp "$dist/kvexfilt.dll" "$dist/kvexhost.exe" "$install_dir/"
if ! "$wine64" 'C:\windows\system32\regsvr32.exe' /s 'C:\kvex\kvexfilt.dll' >/dev/null 2>&1; then
  echo "demo: regsvr32 could not register the component" >&2
  exit 1
fi

if [ -z "${KVEX_DEMO_INNER:-}" ]; then
  echo "demo: opening the Filter Maker; close it to end the demo"
  "$wine64" 'C:\kvex\kvexhost.exe' fm
  exit $?
fi

if [ ! -f "$driver" ]; then
  echo "demo: $driver not found (make x64 builds it)" >&2
  exit 1
fi

host_out=$(mktemp)
"$wine64" 'C:\kvex\kvexhost.exe' fm >"$host_out" 2>&1 &
host_pid=$!

status=0
if rect=$("$wine64" "$driver" rect "$caption" 60 | tr -d '\r'); then
  sleep 1  # let the first paint finish
  mkdir -p "$shot_dir"
  read -r width height left top <<<"$rect"
  margin=12
  crop="$((width + 2 * margin))x$((height + 2 * margin))+$((left > margin ? left - margin : 0))+$((top > margin ? top - margin : 0))"
  if xwd -root -silent | convert xwd:- -crop "$crop" +repage "png:$shot"; then
    echo "demo: screenshot of the Filter Maker: $shot"
  else
    echo "demo: the screenshot failed" >&2
    status=1
  fi
  "$wine64" "$driver" close "$caption" 20 || status=1
else
  echo "demo: the Filter Maker window did not appear" >&2
  status=1
fi

# The host returns once the dialog has closed; give it a bounded time.
for _ in $(seq 1 100); do
  kill -0 "$host_pid" 2>/dev/null || break
  sleep 0.2
done
if kill -0 "$host_pid" 2>/dev/null; then
  echo "demo: kvexhost.exe did not return" >&2
  kill "$host_pid" 2>/dev/null
  status=1
else
  wait "$host_pid" || status=1
fi
tr -d '\r' <"$host_out" | sed 's/^/kvexhost: /'
rm -f "$host_out"
exit $status

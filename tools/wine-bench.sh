#!/usr/bin/env bash
# Open-to-idle benchmark under Wine, 64-bit:
#   tools/wine-bench.sh <dist-dir> <open_bench.exe> [runs]
# Registers a copy of the DLL in a private prefix (build/bench-prefix) and
# runs the benchmark there under Xvfb; the prefix's wineserver is ended after.
set -uo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 <dist-dir> <open_bench.exe> [runs]" >&2
  exit 2
fi

repo=$(cd "$(dirname "$0")/.." && pwd)
dist=$(realpath -m "$1")
bench_exe=$(realpath -m "$2")
runs=${3:-15}
export WINEPREFIX="$repo/build/bench-prefix"
export WINEDEBUG=-all
export WINEARCH=win64

for f in "$dist/kvexfilt.dll" "$bench_exe"; do
  [ -f "$f" ] || { echo "wine-bench: $f not found" >&2; exit 1; }
done

if [ -z "${KVEX_BENCH_INNER:-}" ]; then
  exec env KVEX_BENCH_INNER=1 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi

# shellcheck source=tools/wine-env.sh
. "$repo/tools/wine-env.sh"
trap 'kvex_wineserver -k >/dev/null 2>&1 || true' EXIT
kvex_use_arch x64 || exit 1
kvex_prefix_ready || exit 1

# position.ini and the Filters folder land beside the DLL: a copy in the prefix.
install_dir="$WINEPREFIX/drive_c/kvex"
mkdir -p "$install_dir"
cp "$dist/kvexfilt.dll" "$bench_exe" "$install_dir/"
if ! "$kvex_loader" 'C:\windows\system32\regsvr32.exe' /s 'C:\kvex\kvexfilt.dll' >/dev/null 2>&1; then
  echo "wine-bench: regsvr32 could not register the component" >&2
  exit 1
fi
timeout 300 "$kvex_loader" "C:\\kvex\\$(basename "$bench_exe")" "$runs" | tr -d '\r'
exit "${PIPESTATUS[0]}"

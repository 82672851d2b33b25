#!/usr/bin/env bash
# Turns addresses from a crash report into function, file and line:
#   tools/symbolize.sh <image.debug> <module offset>...
# A module offset is the crash address less the address the image was loaded
# at, in hex (Windows reports it as kvexfilt.dll+0x3850). The symbol file is
# the image's .debug from kvexfilt-<version>-symbols.zip; the mingw-w64
# binutils read both architectures' files.
set -euo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 <image.debug> <module offset>..." >&2
  exit 2
fi
debug=$1
shift
base=$(x86_64-w64-mingw32-objdump -p "$debug" 2>/dev/null | awk '$1 == "ImageBase" { print $2 }' || true)
[ -n "$base" ] || { echo "symbolize: $debug is no Windows image or symbol file" >&2; exit 1; }
for offset in "$@"; do
  [[ $offset =~ ^(0[xX])?[0-9a-fA-F]+$ ]] || { echo "symbolize: '$offset' is no hex offset" >&2; exit 2; }
  printf '0x%x\n' $((0x$base + 0x${offset#0[xX]}))
done | x86_64-w64-mingw32-addr2line -f -C -i -p -e "$debug"

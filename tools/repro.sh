#!/usr/bin/env bash
# Builds the commit checked out twice, from two clones in two folders, one
# after the other and under another time zone and umask, and compares every
# release file byte for byte:
#   tools/repro.sh <work-dir> [jobs]
# Only what a release holds is built (the images and the package tool).
# Uncommitted changes are in neither build. The clones stay when a file
# differs, for a look with cmp -l or diffoscope.
set -euo pipefail

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  echo "usage: $0 <work-dir> [jobs]" >&2
  exit 2
fi
repo=$(cd "$(dirname "$0")/.." && pwd)
work=$(realpath -m "$1")
jobs=${2:-2}
commit=$(git -C "$repo" rev-parse HEAD)
[ -z "$(git -C "$repo" status --porcelain --untracked-files=no)" ] ||
  echo "repro: building commit $commit; uncommitted changes are not part of it"

# Different lengths, so that no path can hide at the same offsets.
folders=("$work/one/kvexfilt" "$work/the-second-build/src")
rm -rf "$work"
started=$SECONDS
build() {  # folder time-zone umask
  local folder=$1 began=$SECONDS
  git clone -q "$repo" "$folder"
  git -C "$folder" checkout -q --detach "$commit"
  (cd "$folder" && umask "$3" && TZ=$2 make package JOBS="$jobs" NATIVE_TARGETS=kvex_wxs \
     CROSS_TARGETS="kvexfilt kvexhost" >"$folder.log" 2>&1) ||
    { echo "repro: the build in $folder failed; its log:" >&2; tail -n 30 "$folder.log" >&2; exit 1; }
  echo "repro: built in $folder in $((SECONDS - began)) s"
}
build "${folders[0]}" UTC 022
build "${folders[1]}" Pacific/Kiritimati 077

files=()
for arch in x64 x86; do
  for image in kvexfilt.dll kvexhost.exe; do files+=("$arch/$image" "$arch/$image.debug"); done
done
# The packages, as the first build's checksum file names them.
files+=($(awk '{ print $2 }' "${folders[0]}/dist/SHA256SUMS") SHA256SUMS)
differ=0
for f in "${files[@]}"; do
  if cmp -s "${folders[0]}/dist/$f" "${folders[1]}/dist/$f"; then
    echo "  same     $f"
  else
    echo "  DIFFERS  $f"
    differ=1
  fi
done
echo "repro: $((SECONDS - started)) s"
if [ "$differ" -ne 0 ]; then
  echo "repro: FAILED; the builds are in $work"
  exit 1
fi
rm -rf "$work"
echo "repro: commit $commit builds the same bytes twice"

#!/usr/bin/env bash
# Builds the installer packages and the zip from the DLLs in dist/:
#   tools/package.sh <native-build> <x86-build> <dist> [version [out-dir]]
# out-dir/kvexfilt-<version>.msi      x64: both DLLs, each registered for its hosts
# out-dir/kvexfilt-<version>-x86.msi  the 32-bit DLL alone, for 32-bit Windows
# out-dir/kvexfilt-<version>-user.msi x64, both DLLs, for the current user (no elevation)
# out-dir/kvexfilt-<version>.zip      DLLs, demo hosts, README, samples, type library
# The version defaults to the build's (CMake project); the tests pass a lower
# one to build a package to upgrade from. out-dir defaults to dist.
set -euo pipefail

if [ $# -lt 3 ] || [ $# -gt 5 ]; then
  echo "usage: $0 <native-build> <x86-build> <dist> [version [out-dir]]" >&2
  exit 2
fi
repo=$(cd "$(dirname "$0")/.." && pwd)
wxs_tool=$(realpath "$1")/tools/package/kvex_wxs
x86_build=$(realpath "$2")
dist=$(realpath "$3")
version=${4:-$("$wxs_tool" version)}
out=$(realpath -m "${5:-$dist}")
work="$out/.package-$version"

for f in "$dist/x64/kvexfilt.dll" "$dist/x86/kvexfilt.dll" "$dist/x64/kvexhost.exe" "$dist/x86/kvexhost.exe"; do
  [ -f "$f" ] || { echo "package: $f not found (build first)" >&2; exit 1; }
done
rm -rf "$work"
mkdir -p "$work" "$out"

# What wixl cannot say: the file versions (upgrades compare them). What the
# DLL writes beside itself at run time (Filters, position.ini) is the users'
# and is never removed.
post_edit() {  # msi bits...
  local msi=$1 bits
  shift
  for bits in "$@"; do
    msibuild "$msi" -q "UPDATE \`File\` SET \`Version\` = '$version.0' WHERE \`File\` = 'KvexFiltDll$bits'"
  done
}

# File sources are relative to the dist folder (wixl refuses absolute ones).
"$wxs_tool" x64 "$version" >"$work/kvexfilt-x64.wxs"
"$wxs_tool" x86 "$version" >"$work/kvexfilt-x86.wxs"
"$wxs_tool" user "$version" >"$work/kvexfilt-user.wxs"
(cd "$dist" && wixl -a x64 -o "$out/kvexfilt-$version.msi" "$work/kvexfilt-x64.wxs")
(cd "$dist" && wixl -a x86 -o "$out/kvexfilt-$version-x86.msi" "$work/kvexfilt-x86.wxs")
post_edit "$out/kvexfilt-$version.msi" 64 32
(cd "$dist" && wixl -a x64 -o "$out/kvexfilt-$version-user.msi" "$work/kvexfilt-user.wxs")
post_edit "$out/kvexfilt-$version-x86.msi" 32
post_edit "$out/kvexfilt-$version-user.msi" 64 32

# The zip: what a user registers by hand with regsvr32.
stage="$work/kvexfilt-$version"
mkdir -p "$stage/x64" "$stage/x86" "$stage/samples" "$stage/include"
for arch in x64 x86; do
  cp "$dist/$arch/kvexfilt.dll" "$dist/$arch/kvexhost.exe" "$stage/$arch/"
done
cp -r "$repo/README.md" "$repo/CHANGELOG.md" "$repo/docs" "$stage/"
cp "$repo"/samples/kvexfilt-sample.* "$repo"/samples/*.cpp "$repo"/samples/*.h "$stage/samples/"
generated="$x86_build/src/plugin/generated"
cp "$generated/kvexfilt.tlb" "$generated/kvexfilt_h.h" "$generated/kvexfilt_i.c" "$stage/include/"
rm -f "$out/kvexfilt-$version.zip"
(cd "$work" && zip -qr -X "$out/kvexfilt-$version.zip" "kvexfilt-$version")
rm -rf "$work"
echo "package: $out/kvexfilt-$version.msi, kvexfilt-$version-x86.msi, kvexfilt-$version-user.msi, kvexfilt-$version.zip"

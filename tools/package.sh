#!/usr/bin/env bash
# Builds the release files from the images in dist/:
#   tools/package.sh <native-build> <x86-build> <dist> [version [out-dir]]
# out-dir/kvexfilt-<version>.msi         x64: both DLLs, each registered for its hosts
# out-dir/kvexfilt-<version>-x86.msi     the 32-bit DLL alone, for 32-bit Windows
# out-dir/kvexfilt-<version>-user.msi    x64, both DLLs, for the current user (no elevation)
# out-dir/kvexfilt-<version>.zip         DLLs, demo hosts, README, samples, type library
# out-dir/kvexfilt-<version>-symbols.zip the debug information of every image
# out-dir/SHA256SUMS                     the checksums of the five
# The version defaults to the build's (CMake project); the tests pass a lower
# one to build a package to upgrade from. out-dir defaults to dist.
# Built twice from one commit, every file is the same bytes: times are the
# commit's (tools/source-date-epoch.sh), the package codes derive from the
# version and the commit.
# Signing (Authenticode, SHA-256, osslsigncode) of the images and the MSIs,
# from the environment: SIGN_CERT and SIGN_KEY (PEM), or SIGN_PKCS12 with
# SIGN_PASSWORD; SIGN_TIMESTAMP_URL adds an RFC 3161 time stamp.
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
epoch=$("$repo/tools/source-date-epoch.sh")
commit=$(git -C "$repo" rev-parse HEAD 2>/dev/null || echo none)
# Zip and cabinet entries hold local times.
export TZ=UTC

images=(x64/kvexfilt.dll x86/kvexfilt.dll x64/kvexhost.exe x86/kvexhost.exe)
for f in "${images[@]}" "${images[@]/%/.debug}"; do
  [ -f "$dist/$f" ] || { echo "package: $dist/$f not found (build first)" >&2; exit 1; }
done

# Signing arguments from the environment; none means an unsigned release.
sign_with=()
if [ -n "${SIGN_PKCS12:-}" ]; then
  [ -f "$SIGN_PKCS12" ] || { echo "package: SIGN_PKCS12 $SIGN_PKCS12 not found" >&2; exit 1; }
  sign_with=(-pkcs12 "$(realpath "$SIGN_PKCS12")")
elif [ -n "${SIGN_CERT:-}${SIGN_KEY:-}" ]; then
  for f in "${SIGN_CERT:-}" "${SIGN_KEY:-}"; do
    [ -n "$f" ] && [ -f "$f" ] ||
      { echo "package: signing needs both SIGN_CERT and SIGN_KEY as files ('${SIGN_CERT:-}', '${SIGN_KEY:-}')" >&2; exit 1; }
  done
  sign_with=(-certs "$(realpath "$SIGN_CERT")" -key "$(realpath "$SIGN_KEY")")
fi
[ -n "${SIGN_TIMESTAMP_URL:-}" ] && [ ${#sign_with[@]} -gt 0 ] && sign_with+=(-ts "$SIGN_TIMESTAMP_URL")
# A password goes through a pipe, never the command line.
[ -n "${SIGN_PASSWORD:-}" ] && [ ${#sign_with[@]} -gt 0 ] && sign_with+=(-readpass /dev/stdin)
sign() {  # file...: signed in place
  local f
  for f in "$@"; do
    printf '%s' "${SIGN_PASSWORD:-}" |
      osslsigncode sign "${sign_with[@]}" -h sha256 -n kvexfilt -in "$f" -out "$f.signed" >/dev/null ||
      { echo "package: signing $f failed" >&2; exit 1; }
    mv "$f.signed" "$f"
  done
}
signed() { [ ${#sign_with[@]} -gt 0 ]; }

rm -rf "$work"
mkdir -p "$work" "$out"

# The same times and modes in every build.
settle() {  # folder
  find "$1" -type d -exec chmod 0755 {} + -o -type f -exec chmod 0644 {} +
  find "$1" -exec touch -h -d "@$epoch" {} +
}
# The same bytes for the same files: entries sorted, no extra fields.
zip_folder() {  # archive folder-under-work
  settle "$work/$2"
  rm -f "$1"
  (cd "$work" && find "$2" | LC_ALL=C sort | zip -q -X "$1" -@)
}
# A GUID that names one package of one version of one commit.
derived_guid() {  # text
  local hash
  hash=$(printf '%s' "$1" | sha256sum | tr a-f A-F)
  echo "{${hash:0:8}-${hash:8:4}-${hash:12:4}-${hash:16:4}-${hash:20:12}}"
}

# The images that go into every package, signed first when asked.
files="$work/files"
mkdir -p "$files/x64" "$files/x86"
for f in "${images[@]}"; do cp "$dist/$f" "$files/$f"; done
if signed; then
  sign "${images[@]/#/$files/}"
else
  echo "package: no SIGN_CERT and SIGN_KEY (or SIGN_PKCS12): nothing is signed"
fi
settle "$files"

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

# One package: its WiX source, the build (file sources are relative to the
# images' folder; wixl refuses absolute ones), the edits, its codes and times.
msi_names=()
build_msi() {  # kind arch suffix bits...
  local kind=$1 arch=$2 msi="$out/kvexfilt-$version$3.msi"
  shift 3
  "$wxs_tool" "$kind" "$version" "$(derived_guid "product $kind $version $commit")" >"$work/kvexfilt-$kind.wxs"
  (cd "$files" && wixl -a "$arch" -o "$msi" "$work/kvexfilt-$kind.wxs")
  post_edit "$msi" "$@"
  # Debian's python3, which has python3-olefile (PATH may name another).
  /usr/bin/python3 "$repo/tools/package/msi_stamp.py" "$msi" "$epoch" "$(derived_guid "package $kind $version $commit")"
  if signed; then sign "$msi"; fi
  msi_names+=("$(basename "$msi")")
}
build_msi x64 x64 "" 64 32
build_msi x86 x86 -x86 32
build_msi user x64 -user 64 32

# The zip: what a user registers by hand with regsvr32.
stage="$work/kvexfilt-$version"
mkdir -p "$stage/samples" "$stage/include"
cp -r "$files/x64" "$files/x86" "$stage/"
cp -r "$repo/README.md" "$repo/CHANGELOG.md" "$repo/docs" "$stage/"
cp "$repo"/samples/kvexfilt-sample.* "$repo"/samples/*.cpp "$repo"/samples/*.h "$stage/samples/"
generated="$x86_build/src/plugin/generated"
cp "$generated/kvexfilt.tlb" "$generated/kvexfilt_h.h" "$generated/kvexfilt_i.c" "$stage/include/"
zip_folder "$out/kvexfilt-$version.zip" "kvexfilt-$version"

# The symbols: each image's debug information, in the folder of its image.
symbols="$work/kvexfilt-$version-symbols"
mkdir -p "$symbols/x64" "$symbols/x86"
for f in "${images[@]}"; do cp "$dist/$f.debug" "$symbols/$f.debug"; done
zip_folder "$out/kvexfilt-$version-symbols.zip" "kvexfilt-$version-symbols"

release=("${msi_names[@]}" "kvexfilt-$version.zip" "kvexfilt-$version-symbols.zip")
(cd "$out" && sha256sum "${release[@]}" >SHA256SUMS)
rm -rf "$work"
echo "package: $out: ${release[*]}, SHA256SUMS"

#!/usr/bin/env bash
# Checks the release files beyond installing them (tools/package-test.sh):
#   tools/release-test.sh <native-build> <x86-build> <x64-build> <dist> <work-dir>
# Unsigned, the release says so, its zip holds the images of dist as they
# are, and a second run, later, in another time zone and umask, gives the
# same bytes in every file. Signed with a throwaway self-signed certificate,
# both ways of naming the key (PEM certificate and key; PKCS#12 with its
# password in the environment) sign the four images of the zip and the three
# MSIs with SHA-256, which osslsigncode verifies against that certificate,
# and leave dist as it was. SHA256SUMS matches each release. Under Wine the
# signed DLL registers and a script host creates both classes and opens the
# Filter Maker: x64 through the 64-bit loader, x86 where this machine runs
# 32-bit programs.
set -uo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tools/test-steps.sh
. "$repo/tools/test-steps.sh"
release_check_start "$0" "$@"
version=$("$native/tools/package/kvex_wxs" version)
images=(x64/kvexfilt.dll x86/kvexfilt.dll x64/kvexhost.exe x86/kvexhost.exe)
msis=("kvexfilt-$version.msi" "kvexfilt-$version-x86.msi" "kvexfilt-$version-user.msi")
started=$SECONDS

rm -rf "$work"
mkdir -p "$work"
cert="$work/signer.pem" key="$work/signer.key"
export KVEX_TEST_P12_PASSWORD="throwaway $$"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=kvexfilt test signer" \
  -addext extendedKeyUsage=codeSigning -keyout "$key" -out "$cert" >/dev/null 2>&1 &&
  openssl pkcs12 -export -in "$cert" -inkey "$key" -passout env:KVEX_TEST_P12_PASSWORD \
    -out "$work/signer.p12" >/dev/null 2>&1 ||
  { echo "release-test: openssl could not make the certificate" >&2; exit 1; }
dist_before=$(cd "$dist" && sha256sum "${images[@]}")

release() {  # name [VAR=value...]: tools/package.sh into work/name, its output in work/name.log
  local name=$1
  shift
  env -u SIGN_CERT -u SIGN_KEY -u SIGN_PKCS12 -u SIGN_PASSWORD -u SIGN_TIMESTAMP_URL "$@" \
    "$repo/tools/package.sh" "$native" "$x86_build" "$dist" "$version" "$work/$name" >"$work/$name.log" 2>&1 &&
    unzip -q "$work/$name/kvexfilt-$version.zip" -d "$work/$name/unzipped"
}
verified() {  # file: signed by the test's certificate over a SHA-256 digest
  osslsigncode verify -CAfile "$cert" -in "$1" >"$1.verify" 2>&1 && grep -q '^Signature verification: ok' "$1.verify" &&
    grep -q '^Message digest algorithm *: SHA256' "$1.verify"
}
all_signed() {  # name
  local f ok=0
  for f in "${images[@]/#/unzipped/kvexfilt-$version/}" "${msis[@]}"; do
    verified "$work/$1/$f" || { echo "        $f: $(tail -n 1 "$work/$1/$f.verify")"; ok=1; }
  done
  return $ok
}
sums_match() { (cd "$work/$1" && sha256sum --quiet -c SHA256SUMS); }

same_release() {  # name other: every file of both is the same bytes
  local f ok=0
  for f in $(awk '{ print $2 }' "$work/$1/SHA256SUMS") SHA256SUMS; do
    cmp -s "$work/$1/$f" "$work/$2/$f" || { echo "        $f differs"; ok=1; }
  done
  return $ok
}

msis_stamped() {  # name
  local msi stamp ok=0
  stamp=$(LC_ALL=C TZ=UTC date -d "@$("$repo/tools/source-date-epoch.sh")" '+%a %b %e %H:%M:%S %Y')
  for msi in "${msis[@]}"; do
    [ "$(TZ=UTC msiinfo suminfo "$work/$1/$msi" | grep -cx "\(Created\|Last saved\): $stamp")" -eq 2 ] ||
      { echo "        $msi: not stamped $stamp"; ok=1; }
  done
  return $ok
}

echo "release-test: unsigned"
if check "package.sh builds an unsigned release" release unsigned; then
  check "it says in one line that nothing is signed" \
    [ "$(grep -c 'nothing is signed' "$work/unsigned.log")" -eq 1 ]
  check "its zip holds the images of dist as built" \
    eval '(cd "$work/unsigned/unzipped/kvexfilt-$version" && echo "$dist_before" | sha256sum --quiet -c)'
  check "no image carries a signature" eval '! verified "$work/unsigned/unzipped/kvexfilt-$version/x64/kvexfilt.dll"'
  check "SHA256SUMS matches the release" sums_match unsigned
  check "each MSI's summary holds the commit's time" msis_stamped unsigned
  sleep 1
  check "a second run, in another time zone and umask, gives the same bytes" \
    eval '(umask 077 && release again TZ=Pacific/Kiritimati) && same_release unsigned again'
fi
for way in pem p12; do
  echo "release-test: signed ($way)"
  if [ "$way" = pem ]; then
    check "package.sh signs with SIGN_CERT and SIGN_KEY" release pem SIGN_CERT="$cert" SIGN_KEY="$key"
  else
    check "package.sh signs with SIGN_PKCS12 and SIGN_PASSWORD" \
      release p12 SIGN_PKCS12="$work/signer.p12" SIGN_PASSWORD="$KVEX_TEST_P12_PASSWORD"
  fi
  check "the images in the zip and the three MSIs verify (SHA-256)" all_signed "$way"
  check "the log says nothing of an unsigned release" eval "! grep -q 'nothing is signed' '$work/$way.log'"
  check "SHA256SUMS matches the release" sums_match "$way"
done
check "dist holds the images as built (unsigned)" eval '(cd "$dist" && echo "$dist_before" | sha256sum --quiet -c)'
check "a key without its certificate is refused" eval '! release refused SIGN_KEY="$key"'

# The signed DLLs at work: registered, both classes, the Filter Maker.
signed_use() {  # arch
  local folder="C:\\kvex-test\\$1" result="$WINEPREFIX/drive_c/kvex-test/$1.txt"
  kvex_use_arch "$1" || return 1
  mkdir -p "$WINEPREFIX/drive_c/kvex-test/$1"
  cp "$work/pem/unzipped/kvexfilt-$version/$1/kvexfilt.dll" "$WINEPREFIX/drive_c/kvex-test/$1/"
  "$kvex_loader" "$kvex_sysdir\\cscript.exe" //nologo 'C:\kvex-test\warm.vbs' >/dev/null 2>&1
  "$kvex_loader" "$kvex_sysdir\\regsvr32.exe" /s "$folder\\kvexfilt.dll" >/dev/null 2>&1 ||
    { echo "        regsvr32 $folder\\kvexfilt.dll failed"; return 1; }
  timeout 120 "$kvex_loader" "$kvex_sysdir\\cscript.exe" //nologo 'C:\kvex-test\installed.vbs' \
    "C:\\kvex-test\\$1.txt" 'C:\kvex-test\kvex_drive.exe' "$version" >/dev/null 2>&1
  grep -q '^failures 0' "$result" 2>/dev/null && return 0
  sed 's/^/        /' "$result" 2>/dev/null || echo "        (no result)"
  return 1
}
echo "release-test: the signed DLLs under Wine"
export WINEPREFIX="$work/prefix"
if [ -d "$work/pem/unzipped" ] && kvex_prefix_ready >/dev/null; then
  mkdir -p "$WINEPREFIX/drive_c/kvex-test"
  cp "$x64_build/tests/wine/kvex_drive.exe" "$repo/tests/wine/package/installed.vbs" "$WINEPREFIX/drive_c/kvex-test/"
  echo 'WScript.Quit 0' >"$WINEPREFIX/drive_c/kvex-test/warm.vbs"
  check "x64: the signed DLL registers; both classes and the Filter Maker work" signed_use x64
  check32 "x86: the signed DLL registers; both classes and the Filter Maker work" signed_use x86
  kvex_wineserver -k >/dev/null 2>&1
else
  fail "a Wine prefix with the signed release"
fi

release_check_finish release-test "$work"

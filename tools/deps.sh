#!/usr/bin/env bash
# Installs the build and test toolchain on Debian 12; does nothing when all is there.
# Both Wine loaders are needed: the 32-bit DLL runs under 32-bit Wine.
set -euo pipefail

packages=(
  build-essential cmake make git
  libgtest-dev googletest libbenchmark-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools binutils-mingw-w64
  libwine-dev wine wine64 fonts-wine fonts-liberation xvfb xauth x11-apps imagemagick
  clang libclang-rt-14-dev valgrind python3
  wixl msitools zip unzip osslsigncode python3-olefile
)
# Installed together so apt keeps one Wine version for both loaders.
wine_pair=(wine64 libwine:amd64 wine32:i386)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
need_wine32=0
installed wine32:i386 || need_wine32=1
[ ${#missing[@]} -eq 0 ] && [ $need_wine32 -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
apt_install=(install -y -qq --no-install-recommends)

if [ ${#missing[@]} -gt 0 ]; then
  echo "deps: installing ${missing[*]}"
  # A broken i386 index (see below) must not stop the native packages.
  $SUDO apt-get update -qq || echo "deps: apt-get update reported errors; installing from what it fetched"
  $SUDO apt-get "${apt_install[@]}" "${missing[@]}"
fi

# Both loaders at one version; see the comments inside for broken mirrors.
install_wine32() {
  echo "deps: installing 32-bit Wine (${wine_pair[*]})"
  dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
  if $SUDO apt-get update -qq && $SUDO apt-get "${apt_install[@]}" --allow-downgrades "${wine_pair[@]}"; then
    exit 0
  fi

  # On some mirrors the i386 index of the security suite does not download, and
  # its amd64 libraries then have no i386 twin. Resolve against the main suites
  # alone, from a private copy of the sources: the machine's own stay untouched.
  echo "deps: retrying 32-bit Wine without the security suite"
  parts=$(mktemp -d)
  trap 'rm -rf "$parts"' EXIT
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    grep -v -- '-security' "$f" >"$parts/$(basename "$f" .list)-main.list" || true
  done
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    # deb822: one stanza per blank-line-separated paragraph.
    awk 'BEGIN { RS = ""; ORS = "\n\n" } !/-security/' "$f" >"$parts/$(basename "$f")"
  done
  apt_main=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$parts")
  $SUDO apt-get "${apt_main[@]}" update -qq
  # An amd64 library already at a security version has no i386 twin of that
  # version; take both at the main suite's version. apt names one such library
  # per try, so ask again until the set resolves.
  extra=()
  for _ in $(seq 1 60); do
    if out=$($SUDO apt-get "${apt_main[@]}" install -s --no-install-recommends --allow-downgrades \
               "${wine_pair[@]}" "${extra[@]}" 2>&1); then
      break
    fi
    mapfile -t blocked < <(sed -n 's/.*Depends: \([^ :]*\):i386 .*but it is not installable.*/\1/p' <<<"$out" | sort -u)
    [ ${#blocked[@]} -gt 0 ] || { echo "$out" >&2; exit 1; }
    for lib in "${blocked[@]}"; do
      version=$(apt-cache "${apt_main[@]}" policy "$lib:i386" | sed -n 's/^ *Candidate: //p')
      [ -n "$version" ] && [ "$version" != "(none)" ] || { echo "deps: no i386 $lib in the main suites" >&2; exit 1; }
      extra+=("$lib:i386=$version")
      dpkg-query -W -f='${Status}' "$lib:amd64" 2>/dev/null | grep -q "install ok installed" &&
        extra+=("$lib:amd64=$version")
    done
  done
  [ ${#extra[@]} -gt 0 ] && echo "deps: aligning i386 and amd64 libraries: ${extra[*]}"
  $SUDO apt-get "${apt_main[@]}" "${apt_install[@]}" --allow-downgrades "${wine_pair[@]}" "${extra[@]}"
}

[ $need_wine32 -eq 0 ] && exit 0

# Where the kernel runs no 32-bit programs, 32-bit Wine is still installed (one
# configuration for every machine), but its failure to install cannot fail
# the run: x86 is then checked statically only.
repo=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tools/wine-env.sh
. "$repo/tools/wine-env.sh"
if kvex_runs_32bit; then
  install_wine32
else
  echo "deps: $(kvex_x86_not_run); installing 32-bit Wine all the same"
  ( install_wine32 ) || echo "deps: 32-bit Wine did not install; not needed on this machine"
fi

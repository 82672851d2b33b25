# shellcheck shell=bash
# Sourced by the release checks (package-test.sh, release-test.sh): their
# common start, one line per step, and $failed set once any step fails.

# release_check_start script args...: the five arguments both checks take
# (native, x86_build, x64_build, dist, work), the run under an X server of its
# own, and the Wine environment (tools/wine-env.sh).
release_check_start() {
  local script=$1
  shift
  if [ $# -ne 5 ]; then
    echo "usage: $script <native-build> <x86-build> <x64-build> <dist> <work-dir>" >&2
    exit 2
  fi
  native=$(realpath "$1")
  x86_build=$(realpath "$2")
  x64_build=$(realpath "$3")
  dist=$(realpath "$4")
  work=$(realpath -m "$5")
  if [ -z "${KVEX_RELEASE_CHECK_INNER:-}" ]; then
    exec env KVEX_RELEASE_CHECK_INNER=1 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$script" "$@"
  fi
  export WINEDEBUG=-all WINEARCH=win64
  # shellcheck source=tools/wine-env.sh
  . "$repo/tools/wine-env.sh"
}
failed=0
pass() { echo "  ok    $1"; }
fail() { echo "  FAIL  $1"; failed=1; }
check() {  # what command...
  local what=$1
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}
# release_check_finish name leftovers...: the time taken, the steps not run,
# and the verdict; what a passing run leaves behind is removed, a failing
# run keeps everything for a look.
release_check_finish() {
  local name=$1
  shift
  echo "$name: $((SECONDS - started)) s"
  local line
  for line in "${not_run[@]}"; do echo "$name: $line"; done
  if [ "$failed" -ne 0 ]; then
    echo "$name: FAILED (files in $work)"
    exit 1
  fi
  rm -rf "$@"
  echo "$name: all passed"
}

# Steps that need a 32-bit process, where this machine runs none (the
# caller has sourced tools/wine-env.sh): listed as not run, never as passed.
not_run=()
skip32() {  # what
  not_run+=("$(kvex_x86_not_run "$1")")
  echo "  --    ${not_run[-1]}"
}
check32() {  # what command...
  if kvex_runs_32bit; then check "$@"; else skip32 "$1"; fi
}

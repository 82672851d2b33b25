# shellcheck shell=bash
# Sourced by the release checks (package-test.sh, release-test.sh): one line per
# step, and $failed set once any step fails.
failed=0
pass() { echo "  ok    $1"; }
fail() { echo "  FAIL  $1"; failed=1; }
check() {  # what command...
  local what=$1
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
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

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

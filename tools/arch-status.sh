#!/usr/bin/env bash
# The last lines of make test: what ran for each architecture.
set -uo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tools/wine-env.sh
. "$repo/tools/wine-env.sh"
if kvex_runs_32bit; then
  echo "make test: x86 and x64 ran in full"
else
  echo "make test: x64 ran in full"
  echo "make test: $(kvex_x86_not_run "the x86 Wine suites, scripts, side-by-side run, x86 package checks and the signed x86 DLL")"
  echo "make test: the x86 DLL was checked statically only (machine type, exports, system imports, resources)"
fi

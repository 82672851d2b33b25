#!/usr/bin/env bash
# Runs each fuzz target for a time budget on a scratch copy of its seed corpus
# (the committed corpus is never written), prints its executions and coverage,
# and fails when any target crashed or broke an invariant.
# Usage: tools/run-fuzz.sh <fuzz-build-dir> <seconds-per-target>
set -uo pipefail

build_dir=${1:?usage: run-fuzz.sh <fuzz-build-dir> <seconds-per-target>}
seconds=${2:?usage: run-fuzz.sh <fuzz-build-dir> <seconds-per-target>}
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(cd "$build_dir" && pwd)
work="$build_dir/fuzz-run"
targets=(fuzz_matcher fuzz_list_reader fuzz_combine)

failed=()
for target in "${targets[@]}"; do
    run="$work/$target"
    rm -rf "$run"
    mkdir -p "$run/corpus" "$run/artifacts"
    cp "$root/tests/fuzz/corpus/$target/"* "$run/corpus/"
    log="$run/fuzz.log"
    "$build_dir/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$run/artifacts/" "$run/corpus" >"$log" 2>&1
    status=$?
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
    verdict=ok
    if [ "$status" -ne 0 ]; then
        verdict="FAILED (exit $status)"
        failed+=("$target")
    fi
    printf '%-18s %-18s executions %-10s coverage %s\n' "$target" "$verdict" "${executions:-?}" "${coverage:-?}"
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$log" | sed 's/^/    /'
        echo "    log: $log; crashing input in $run/artifacts/"
    fi
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "fuzz: failed: ${failed[*]}"
    exit 1
fi
echo "fuzz: ${#targets[@]} targets ran ${seconds}s each, no crash"

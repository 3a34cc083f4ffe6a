#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for FUZZ_SECONDS (default 600) each,
# one after the other on one core, and prints one summary line per target:
# executions per second, coverage (cov), features (ft) and whether it found
# a fault. New inputs go to <build>/corpus/<name>, faults to
# <build>/findings/<name>; the seeds in fuzz/corpus are only read.
#
#   fuzz/run_all.sh BUILD/fuzz [target ...]
set -uo pipefail

bin_dir=${1:?usage: run_all.sh FUZZ_BINARY_DIR [target ...]}
shift
seconds=${FUZZ_SECONDS:-600}
seeds=$(cd "$(dirname "$0")" && pwd)/corpus
work=$(cd "$bin_dir" && pwd)

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for t in "$work"/*_fuzz; do
        [ -x "$t" ] && targets+=("$(basename "$t")")
    done
fi
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets in $bin_dir" >&2; exit 2; }

summary=()
failed=0
for target in "${targets[@]}"; do
    name=${target%_fuzz}
    corpus=$work/corpus/$name
    findings=$work/findings/$name
    log=$work/logs/$name.log
    mkdir -p "$corpus" "$findings" "$(dirname "$log")"
    echo "== $target: $seconds s"
    "$work/$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$findings/" "$corpus" "$seeds/$name" >"$log" 2>&1
    status=$?
    last=$(grep -E '^#[0-9]+' "$log" | tail -1)
    runs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}')
    speed=$(grep -E '^stat::average_exec_per_sec' "$log" | awk '{print $2}')
    cov=$(sed -nE 's/.* cov: ([0-9]+).*/\1/p' <<<"$last")
    ft=$(sed -nE 's/.* ft: ([0-9]+).*/\1/p' <<<"$last")
    verdict=ok
    if [ $status -ne 0 ]; then
        verdict="FAULT (exit $status), see $log and $findings"
        failed=1
    fi
    summary+=("$(printf '%-22s runs=%-10s exec/s=%-7s cov=%-6s ft=%-7s %s' \
        "$target" "${runs:-?}" "${speed:-?}" "${cov:-?}" "${ft:-?}" "$verdict")")
done

echo
printf '%s\n' "${summary[@]}"
exit $failed

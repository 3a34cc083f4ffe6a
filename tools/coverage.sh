#!/usr/bin/env bash
# Line and branch coverage of the core (src/<subsystem>/*.cpp and headers,
# without ui/) from the normal test suite, on an unoptimised build with gcc's
# counters in build-cov/. Prints a table per subsystem; the file-by-file report
# is build-cov/coverage/index.html. Slow, so not part of tools/run-tests.sh.
# Exits non-zero when a test failed (the report is made all the same).
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-cov
report=$build/coverage
subsystems=(shell model channels link settings factory)

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMAR_COVERAGE=ON
cmake --build "$build"

# Counters left by an earlier run would add to this one.
find "$build" -name '*.gcda' -delete
tests=0
ctest --test-dir "$build" --output-on-failure -j2 || tests=$?

# Branches that only an exception thrown by the library or the compiler's own
# bookkeeping can take are left out: no test can name them.
rm -rf "$report"
mkdir -p "$report"
filters=()
for sub in "${subsystems[@]}"; do
    filters+=(--filter "src/$sub/")
done
gcovr --root . "${filters[@]}" --exclude 'src/[^/]+/ui/' \
    --exclude-throw-branches --exclude-unreachable-branches -j 2 \
    --json "$report/core.json" --html-details "$report/index.html" \
    --txt "$report/lines.txt" "$build"
gcovr --root . -a "$report/core.json" --branches --txt "$report/branches.txt"

# "lines: 85.3% (1234 out of 1446)" → "85.3% 1234/1446"
figure() {
    sed -n "s/^$1: \([0-9.]*%\) (\([0-9]*\) out of \([0-9]*\)).*/\1 \2\/\3/p"
}
# The report itself goes to a scratch file: gcovr replaces the file it writes,
# which for /dev/null would put a plain file in the device's place.
row() {
    local summary
    summary=$(gcovr --root . -a "$report/core.json" "${@:2}" --print-summary \
        --txt "$report/scratch.txt")
    read -r lp lc < <(figure lines <<<"$summary")
    read -r bp bc < <(figure branches <<<"$summary")
    printf '%-10s %8s %13s %10s %13s\n' "$1" "$lp" "$lc" "$bp" "$bc"
}

{
    printf '%-10s %8s %13s %10s %13s\n' subsystem lines covered branches covered
    for sub in "${subsystems[@]}"; do
        row "$sub" --filter "src/$sub/" --exclude "src/$sub/ui/"
    done
    row core
} | tee "$report/summary.txt"
echo "File by file: $report/index.html, $report/lines.txt, $report/branches.txt"
exit "$tests"

#!/usr/bin/env bash
# The check to run before landing: the whole test suite, several rounds, with
# twice the cores' worth of tests at once and a busy loop on every core beside
# them, so a test that leans on timing it does not control shows up here and
# not in CI. Reports every test that failed even once.
#
#   scripts/soak.sh [rounds]        (default 3; builds ./build first)
#
# Environment: SOAK_BUILD_DIR (default build), SOAK_BUILD_JOBS (compile jobs,
# default cores; fewer on a machine shared with other builds), SOAK_JOBS
# (default 2 x cores), SOAK_LOAD (busy loops, default one per core),
# SOAK_REGEX (only these tests).
set -euo pipefail
cd "$(dirname "$0")/.."

rounds=${1:-3}
cores=$(nproc)
build_dir=${SOAK_BUILD_DIR:-build}
build_jobs=${SOAK_BUILD_JOBS:-$cores}
jobs=${SOAK_JOBS:-$((2 * cores))}
load=${SOAK_LOAD:-$cores}
log_dir=$(mktemp -d "${TMPDIR:-/tmp}/soak.XXXXXX")

if [[ ! -f "$build_dir/CMakeCache.txt" ]]; then
    cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build_dir" -j"$build_jobs"

burners=()
stop_burners() {
    for pid in "${burners[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
}
trap stop_burners EXIT
for ((i = 0; i < load; i++)); do
    nice -n 5 sh -c 'while :; do :; done' &
    burners+=("$!")
done

regex=()
if [[ -n "${SOAK_REGEX:-}" ]]; then
    regex=(-R "$SOAK_REGEX")
fi

export QT_QPA_PLATFORM=offscreen
failed_rounds=0
for ((round = 1; round <= rounds; round++)); do
    echo "== round $round of $rounds: ctest -j$jobs, each test up to 3 times, $load busy loops beside"
    log="$log_dir/round-$round.log"
    if (cd "$build_dir" && ctest --no-tests=error --schedule-random --repeat until-fail:3 \
            -j"$jobs" "${regex[@]}" --output-on-failure) >"$log" 2>&1; then
        grep -E "tests passed" "$log" || true
    else
        failed_rounds=$((failed_rounds + 1))
        grep -E "tests passed|tests failed" "$log" || true
    fi
    # ctest lists each failed test once per run, as "  12 - name (Failed)".
    sed -n '/The following tests FAILED:/,/^Errors while running CTest/p' "$log" \
        | grep -E '^\s+[0-9]+ - ' | sed -E 's/^\s+[0-9]+ - //' >>"$log_dir/failed.txt" || true
done

echo
if [[ -s "$log_dir/failed.txt" ]]; then
    echo "Tests that failed at least once (name, rounds in which it failed):"
    sort "$log_dir/failed.txt" | uniq -c | awk '{n=$1; $1=""; print " " $0 "  x" n}'
    echo "Logs: $log_dir"
    exit 1
fi
echo "No test failed in $rounds rounds. Logs: $log_dir"

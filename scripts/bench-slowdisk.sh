#!/usr/bin/env bash
# Runs a benchmark once in a throw-away home and data folder, on the disk as
# it is or (--slow) as a slow one: every write to a SQLite write-ahead log
# sleeps first (build/bench/libslowwal.so, 300 µs a write unless SLOW_WAL_US
# says otherwise). The 1-minute load average is printed before and after,
# as other work on the machine moves the figures.
#
#   scripts/bench-slowdisk.sh [--slow] <benchmark> [its arguments]
#
# e.g. scripts/bench-slowdisk.sh --slow build/bench/bench_icsimport importThroughTheWindow:"5000"
# Environment: SLOWWAL (the shim, default build/bench/libslowwal.so);
# QTEST_FUNCTION_TIMEOUT (default an hour: on a slow disk a benchmark may
# take longer than Qt Test's five minutes).
set -euo pipefail
cd "$(dirname "$0")/.."

preload=""
if [[ "${1:-}" == "--slow" ]]; then
    preload=$(realpath "${SLOWWAL:-build/bench/libslowwal.so}")
    shift
fi
if [[ $# -lt 1 ]]; then
    echo "usage: $0 [--slow] <benchmark> [its arguments]" >&2
    exit 2
fi
bench=$(realpath "$1")
shift

home=$(mktemp -d "${TMPDIR:-/tmp}/bench-slowdisk.XXXXXX")
trap 'rm -rf "$home"' EXIT
echo "load before: $(cut -d' ' -f1 /proc/loadavg)${preload:+ (log writes slowed by ${SLOW_WAL_US:-300} µs)}"
(cd "$home" && env HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    XDG_CACHE_HOME="$home/.cache" CALENDAR_DATA_DIR="$home/data" QT_QPA_PLATFORM=offscreen \
    QTEST_FUNCTION_TIMEOUT="${QTEST_FUNCTION_TIMEOUT:-3600000}" \
    LD_PRELOAD="$preload" "$bench" "$@" 2>&1) |
    grep -Ev 'Applied migration|Opening database|\[(AppState|Pill|Secrets)\]' || true
echo "load after: $(cut -d' ' -f1 /proc/loadavg)"

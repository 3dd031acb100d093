#!/usr/bin/env bash
# Installs what is needed, builds the calendar and starts it.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh build

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target tindlebrook-calendar

app=build/app/tindlebrook-calendar
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display found. Run the calendar on a desktop session, or headless with:"
    echo "  xvfb-run -a $app"
    exit 1
fi
exec "$app" "$@"

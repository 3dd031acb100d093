#!/usr/bin/env bash
# Makes the README's picture of the main window (docs/main-window.png) from
# the sample week, in a throw-away data folder, under a virtual display.
# Run again whenever the look changes.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test
# An existing build keeps its type; a first one is a release build.
if [[ -f build/CMakeCache.txt ]]; then
    cmake -S . -B build >/dev/null
else
    cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build build -j4 --target windowshot

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/home" "$scratch/data" "$scratch/config" "$scratch/runtime"
chmod 700 "$scratch/runtime"

# Nothing leaves this machine: every outside service points at a closed
# local port.
for name in CALENDAR_UPDATE_MANIFEST_URL AUTH_API_URL ACCOUNT_API_URL SYNC_API_URL ACCOUNT_PORTAL_URL \
            WEATHER_FORECAST_URL WEATHER_GEOCODING_URL GOOGLE_ACCOUNTS_URL GOOGLE_TOKEN_URL GOOGLE_API_URL \
            MICROSOFT_LOGIN_URL MICROSOFT_GRAPH_URL; do
    export "$name=http://127.0.0.1:9/"
done

HOME="$scratch/home" XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config" \
XDG_RUNTIME_DIR="$scratch/runtime" CALENDAR_DATA_DIR="$scratch/data/calendar" \
CALENDAR_SECRET_STORE=file CALENDAR_INSTANCE=readme LANG=C.UTF-8 \
    xvfb-run -a -s "-screen 0 1600x1000x24" build/bench/windowshot readme "$PWD/docs/main-window.png"
ls -l docs/main-window.png

#!/usr/bin/env bash
# Installs what is needed, builds the calendar and starts it.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh build

# OAuth clients for Google and Microsoft sign-in (see .env.example).
oauth=()
if [[ -f .env ]]; then
    # A last line without its newline is read too.
    while IFS='=' read -r name value || [[ -n $name ]]; do
        case "$name" in
            TINDLE_GOOGLE_CLIENT_ID|TINDLE_GOOGLE_CLIENT_SECRET|TINDLE_MICROSOFT_CLIENT_ID)
                oauth+=("-D$name=$value") ;;
        esac
    done < .env
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${oauth[@]}"
cmake --build build -j"$(nproc)" --target tindlebrook-calendar

app=build/app/tindlebrook-calendar
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display found. Run the calendar on a desktop session, or headless with:"
    echo "  xvfb-run -a $app"
    exit 1
fi
exec "$app" "$@"

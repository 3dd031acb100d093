#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh test

jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"

cd build
export QT_QPA_PLATFORM=offscreen
ctest --output-on-failure --no-tests=error -j"$jobs"

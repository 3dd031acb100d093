#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs ("build") or the build and
# the tests need ("test"), only when something is missing.
set -euo pipefail

build_packages=(
    cmake g++ make ccache pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
    libqt6sql6-sqlite libsqlite3-dev libgl-dev tzdata
    # The program's own fonts hold no Japanese; Qt falls back to this one.
    fonts-noto-cjk
    # Qt's own texts (standard buttons, edit menus) in the shipped languages.
    qt6-translations-l10n
    # The location and due-date marks of the agenda and the tasks are emoji.
    fonts-noto-color-emoji
)
test_packages=(
    xvfb xauth openssl python3 radicale xandikos curl
    dbus-daemon dbus-bin gnome-keyring
)

wanted=("${build_packages[@]}")
if [[ "${1:-build}" == "test" ]]; then
    wanted+=("${test_packages[@]}")
fi

missing=()
for pkg in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$pkg")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Installs whatever the build and the tests need and is missing, then
# configures the given CMake preset. Sourced by run.sh and test.sh.
set -euo pipefail

ZEPHLAN_PACKAGES=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth xdotool x11-utils
    fonts-liberation fonts-dejavu-core
)

zephlan_missing_packages() {
    local pkg
    for pkg in "${ZEPHLAN_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            echo "$pkg"
        fi
    done
}

zephlan_install_missing() {
    local missing
    mapfile -t missing < <(zephlan_missing_packages)
    if ((${#missing[@]} == 0)); then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=()
    if ((EUID != 0)); then
        sudo=(sudo)
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

zephlan_configure() {
    local preset=$1
    cmake --preset "$preset"
    cmake --build --preset "$preset" --parallel "$(nproc)"
}

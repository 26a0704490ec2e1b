#!/usr/bin/env bash
# Installs what is missing, builds the release and makes the Debian package
# build/release/package/zephlan_<version>_<architecture>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
zephlan_install_missing
zephlan_configure release
zephlan_build release
cpack --config build/release/CPackConfig.cmake -B build/release/package
ls -1 build/release/package/zephlan_*.deb

#!/usr/bin/env bash
# Installs what is missing, builds the release and starts Zephlan.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
zephlan_install_missing
zephlan_configure release
zephlan_build release
exec build/release/app/zephlan

#!/usr/bin/env bash
# Installs what is missing, builds with tests and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
zephlan_install_missing
zephlan_configure testing
zephlan_build testing
ctest --preset testing --parallel "$(nproc)"

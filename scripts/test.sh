#!/usr/bin/env bash
# Installs what is missing, builds with tests and runs every test headless:
# the normal suite, the suite under the sanitizers, and a short fuzzing run.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
zephlan_install_missing
zephlan_configure testing
zephlan_build testing
ctest --preset testing --parallel "$(nproc)"

# The same suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
zephlan_configure asan
zephlan_build asan
ctest --preset asan --parallel "$(nproc)"

# Each fuzz target for 30 seconds from its seed corpus (clang and libFuzzer),
# all four at once.
zephlan_configure fuzz
zephlan_build fuzz
ctest --preset fuzz

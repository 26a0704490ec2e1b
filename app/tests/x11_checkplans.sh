#!/bin/sh
# Runs the end-to-end test of Check Flight Plans (a QtTest on the xcb platform) on an X server of
# its own, with settings kept out of the user's home.
#   x11_checkplans.sh <tst_checkplans_x11 binary>
# Exit 77 (skipped) when a tool is missing.
set -u
test_program=$(realpath "$1")
. "$(dirname "$0")/x11_harness.sh"
x11_require Xvfb
x11_start_server
mkdir -p "$x11_work/home"
(cd "$x11_work" && exec env HOME="$x11_work/home" XDG_CONFIG_HOME="$x11_work/home/.config" \
    XDG_RUNTIME_DIR="$x11_work" QT_QPA_PLATFORM=xcb "$test_program" >"$x11_work/program.log" 2>&1) ||
    fail "the test failed"
cat "$x11_work/program.log"
echo "PASS: Check Flight Plans end to end"

#!/usr/bin/env bash
# Builds Zephlan for 64-bit Windows on this Debian machine and runs every test
# of the `windows` preset under Wine, then makes the zip and the installer:
#   1. installs what is missing (MinGW-w64, Wine, Xvfb, ...),
#   2. builds Qt for MinGW into the cache once (scripts/windows/build-qt.sh),
#   3. prepares a Wine prefix with fonts in a temporary folder,
#   4. builds the `windows` preset and runs its tests on a private X server,
#   5. packs Zephlan-<version>-win64.zip and the installer Zephlan-<version>-win64.exe
#      with CPack.
# Any step that cannot run fails the script; nothing is skipped.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

step() { printf '\n== %s\n' "$*"; }
fail() { printf '\nFAILED: %s\n' "$*" >&2; exit 1; }
started=$SECONDS
elapsed() { echo "$(( (SECONDS - $1) / 60 )) min $(( (SECONDS - $1) % 60 )) s"; }

step "Packages"
ZEPHLAN_PACKAGES+=(
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools
    wine64 wine dpkg-dev googletest debian-archive-keyring imagemagick nsis openbox wmctrl
)
zephlan_install_missing || fail "the packages could not be installed"

step "Qt for Windows"
t=$SECONDS
scripts/windows/build-qt.sh || fail "Qt for Windows could not be built (see above)"
echo "Qt step took $(elapsed $t)"

step "X server"
source app/tests/x11_harness.sh
X11_SCREEN=1280x1024x24 x11_start_server
x11_at_exit '[[ -n ${WINEPREFIX:-} ]] && wineserver -k 2>/dev/null'
work=$x11_work
echo "Xvfb on $DISPLAY"

step "Wine prefix"
source scripts/windows/wine-env.sh
export WINEPREFIX=$work/wine-prefix
scripts/windows/wine-prefix.sh "$WINEPREFIX" || fail "the Wine prefix could not be prepared"

step "Build (windows preset)"
t=$SECONDS
zephlan_configure windows || fail "the windows preset did not configure"
zephlan_build windows || fail "the windows preset did not build"
echo "Build took $(elapsed $t)"

step "Tests under Wine"
t=$SECONDS
# Now and then a test program under Wine ends before it prints a line, on a
# busy machine; a test that fails is run once more on its own, and named here
# whether it passes then or not.
if ! ctest --preset windows --parallel "$(nproc)"; then
    echo "Run again on their own:"
    ctest --preset windows --rerun-failed --output-on-failure || fail "Windows tests failed twice"
fi
echo "Tests took $(elapsed $t)"

step "Package"
cpack --preset windows -B "$PWD/build/windows/package" >/dev/null || fail "CPack did not make the packages"
for kind in zip exe; do
    package=$(ls build/windows/package/Zephlan-*-win64.$kind 2>/dev/null) \
        || fail "CPack made no Zephlan-<version>-win64.$kind"
    echo "$package: $(du -h "$package" | cut -f1) ($(stat -c %s "$package") bytes)"
done

echo
echo "Windows build, tests and package done in $(elapsed "$started")"

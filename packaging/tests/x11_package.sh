#!/bin/sh
# The Debian package as built from this tree holds exactly the program, its desktop entry, icon and
# metadata, with dependencies found by dpkg-shlibdeps; the installed files pass their validators and
# the installed program starts on its own X server. Nothing is installed outside a temporary folder.
#   x11_package.sh <build folder>
# Exit 77 (skipped) when a tool is missing.
set -u
build=$(realpath "$1")
. "$(dirname "$0")/../../app/tests/x11_harness.sh"
x11_require cpack dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli Xvfb xdotool xwininfo
x11_start_server
id=org.example.zephlan

step() { echo "- $*"; }

step "the package"
cpack --config "$build/CPackConfig.cmake" -B "$x11_work/package" >"$x11_work/cpack.log" 2>&1 \
    || { cat "$x11_work/cpack.log"; fail "cpack failed"; }
deb=$(ls "$x11_work"/package/zephlan_*.deb 2>/dev/null)
[ -n "$deb" ] || fail "no zephlan_*.deb was made"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort >"$x11_work/files"
{
    echo ./usr/bin/zephlan
    echo ./usr/share/applications/$id.desktop
    for size in 16 32 48 64 128 256; do echo ./usr/share/icons/hicolor/${size}x$size/apps/$id.png; done
    echo ./usr/share/icons/hicolor/scalable/apps/$id.svg
    echo ./usr/share/metainfo/$id.metainfo.xml
} | sort >"$x11_work/expected"
diff "$x11_work/expected" "$x11_work/files" || fail "the package holds other files than expected"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 'libstdc\+\+6' libqt6core6 libqt6gui6 libqt6widgets6; do
    echo "$depends" | grep -Eq "(^|, )$library \(>= [0-9]" || fail "Depends lacks $library: $depends"
done

step "cmake --install into a temporary prefix"
prefix=$x11_work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop entry refused"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >"$x11_work/appstream.log" 2>&1 \
    || { cat "$x11_work/appstream.log"; fail "AppStream metadata refused"; }
grep -qx "Icon=$id" "$prefix/share/applications/$id.desktop" || fail "the desktop entry names another icon"
grep -qx "Exec=zephlan" "$prefix/share/applications/$id.desktop" || fail "the desktop entry starts another program"

step "the installed program shows its welcome window"
"$prefix/bin/zephlan" >"$x11_work/program.log" 2>&1 &
pid=$!
x11_keep $pid
welcome=$(x11_new_window "$pid" '') || fail "no welcome window appeared"
x11_focus "$welcome"
xdotool key x
x11_wait_exit "$pid"
echo "PASS: the package"

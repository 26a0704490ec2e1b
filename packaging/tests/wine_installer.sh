#!/usr/bin/env bash
# The Windows installer under Wine, as a user gets it:
#   wine_installer.sh <build folder> <source folder> <version> <publisher>
# Makes the installer with CPack, runs it silently (/S) in a fresh Wine prefix
# and checks what it left: every file CPack packed, byte for byte, in
# C:\Program Files\Zephlan, a Start menu shortcut to the program there, and
# the installed-programs entry with the project's version and publisher. The
# program is started from where the shortcut points and its welcome window
# awaited; then it goes the Wine road of two plans (app/tests/wine_program.sh).
# Then the uninstaller runs silently and must take all of it away.
# A missing tool exits 77, which CTest counts as a failure here.
set -uo pipefail
build=$(realpath "$1")
source=$(realpath "$2")
version=$3
publisher=$4

. "$source/app/tests/x11_harness.sh"
. "$source/app/tests/wine_harness.sh"
x11_require Xvfb xdotool xwininfo wine wineserver cpack cmp strings
# A private X server and prefix: the program's window needs one, and nothing of another test's may help.
x11_timeout=60
X11_SCREEN=1280x1024x24 x11_start_server
work=$x11_work

cpack -G NSIS --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log"; fail "CPack did not make the installer"; }
installer=$(ls "$work"/package/Zephlan-"$version"-win64.exe) || fail "no Zephlan-$version-win64.exe"
packed=$(ls -d "$work"/package/_CPack_Packages/*/NSIS/Zephlan-"$version"-win64) || fail "no tree CPack packed"
echo "installer: $(stat -c %s "$installer") bytes"

wine_start_prefix

folder="$WINEPREFIX/drive_c/Program Files/Zephlan"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zephlan"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zephlan'
# The key's values as "name=data" lines.
entry() { wine reg query "$key" 2>/dev/null | tr -d '\r' | sed -n 's/^ *\([A-Za-z]*\) *REG_SZ *\(.*\)$/\1=\2/p'; }
ours() { (cd "$1" && find . -type f | LC_ALL=C sort); }

wine "$installer" /S || fail "the installer ended with status $?"
timeout 120 wineserver -w

# Everything CPack packed, and the uninstaller.
[[ -d $folder ]] || fail "nothing in C:\\Program Files\\Zephlan"
diff <({ ours "$packed"; echo ./Uninstall.exe; } | LC_ALL=C sort) <(ours "$folder") \
    || fail "the installed files are not those packed (above: < packed, > installed)"
while read -r file; do
    cmp -s "$packed/$file" "$folder/$file" || fail "$file differs from the one packed"
done < <(ours "$packed")

[[ -f $menu/Zephlan.lnk ]] || fail "no Start menu shortcut Zephlan: $(find "$WINEPREFIX/drive_c/ProgramData" -name '*.lnk')"
# The link's full target path, as Windows resolves it, is the one with a drive letter.
target=$(strings "$menu/Zephlan.lnk" | grep -m1 -E '^[A-Z]:\\.*\.exe$')
[[ $target == 'C:\Program Files\Zephlan\zephlan.exe' ]] || fail "the shortcut points at '$target'"

values=$(entry)
echo "$values"
for expected in "DisplayName=Zephlan" "DisplayVersion=$version" "Publisher=$publisher" \
        'DisplayIcon=C:\Program Files\Zephlan\zephlan.exe' \
        'UninstallString="C:\Program Files\Zephlan\Uninstall.exe"'; do
    grep -qxF "$expected" <<<"$values" || fail "the installed-programs entry lacks $expected"
done
wine reg query "HKLM\\Software\\$publisher\\Zephlan" >/dev/null 2>&1 || fail "no key with the install folder"

# The program, from where the shortcut points: its welcome window, which a click on it and a
# character key close, and with it the program.
wine "$target" >"$work/program.log" 2>&1 &
zephlan=$!
x11_keep $zephlan
welcome=$(x11_new_window "$zephlan" '^zephlan$') || fail "no welcome window from the installed program"
x11_click "$welcome" 40 60                              # on the panel, not a button
xdotool key x
x11_wait_exit "$zephlan"

# The installed program goes the whole road of two plans, saved byte for byte.
bash "$source/app/tests/wine_program.sh" "$build" "$source" "$folder/zephlan.exe" \
    || fail "the installed program did not go the road"

# The uninstaller copies itself away and returns at once: the prefix's server ends when it does.
wine "$folder/Uninstall.exe" /S || fail "the uninstaller ended with status $?"
timeout 120 wineserver -w || fail "the uninstaller did not end"
[[ -e $folder ]] && fail "left in Program Files: $(cd "$folder" && find . | sort | tr '\n' ' ')"
[[ -e $menu ]] && fail "left in the Start menu: $(cd "$menu" && find . | tr '\n' ' ')"
[[ -z $(entry) ]] || fail "the installed-programs entry is still there"
wine reg query "HKLM\\Software\\$publisher\\Zephlan" >/dev/null 2>&1 && fail "the key with the install folder is still there"
echo "PASS: installed, started and uninstalled under Wine"

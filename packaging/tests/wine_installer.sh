#!/usr/bin/env bash
# The Windows installer under Wine, as a user gets it:
#   wine_installer.sh <build folder> <source folder> <version> <publisher>
# Makes the installer with CPack, runs it silently (/S) in a fresh Wine prefix
# and checks what it left: every file CPack packed, byte for byte, in
# C:\Program Files\Zephlan, a Start menu shortcut to the program there, and
# the installed-programs entry with the project's version and publisher. The
# program is started from where the shortcut points and its welcome window
# awaited. Then the uninstaller runs silently and must take all of it away.
# Everything it needs must be there: a missing tool is a failure, not a skip.
set -uo pipefail
build=$(realpath "$1")
source=$(realpath "$2")
version=$3
publisher=$4

fail() { echo "FAIL: $*"; exit 1; }
for tool in Xvfb xdotool wine wineserver cpack cmp strings; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/zephlan-wine-installer.XXXXXX")
xvfb=
cleanup() {
    WINEPREFIX=$work/prefix wineserver -k 2>/dev/null
    [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

cpack -G NSIS --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log"; fail "CPack did not make the installer"; }
installer=$(ls "$work"/package/Zephlan-"$version"-win64.exe) || fail "no Zephlan-$version-win64.exe"
packed=$(ls -d "$work"/package/_CPack_Packages/*/NSIS/Zephlan-"$version"-win64) || fail "no tree CPack packed"
echo "installer: $(stat -c %s "$installer") bytes"

# A private X server and prefix: the program's window needs one, and nothing of another test's may help.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
[[ -s $work/display ]] || fail "the X server did not start"
export DISPLAY=":$(cat "$work/display")"
unset WINEPATH
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$source/scripts/windows/wine-prefix.sh" "$WINEPREFIX" >/dev/null || fail "the Wine prefix could not be prepared"

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
wine "$target" >"$work/zephlan.log" 2>&1 &
zephlan=$!
welcome=
for _ in $(seq 150); do
    welcome=$(xdotool search --onlyvisible --name '^zephlan$' 2>/dev/null | head -1)
    [[ -n $welcome ]] && break
    sleep 0.2
done
[[ -n $welcome ]] || fail "no welcome window from the installed program: $(cat "$work/zephlan.log")"
eval "$(xdotool getwindowgeometry --shell "$welcome")"
xdotool mousemove $((X + 40)) $((Y + 60)) click 1
sleep 0.5
xdotool key x
for _ in $(seq 75); do kill -0 "$zephlan" 2>/dev/null || break; sleep 0.2; done
kill -0 "$zephlan" 2>/dev/null && fail "the welcome window did not close"
wait "$zephlan" || fail "the installed program ended with status $?"

# The uninstaller copies itself away and returns at once: the prefix's server ends when it does.
wine "$folder/Uninstall.exe" /S || fail "the uninstaller ended with status $?"
timeout 120 wineserver -w || fail "the uninstaller did not end"
[[ -e $folder ]] && fail "left in Program Files: $(cd "$folder" && find . | sort | tr '\n' ' ')"
[[ -e $menu ]] && fail "left in the Start menu: $(cd "$menu" && find . | tr '\n' ' ')"
[[ -z $(entry) ]] || fail "the installed-programs entry is still there"
wine reg query "HKLM\\Software\\$publisher\\Zephlan" >/dev/null 2>&1 && fail "the key with the install folder is still there"
echo "PASS: installed, started and uninstalled under Wine"

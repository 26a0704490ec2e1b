#!/usr/bin/env bash
# Prepares a Wine prefix for running Zephlan: initialised, without Mono or
# Gecko prompts, with the Liberation fonts in its Fonts folder standing in for
# the Windows sans-serif faces (Liberation Sans has Arial's widths), and with
# ClearType on, as on Windows itself, so captions render whole.
# Does nothing when the prefix is already prepared; safe to call from several
# processes at once. Usage: wine-prefix.sh <prefix folder>
set -euo pipefail

prefix=$(realpath -m "$1")
marker=$prefix/.zephlan-prefix
[[ -f $marker ]] && exit 0

fonts=/usr/share/fonts/truetype/liberation
for tool in wine wineboot wineserver flock; do
    command -v "$tool" >/dev/null || { echo "wine-prefix.sh: $tool is not installed" >&2; exit 1; }
done
[[ -f $fonts/LiberationSans-Regular.ttf ]] || { echo "wine-prefix.sh: no Liberation fonts in $fonts" >&2; exit 1; }

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[[ -f $marker ]] && exit 0

. "$(dirname "$0")/wine-env.sh"
export WINEPREFIX=$prefix
start=$SECONDS
wineboot -i >/dev/null 2>&1
wineserver -w

mkdir -p "$prefix/drive_c/windows/Fonts"
ln -sf "$fonts"/LiberationSans-*.ttf "$prefix/drive_c/windows/Fonts/"
# Substitutes serve the system's own dialogs; the replacements make Wine list
# each face as a family of its own, which is how Qt finds a font by name.
# With Wine's default grey smoothing the one-pixel stem of Liberation Sans'
# capital I at 8 pt comes out blank; ClearType draws it.
faces=("MS Sans Serif" "Microsoft Sans Serif" "Arial" "Tahoma")
settings=$(mktemp --suffix=.reg)
trap 'rm -f "$settings"' EXIT
{
    echo 'REGEDIT4'
    echo
    echo '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]'
    for face in "${faces[@]}" "MS Shell Dlg" "MS Shell Dlg 2"; do
        echo "\"$face\"=\"Liberation Sans\""
    done
    echo
    echo '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]'
    for face in "${faces[@]}"; do
        echo "\"$face\"=\"Liberation Sans\""
    done
    echo
    echo '[HKEY_CURRENT_USER\Control Panel\Desktop]'
    echo '"FontSmoothing"="2"'
    echo '"FontSmoothingType"=dword:00000002'
} >"$settings"
wine regedit /s "$(winepath -w "$settings" 2>/dev/null)" >/dev/null 2>&1
wineserver -w

touch "$marker"
echo "Wine prefix prepared in $prefix in $((SECONDS - start)) s"

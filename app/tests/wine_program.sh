#!/usr/bin/env bash
# The whole Windows program under Wine, driven like a user, from the zip users get:
#   wine_program.sh <build folder> <source folder>
# Packs the zip with CPack and unpacks it, prepares a fresh Wine prefix (so no
# DLL comes from anywhere but the zip), starts its own X server and runs
# zephlan.exe: Continue; Open Airport and Open Aircraft through the system's
# file dialogs, which refuse a missing file; a plan whose departure code has a
# Windows-1252 letter, searched for in lower case, saved twice to one file
# (after the dialog refuses a missing folder, and the second time through the
# replace question) and compared byte for byte; About closed by Escape, About
# closed by its OK button; Exit ends the program.
# With ZEPHLAN_SCREENSHOTS=<folder> a screenshot of each step is kept there.
# Everything it needs must be there: a missing tool is a failure, not a skip.
set -uo pipefail
build=$(realpath "$1")
source=$(realpath "$2")

fail() { echo "FAIL: $*"; shot failure; exit 1; }
for tool in Xvfb xdotool xkbcomp perl wine wineserver cpack cmp import convert; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/zephlan-wine-program.XXXXXX")
xvfb=
cleanup() {
    WINEPREFIX=$work/prefix wineserver -k 2>/dev/null
    [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
shots=${ZEPHLAN_SCREENSHOTS:-$work/shots}
mkdir -p "$shots"
shot() { import -window root "$shots/$1.png" 2>/dev/null; }

# The zip, unpacked.
cpack -G ZIP --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log"; fail "CPack did not make the zip"; }
zip=$(ls "$work"/package/Zephlan-*-win64.zip) || fail "no Zephlan-<version>-win64.zip"
(cd "$work" && cmake -E tar xf "$zip") || fail "the zip did not unpack"
program=$(ls "$work"/Zephlan-*-win64/zephlan.exe) || fail "no zephlan.exe in the zip"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
[[ -s $work/display ]] || fail "the X server did not start"
export DISPLAY=":$(cat "$work/display")"
# The letter é gets a key of its own (the one beside the left shift key) before
# Wine starts; xdotool would otherwise lend it a key for an instant, which Wine
# mostly has not learnt by the time the key arrives.
xkbcomp -xkb "$DISPLAY" "$work/keys.xkb" 2>/dev/null \
    && perl -0pi -e 's/key <LSGT> \{.*?\};/key <LSGT> { [ eacute, Eacute ] };/s' "$work/keys.xkb" \
    && xkbcomp "$work/keys.xkb" "$DISPLAY" 2>/dev/null || fail "the keyboard could not be given the letter é"
unset WINEPATH
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$source/scripts/windows/wine-prefix.sh" "$WINEPREFIX" >/dev/null || fail "the Wine prefix could not be prepared"

# The lists, in Windows-1252 bytes, and Windows paths to them (drive Z: is /).
data="$work/Flight Sim"
mkdir -p "$data"
printf 'EGLL,N51* 28.65'"'"',W0* 27.68'"'"',83\r\nKJFK,N40* 38.38'"'"',W73* 46.72'"'"',13\r\n' >"$data/Airports.txt"
printf '\xc9GLB,N64* 11.44'"'"',W51* 40.68'"'"',282\r\n' >>"$data/Airports.txt"
printf 'AC#11,450,"Boeing 737-800 Paint1"\r\nAC#2,120,"Cessna 172, Skyhawk"\r\n' >"$data/Aircraft.txt"
windows() { printf 'Z:%s' "${1//\//\\}"; }
line=$'AC#2,N541SP,50%,24Hr,IFR,12:00:00,00:00:00,050,R,0429,KJFK,16:00:00,00:00:00,050,R,430,\xc9GLB\r'

# The visible window with exactly this name (case counts), waited for.
window() {
    local id
    for _ in $(seq 100); do
        for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
            [[ $(xdotool getwindowname "$id" 2>/dev/null) == "$1" ]] && { echo "$id"; return 0; }
        done
        sleep 0.2
    done
    return 1
}
gone() {
    for _ in $(seq 50); do
        [[ -z $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null) ]] && return 0
        sleep 0.2
    done
    return 1
}
# The system's file dialog has no caption; it is the widest window without a name.
file_dialog_open() {
    local id
    for id in $(xdotool search --onlyvisible --name '^$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell --prefix D_ "$id" 2>/dev/null)"
        ((D_WIDTH > 300 && D_HEIGHT > 200 && D_WIDTH < 1280)) && return 0
    done
    return 1
}
wait_file_dialog() { for _ in $(seq 50); do file_dialog_open && return 0; sleep 0.2; done; return 1; }
# The dialog's own complaint: a small window without a name.
complaint_open() {
    local id
    for id in $(xdotool search --onlyvisible --name '^$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell --prefix C_ "$id" 2>/dev/null)"
        ((C_WIDTH > 50 && C_WIDTH < 300 && C_HEIGHT > 30 && C_HEIGHT < 200)) && return 0
    done
    return 1
}
wait_complaint() { for _ in $(seq 25); do complaint_open && return 0; sleep 0.2; done; return 1; }
wait_no_file_dialog() { for _ in $(seq 50); do file_dialog_open || return 0; sleep 0.2; done; return 1; }
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.5; }
# Even so Wine now and then drops the é on its way from key to character: it is
# typed into the empty departure box until the box shows it.
type_e_acute() {
    local try
    for try in 1 2 3 4 5; do
        xdotool type --delay 100 "é"
        sleep 0.5
        if [[ $(import -window root -crop 6x12+$((left + 36))+$((top + 39)) png:- 2>/dev/null \
                | convert png:- -format '%[fx:minima]' info:) == 0* ]]; then
            echo "é reached the departure box at try $try"
            return 0
        fi
    done
    fail "the letter é never reached the departure box"
}
type_text() { xdotool type --delay 100 "$1"; sleep 0.3; }
key() { xdotool key "$@"; sleep 0.4; }
# Replaces the name in the file dialog's name box and accepts it; Tab first
# closes the list of completions Wine may show.
choose_file() {
    wait_file_dialog || fail "no file dialog for $2"
    click $((D_X + D_WIDTH - 200)) $((D_Y + D_HEIGHT - 41))   # the name box
    key End shift+Home
    type_text "$(windows "$1")"
    key Tab
    key Return
}
# A name the dialog must refuse: it says so and stays open.
refused_file() {
    choose_file "$1" "$2"
    wait_complaint || fail "the dialog took $2"
    shot "$3"
    key Return
    file_dialog_open || fail "the dialog closed after refusing $2"
}

wine "$program" >"$work/zephlan.log" 2>&1 &
zephlan=$!

welcome=$(window zephlan) || fail "no welcome window"
sleep 1
shot 1-welcome
eval "$(xdotool getwindowgeometry --shell "$welcome")"
click $((X + 280)) $((Y + 424))                       # Continue
main=$(window Zephlan) || fail "no main window after Continue"
sleep 1
shot 2-main
eval "$(xdotool getwindowgeometry --shell --prefix M_ "$main")"
left=$M_X
top=$((M_Y + M_HEIGHT - 432))                         # the client area, below the menu bar
menu() { click $((M_X + $1)) $((M_Y + 8)); click $((M_X + $1 + 16)) $((M_Y + 28 + 20 * $2)); }
field() { click $((left + $1)) $((top + $2)); }      # a few pixels into a box, so the caret starts at its left

menu 17 0                                             # File, Open Airport
wait_file_dialog || fail "no dialog for the airports list"
shot 3-open-airport
refused_file "$data/Missing.txt" "a missing list" 3-missing-file
choose_file "$data/Airports.txt" "the airports list"
window "Open Aircrafts" >/dev/null || fail "no message after the airports list"
shot 4-message
key Return
gone "Open Aircrafts" || fail "the message stayed"
menu 17 1                                             # File, Open Aircraft
choose_file "$data/Aircraft.txt" "the aircraft list"
wait_no_file_dialog || fail "the aircraft dialog stayed"

field 36 44;  type_e_acute; type_text "glb"           # departure, found in lower case
field 140 44; type_text "kjfk"
field 240 53                                          # the second aircraft
field 430 117                                         # 24Hr, the seventh period
field 43 244;  type_text 120000
field 147 244; type_text 160000
field 235 244; type_text N541SP
field 323 244; type_text 0429
field 427 244; type_text 050
field 523 244; type_text 50
shot 5-filled
plans=$data/Plans.txt
for save in 1 2; do
    field 228 348                                     # Save Flight Plan
    ((save == 1)) && refused_file "$data/Missing/Plans.txt" "a missing folder" 5-missing-folder
    choose_file "$plans" "the flight plans"
    if ((save == 2)); then
        sleep 1
        shot 6-replace-question
        key Return                                    # Yes: the line is added all the same
    fi
    wait_no_file_dialog || fail "the save dialog stayed"
    sleep 1
done
printf '%s\n%s\n' "$line" "$line" | cmp - "$plans" || fail "the plans file is not two lines: $(od -c "$plans" | head)"

for closing in escape ok; do
    menu 51 0                                         # Help, About
    about=$(window "About Zephlan") || fail "no about window"
    sleep 1
    shot "7-about-$closing"
    eval "$(xdotool getwindowgeometry --shell "$about")"
    frame=$(((WIDTH - 382) / 2))
    if [[ $closing == escape ]]; then
        key Escape
    else
        click $((X + frame + 325)) $((Y + HEIGHT - frame - 237 + 186))
    fi
    gone "About Zephlan" || fail "the about window did not close on $closing"
done

field 476 348                                         # Exit Zephlan
for _ in $(seq 75); do kill -0 "$zephlan" 2>/dev/null || break; sleep 0.2; done
kill -0 "$zephlan" 2>/dev/null && fail "the program did not end on Exit"
wait "$zephlan" || fail "the program ended with status $?"
echo "PASS: the road of two plans, About and Exit under Wine"

#!/usr/bin/env bash
# The whole Windows program under Wine, driven like a user, from the zip users get:
#   wine_program.sh <build folder> <source folder> [zephlan.exe]
# Packs the zip with CPack and unpacks it (or takes the program given, as an
# installer put it), prepares a fresh Wine prefix (so no DLL comes from
# anywhere but the program's folder), and runs zephlan.exe on an X server of
# its own: Continue; Open Airport by mouse (the name typed without .txt) and
# Open Aircraft by keys through the system's file dialogs, which refuse a
# missing file; the departure code typed straight after the dialog closes (the
# keys must reach the search box), with a Windows-1252 letter and in lower case;
# a plan saved twice to one file (after the dialog refuses a missing folder, and
# the second time through the replace question, answered No and then Yes), with
# the flight number typed straight after each dialog, and compared byte for
# byte; About closed by Escape, About closed by its OK button; Exit ends the
# program.
# With ZEPHLAN_WM=openbox the road runs under that window manager, which gives
# the focus as a user's desktop does: nothing hands it back after a dialog;
# there the main and about windows, asked by the window manager to resize (as
# a drag of the border does) or to maximise, keep their size, and so does the
# welcome window, which it does not manage, asked to maximise.
# With ZEPHLAN_SCREENSHOTS=<folder> a screenshot of each step is kept there.
# A missing tool exits 77, which CTest counts as a failure here.
set -uo pipefail
build=$(realpath "$1")
source=$(realpath "$2")
. "$source/app/tests/x11_harness.sh"
. "$source/app/tests/wine_harness.sh"
x11_require Xvfb xdotool xkbcomp xwininfo wine wineserver cpack cmp import convert
# Wine's first window, dialog and complaint take a while to come.
x11_timeout=60
X11_SCREEN=1280x1024x24 x11_start_server
wm=${ZEPHLAN_WM:-}
if [[ -n $wm ]]; then
    x11_require "$wm" wmctrl
    "$wm" >/dev/null 2>&1 &
    x11_keep $!
fi
work=$x11_work
shots=${ZEPHLAN_SCREENSHOTS:-$work/shots}
mkdir -p "$shots"
shot() { x11_shot "$shots/$1.png"; }
X11_FAILURE_SHOT=$shots/failure.png
layout=ui/main/frmZephlanLayout.cpp

# The zip, unpacked, unless a program is given.
program=${3:-}
if [[ -z $program ]]; then
    wine_unpack_zip "$build"
    program=$wine_program
fi
# The letter é gets a key of its own before Wine starts.
x11_map_keysyms eacute Eacute
wine_start_prefix

# The lists, in Windows-1252 bytes.
data="$work/Flight Sim"
mkdir -p "$data"
printf '%s\r\n' "EGLL,N51* 28.65',W0* 27.68',83" "KJFK,N40* 38.38',W73* 46.72',13" \
    "$(printf "\311GLB,N64* 11.44',W51* 40.68',282")" >"$data/Airports.txt"
printf '%s\r\n' 'AC#11,450,"Boeing 737-800 Paint1"' 'AC#2,120,"Cessna 172, Skyhawk"' >"$data/Aircraft.txt"

choose_file() { wine_choose_file "$zephlan" "$@"; }
# A name the dialog must refuse: it says so, and stays open once the complaint is answered.
refused_file() {
    choose_file "$1" "$2"
    complaint=$(wine_program_window "$zephlan" complaint) || fail "the dialog took $2"
    shot "$3"
    xdotool key Return
    x11_wait_gone "$complaint"
    xwininfo -id "$dialog" | grep -q IsViewable || fail "the dialog closed after refusing $2"
}
# Wine now and then drops the é on its way from key to character: it is typed
# into the empty departure box until the box shows a dark pixel there.
type_e_acute() {
    local try top place
    top=$(x11_client_top "$main" "$layout")
    place=($(x11_control_place "$layout" txtDeparture))
    for try in 1 2 3 4 5; do
        xdotool type --delay 100 "é"
        for _ in $(seq 10); do
            [[ $(import -window "$main" -crop 6x12+$((place[0] / 15 + 4))+$((top + place[1] / 15 + 7)) png:- 2>/dev/null \
                | convert png:- -format '%[fx:minima]' info:) == 0* ]] && { echo "é arrived at try $try"; return 0; }
            sleep 0.1
        done
    done
    fail "the letter é never reached the departure box"
}

wine "$program" >"$work/program.log" 2>&1 &
zephlan=$!
x11_keep $zephlan

welcome=$(x11_new_window "$zephlan" '^zephlan$') || fail "no welcome window"
[[ -z $wm ]] || wine_keeps_size "$welcome" "the welcome window"
shot 1-welcome
x11_continue "$welcome"
main=$(x11_new_window "$zephlan" '^Zephlan$' "$welcome") || fail "no main window"  # names match in any case
if [[ -n $wm ]]; then
    x11_has_focus "$main"
    wine_keeps_size "$main" "the main window"
else
    # Wine keeps a popup of its own, without a name, for as long as it runs.
    x11_lasting_popups=$(x11_popups)
    x11_focus "$main"
fi
shot 2-main

x11_click "$main" 17 8                                 # File
x11_click "$main" 33 28                                # Open Airport
wine_program_window "$zephlan" dialog >/dev/null || fail "no dialog for the airports list"
shot 3-open-airport
refused_file "$data/Missing.txt" "a missing list" 3-missing-file
choose_file "$data/Airports" "the airports list, named without its extension"
message=$(x11_new_window "$zephlan" '^Open Aircrafts$') || fail "no message after the airports list"
shot 4-message
xdotool key Return
wine_back_to_main "$message"

# Keys only from here to the first save, with no click to give the focus:
# after each dialog the keys must reach the search box that had it. (With no
# window manager, Wine takes keys at the X window that has the focus, the main
# one, and hands them to the window that has it in Windows' eyes; under one,
# keys reach the program only if the main window got the focus back.)
xdotool key F10 Down Down Return                       # File, Open Aircraft past the greyed item
choose_file "$data/Aircraft.txt" "the aircraft list"
wine_back_to_main "$dialog"
type_e_acute
xdotool type --delay 50 "glb"                          # departure, found in lower case
xdotool key Tab
xdotool type --delay 50 "kjfk"
xdotool key Tab Down Down Tab End Up                   # the second aircraft; 24Hr, the seventh period
xdotool key Tab Tab Tab Tab Tab Tab Tab                # past rules, call mode and touch-and-go
for text in 120000 160000 N541SP 0429 050 50; do        # times, call sign, number, level, percentage
    xdotool type --delay 50 "$text"
    [[ $text == 50 ]] || xdotool key Tab
done
shot 5-filled

plans=$data/Plans.txt
xdotool key alt+s                                      # Save Flight Plan from the percentage box
refused_file "$data/Missing/Plans.txt" "a missing folder" 6-missing-folder
choose_file "$plans" "the flight plans"
wine_back_to_main "$dialog"
xdotool key BackSpace BackSpace                        # typed at once: 75 %
xdotool type --delay 50 "75"
x11_click_control "$main" "$layout" txtFlightNo       # the flight number, by mouse
xdotool key alt+s
dialog=$(wine_program_window "$zephlan" dialog) || fail "no save dialog"
xdotool key Escape                                     # cancelled
wine_back_to_main "$dialog"
xdotool key ctrl+a                                     # typed at once: flight 0431
xdotool type --delay 50 "0431"
x11_click_control "$main" "$layout" cmdInstall        # Save Flight Plan, by mouse
choose_file "$plans" "the flight plans"
question=$(wine_program_window "$zephlan" complaint) || fail "no replace question"
shot 7-replace-question
xdotool key n                                          # No: the dialog again, with the name
x11_wait_gone "$question"
dialog=$(wine_program_window "$zephlan" dialog) || fail "no save dialog after No"
xdotool key Return
question=$(wine_program_window "$zephlan" complaint) || fail "no replace question after No"
xdotool key Return                                     # Yes: the line is added all the same
wine_back_to_main "$dialog"
line() {
    plan_line aircraft=2 callsign=N541SP period=24Hr rules=IFR departure=12:00:00 level=050 atc=R destination=KJFK \
        back=16:00:00 home="$(printf '\311GLB')" "$@"
}
{ line percent=50 flight=0429 backflight=430; line percent=75 flight=0431 backflight=432; } >"$work/expected"
# The line is written once the dialog has gone: waited for, up to the time allowed.
for _ in $(seq $((x11_timeout * 10))); do
    (($(stat -c %s "$plans") >= $(stat -c %s "$work/expected"))) && break
    sleep 0.1
done
cmp "$work/expected" "$plans" || fail "the plans file is not the two lines: $(od -c "$plans" | head)"

for closing in escape ok; do
    x11_click "$main" 51 8                             # Help
    x11_click "$main" 67 28                            # About
    about=$(x11_new_window "$zephlan" '^About Zephlan$') || fail "no about window"
    [[ -z $wm || $closing == ok ]] || wine_keeps_size "$about" "the about window"
    shot "8-about-$closing"
    eval "$(xdotool getwindowgeometry --shell --prefix A_ "$about")"
    frame=$(((A_WIDTH - 382) / 2))
    if [[ $closing == escape ]]; then
        xdotool key Escape
    else
        x11_click "$about" $((frame + 325)) $((A_HEIGHT - frame - 237 + 186))
    fi
    x11_wait_gone "$about"
done

x11_click_control "$main" "$layout" cmdExit
x11_wait_exit "$zephlan"
echo "PASS: the road of two plans, About and Exit under Wine"

#!/bin/sh
# The whole road of a flight plan, driven on the real program with real keys and clicks only:
# Continue; the two list files through the real open dialogs; a code typed whole and one found by
# its first letters; aircraft and period picked with the keyboard; times, call sign, flight number,
# level, percentage and a touch-and-go typed; a completeness message met and dismissed; two saves
# into one file through the real save dialog, the second confirming the replace question; Help,
# About and its System Info message; File, Exit. Then the file must hold exactly the two lines.
#   x11_road.sh <zephlan binary>
# Exit 77 (skipped) when a tool is missing.
set -u
program=$(realpath "$1")
. "$(dirname "$0")/x11_harness.sh"
x11_require Xvfb xdotool xkbcomp xwininfo cmp
x11_start_server
x11_map_keysyms scaron Scaron

# The list files as TTools writes them: CR LF, titles in quotes that hold commas, and one
# airport code with a Windows-1252 letter (0x8A, S with caron).
lists=$x11_work/lists
mkdir -p "$lists" "$x11_work/home" "$x11_work/nothing"
printf '%s\r\n' "KSEA,N47* 26.94',W122* 18.54',433" \
    "$(printf "L\212JB,N46* 13.44',E14* 27.36',1273")" \
    "EGLL,N51* 28.65',W0* 27.68',83" >"$lists/Airports.txt"
printf '%s\r\n' 'AC#1,450,"Boeing 737-800, Alaska"' 'AC#2,447,"Airbus A320, easyJet"' \
    'AC#3,360,"Dash 8-Q400, Horizon"' >"$lists/Aircraft list.txt"
plans=$x11_work/plans/FlightPlans.txt
mkdir -p "$(dirname "$plans")"

# No system information tool on the search path, settings kept out of the user's home.
(cd "$x11_work" && exec env PATH="$x11_work/nothing" HOME="$x11_work/home" \
    XDG_CONFIG_HOME="$x11_work/home/.config" XDG_DATA_HOME="$x11_work/home/.local/share" \
    XDG_CACHE_HOME="$x11_work/home/.cache" "$program" >"$x11_work/program.log" 2>&1) &
pid=$!
x11_keep $pid

step() { echo "- $* ($(date +%s.%N | cut -c7-14))"; }

# Waits for the program's new window called NAME (besides KNOWN ones) and gives it the focus.
window() {
    x11_window "$pid" "$@"
}

step "Continue on the welcome window"
welcome=$(x11_new_window "$pid" '') || fail "no welcome window appeared"
x11_continue "$welcome"
window '^Zephlan$'
main=$wid

step "File, Open Airport with Alt, Down, Return"
xdotool key alt Down Return
window '^Open$'
x11_choose_file "$lists/Airports.txt"
x11_wait_gone "$wid"
window '^Open Aircrafts$'
xdotool key Return
x11_wait_gone "$wid"

step "File, Open Aircraft with F10, Down, Down, Return: the arrows stop on the greyed Open Airport"
x11_focus "$main"
xdotool key F10 Down Down Return
window '^Open$'
x11_choose_file "$lists/Aircraft list.txt"
x11_wait_gone "$wid"

step "Airports, aircraft, period, rules, times and details"
x11_focus "$main"
LC_ALL=C.UTF-8 xdotool type --delay 5 "LŠJB"
xdotool key Tab
xdotool type --delay 5 "eg"
xdotool key Tab Down Down Down Tab End Up Tab Down Tab Down Tab space Tab
xdotool type --delay 5 "063000"
xdotool key Tab Tab Tab
xdotool type --delay 5 "060000"
xdotool key Tab
xdotool type --delay 5 "143000"
xdotool key Tab
xdotool type --delay 5 "N541SP"
xdotool key Tab
xdotool type --delay 5 "0429"
xdotool key Tab
xdotool type --delay 5 "050"

step "Save Flight Plan before the percentage: its message"
xdotool key Tab Tab space
window '^AI Percentage$'
xdotool key Return
x11_wait_gone "$wid"
x11_focus "$main"
xdotool type --delay 5 "50"

step "Save Flight Plan into a new file"
xdotool key alt+s
window '^Save As$'
save=$wid
x11_choose_file "$plans"
x11_wait_gone "$save"
for _ in $(seq 100); do [ -s "$plans" ] && break; sleep 0.05; done
[ -s "$plans" ] || fail "nothing was saved"

step "Another flight number, saved into the same file: replace answered with Yes"
x11_focus "$main"
x11_click_control "$main" ui/main/frmZephlanLayout.cpp txtFlightNo
xdotool key ctrl+a
xdotool type --delay 5 "0430"
xdotool key alt+s
window '^Save As$'
save=$wid
x11_choose_file "$plans"
window '^Save As$' "$save"
xdotool key y
x11_wait_gone "$save"

step "Help, About, System Info and its message"
x11_focus "$main"
xdotool key alt Right Down Return
window '^About Zephlan$'
about=$wid
xdotool key alt+s
window '^Zephlan$' "$main"
xdotool key Return
x11_wait_gone "$wid"
x11_focus "$about"
xdotool key Escape
x11_wait_gone "$about"

step "File, Exit with Alt, Down, Down, Down, Down, Return: past the two greyed items and Check Flight Plans"
x11_focus "$main"
xdotool key alt Down Down Down Down Return
x11_wait_exit "$pid"

saved() {
    plan_line aircraft=3 callsign=N541SP percent=50 period=24Hr rules=VFR departure=06:00:00 arrival=TNG06:30:00 \
        level=050 atc=F destination=EGLL back=14:30:00 home="$(printf 'L\212JB')" "$@"
}
{ saved flight=0429 backflight=430; saved flight=0430 backflight=431; } >"$x11_work/expected"
cmp "$x11_work/expected" "$plans" || {
    echo "expected:"
    od -c "$x11_work/expected"
    echo "saved:"
    od -c "$plans"
    fail "the saved file differs"
}
echo "PASS: the whole road"

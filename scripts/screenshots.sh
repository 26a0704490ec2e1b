#!/usr/bin/env bash
# Takes the README's pictures of the three windows on an X server of its own (Xvfb, no window
# manager, so the windows show without title bars): docs/welcome-window.png,
# docs/main-window.png with a plan filled in, and docs/about-window.png.
# Installs what is missing, ImageMagick included, and builds the release first.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
zephlan_install_missing || exit 1
zephlan_install_missing "${ZEPHLAN_PICTURE_PACKAGES[@]}" || exit 1
zephlan_configure release && zephlan_build release || exit 1
program=$PWD/build/release/app/zephlan
docs=$PWD/docs

source app/tests/x11_harness.sh
x11_start_server

shoot() {
    import -window "$1" -define png:exclude-chunks=date,time "$docs/$2" || fail "no picture of $2"
    echo "$docs/$2"
}

lists=$x11_work/lists
mkdir -p "$lists"
for code in KJFK KLAX EGLL LFPG KJAX EDDF KSFO KORD RJTT YSSY; do
    printf '%s,"%s",0,0\r\n' "$code" "$code"
done >"$lists/Airports.txt"
printf '%s\r\n' '1,1,"Boeing 737-800 Paint1"' '2,1,"Boeing 747-400 Paint1"' '3,1,"Cessna Skyhawk 172SP"' \
    '4,1,"Airbus A321, Lufthansa"' '5,1,"Learjet 45"' >"$lists/Aircraft.txt"

(cd "$x11_work" && exec env HOME="$x11_work" XDG_CONFIG_HOME="$x11_work/.config" "$program" >"$x11_work/program.log" 2>&1) &
pid=$!
x11_keep $pid

welcome=$(x11_new_window "$pid" '') || fail "no welcome window appeared"
sleep 0.5
shoot "$welcome" welcome-window.png
x11_click "$welcome" 280 424
x11_window "$pid" '^Zephlan$'
main=$wid

xdotool key alt Down Return
x11_window "$pid" '^Open$'
x11_choose_file "$lists/Airports.txt"
x11_window "$pid" '^Open Aircrafts$'
xdotool key Return
x11_focus "$main"
xdotool key F10 Down Return
x11_window "$pid" '^Open$'
x11_choose_file "$lists/Aircraft.txt"
x11_wait_gone "$wid"

x11_focus "$main"
xdotool type --delay 5 kj
xdotool key Tab
xdotool type --delay 5 EGLL
xdotool key Tab Home Down Tab End Up Tab Tab Tab Tab Tab space Tab
xdotool type --delay 5 153000
xdotool key Tab
xdotool type --delay 5 120000
xdotool key Tab
xdotool type --delay 5 180000
xdotool key Tab
xdotool type --delay 5 N541SP
xdotool key Tab
xdotool type --delay 5 0429
xdotool key Tab
xdotool type --delay 5 050
xdotool key Tab
xdotool type --delay 5 50
sleep 0.5
shoot "$main" main-window.png

xdotool key alt Right Down Return
x11_window "$pid" '^About Zephlan$'
sleep 0.5
shoot "$wid" about-window.png

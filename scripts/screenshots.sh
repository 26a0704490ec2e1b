#!/usr/bin/env bash
# Takes the README's pictures of the windows on an X server of its own (Xvfb, no window
# manager, so the windows show without title bars): docs/welcome-window.png,
# docs/main-window.png with a plan filled in (its plan line warns), docs/plan-check.png with the
# plan changed until it works, docs/about-window.png, and docs/check-plans.png with a
# flight-plans file of problems checked.
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
printf '%s\r\n' "KJFK,N40* 38.39',W73* 46.73',13" "KLAX,N33* 56.55',W118* 24.48',125" \
    "EGLL,N51* 28.65',W0* 27.68',83" "LFPG,N49* 0.58',E2* 32.87',392" "KJAX,N30* 29.65',W81* 41.25',30" \
    "EDDF,N50* 1.99',E8* 34.25',364" "KSFO,N37* 37.15',W122* 22.49',13" "KORD,N41* 58.61',W87* 54.47',672" \
    "RJTT,N35* 33.20',E139* 46.87',35" "YSSY,S33* 56.77',E151* 10.63',21" >"$lists/Airports.txt"
printf '%s\r\n' 'AC#1,450,"Boeing 737-800 Paint1"' 'AC#2,490,"Boeing 747-400 Paint1"' \
    'AC#3,120,"Cessna Skyhawk 172SP"' 'AC#4,450,"Airbus A321, Lufthansa"' 'AC#5,440,"Learjet 45"' >"$lists/Aircraft.txt"

(cd "$x11_work" && exec env HOME="$x11_work" XDG_CONFIG_HOME="$x11_work/.config" "$program" >"$x11_work/program.log" 2>&1) &
pid=$!
x11_keep $pid

welcome=$(x11_new_window "$pid" '') || fail "no welcome window appeared"
sleep 0.5
shoot "$welcome" welcome-window.png
x11_continue "$welcome"
x11_window "$pid" '^Zephlan$'
main=$wid

xdotool key alt Down Return
x11_window "$pid" '^Open$'
x11_choose_file "$lists/Airports.txt"
x11_window "$pid" '^Open Aircrafts$'
xdotool key Return
x11_focus "$main"
xdotool key F10 Down Down Return
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

# Back to the return time (leaving at 20:00), then to the touch-and-go box beside EGLL, unticked.
xdotool key shift+Tab shift+Tab shift+Tab shift+Tab
xdotool type --delay 5 200000
xdotool key shift+Tab shift+Tab shift+Tab space
sleep 0.5
shoot "$main" plan-check.png

xdotool key alt Right Down Return
x11_window "$pid" '^About Zephlan$'
sleep 0.5
shoot "$wid" about-window.png
about=$wid

# File, Check Flight Plans... past the two greyed list commands, on a file with problems.
printf '%s\r\n' \
    "AC#2,N541SP,50%,24Hr,IFR,12:00:00,00:00:00,350,R,0429,EGLL,18:00:00,00:00:00,350,R,430,KJFK" \
    "AC#1,N737AK,100%,24Hr,IFR,06:00:00,00:00:00,330,F,101,KSFO,09:30:00,00:00:00,330,F,102,KLAX" \
    "AC#6,D-AIDA,80%,12Hr,IFR,07:00:00,00:00:00,310,F,400,EDDF,10:00:00,00:00:00,310,F,401,LFPG" \
    "AC#4,D-AIDB,50%,24Hr,IFR,07:00:00,00:00:00,330,F,402,EGKK,11:00:00,00:00:00,330,F,403,EDDF" \
    "AC#5,N45LJ,50%,Week,IFR,1/08:00:00,@1/10:30:00,410,R,45,KORD,1/14:00:00,00:00:00,410,R,46,KJFK" \
    "AC#1,N737AK,100%,24Hr,IFR,15:00:00,00:00:00,330,F,103,KSFO,18:00:00,00:00:00,330,F,104,KLAX" \
    "AC#3,N172SP,20%,2Hr,VFR,08:00:00,00:00:00,045,R,7,KJAX,09:00:00,00:00:00,045,R,8,KJFK" \
    "AC#2,JA8089,100%,24Hr,IFR,11:00:00,00:00:00,350,F,5,RJTT,23:30:00,00:00:00,350,F,6,YSSY" \
    "AC#4,D-AIDC,50%,24Hr,IFR,06:00:00,00:00:00,330,F,404,LFPG,08:00:00,00:00:00,330,F,405,EDDFAC#4,D-AIDD" \
    "AC#1,N737AM,100%,24Hr,IFR,06:00:00,00:00:00,330,F,105,KORD,09:00:00,00:00:00,330,F,106" \
    "AC#1,N737AN,50%,24hr,IFR,06:00:00,00:00:00,330,F,107,KORD,09:00:00,00:00:00,330,F,108,KJFK" \
    "AC#5,N45LK,50%,24Hr,IFR,1/08:00:00,00:00:00,410,R,47,KORD,13:00:00,00:00:00,410,R,48,KJFK" \
    >"$lists/FlightPlans.txt"
xdotool key Escape
x11_wait_gone "$about"
x11_focus "$main"
xdotool key alt Down Down Down Return
x11_window "$pid" '^Open$'
x11_choose_file "$lists/FlightPlans.txt"
x11_window "$pid" '^Check Flight Plans - FlightPlans.txt$'
xdotool key Down Down
sleep 0.5
shoot "$wid" check-plans.png

#!/bin/sh
# Runs the real program on its own X server and drives it like a user.
#   x11_program.sh <zephlan binary> letter    a letter key at start ends the program; no other window appears
#   x11_program.sh <zephlan binary> continue  Continue maps the main window and the program keeps running
# Exit 77 (skipped) when Xvfb or xdotool is missing.
set -u

program=$1
scenario=$2

command -v Xvfb >/dev/null 2>&1 || { echo "Xvfb not installed"; exit 77; }
command -v xdotool >/dev/null 2>&1 || { echo "xdotool not installed"; exit 77; }

work=$(mktemp -d)
xvfb_pid=''
watch_pid=''
program_pid=''
finish() {
    for pid in $program_pid $watch_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null
    done
    wait 2>/dev/null
    rm -rf "$work"
}
trap finish EXIT
fail() { echo "FAIL: $*"; exit 1; }

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
tries=0
until [ -s "$work/display" ]; do
    tries=$((tries + 1))
    [ $tries -le 100 ] || fail "X server did not start"
    sleep 0.1
done
DISPLAY=":$(cat "$work/display")"
export DISPLAY

# Every window of the program mapped on the screen, by id, one per line.
if command -v xev >/dev/null 2>&1; then
    stdbuf -oL xev -root -event substructure >"$work/events" 2>/dev/null &
    watch_pid=$!
    sleep 0.3
    mapped() {
        awk '/^MapNotify/ { getline; if (match($0, /window 0x[0-9a-f]+/)) print substr($0, RSTART + 7, RLENGTH - 7) }' \
            "$work/events" | sort -u
    }
fi

"$program" >"$work/program.log" 2>&1 &
program_pid=$!

if [ -z "$watch_pid" ]; then
    : >"$work/events"
    (while :; do xdotool search --onlyvisible --pid "$program_pid" >>"$work/events" 2>/dev/null; sleep 0.02; done) &
    watch_pid=$!
    mapped() { sort -u "$work/events" | while read -r id; do printf '0x%x\n' "$id"; done; }
fi

welcome=$(timeout 20 xdotool search --sync --onlyvisible --pid "$program_pid" 2>/dev/null | head -n 1)
[ -n "$welcome" ] || fail "no welcome window appeared"
eval "$(xdotool getwindowgeometry --shell "$welcome")"
[ "$WIDTH" = 559 ] && [ "$HEIGHT" = 462 ] || fail "welcome window is ${WIDTH}x$HEIGHT"

# Waits for the program to end by itself within $1 seconds; its exit status goes to $status.
ends_within() {
    (sleep "$1" && touch "$work/timeout" && kill "$program_pid") >/dev/null 2>&1 &
    watchdog=$!
    wait "$program_pid"
    status=$?
    program_pid=''
    kill "$watchdog" 2>/dev/null
    [ ! -e "$work/timeout" ]
}

case $scenario in
letter)
    xdotool windowfocus --sync "$welcome"
    xdotool key x
    ends_within 10 || fail "the program still runs after a letter key"
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
    sleep 0.2
    ids=$(mapped | tr '\n' ' ')
    [ "$ids" = "$(printf '0x%x ' "$welcome")" ] || fail "windows mapped: $ids (welcome $(printf '0x%x' "$welcome"))"
    ;;
continue)
    xdotool mousemove --sync $((X + 280)) $((Y + 424)) click 1
    main=$(timeout 10 xdotool search --sync --onlyvisible --name '^Zephlan$' 2>/dev/null | head -n 1)
    [ -n "$main" ] || fail "no main window after Continue"
    sleep 0.5
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended after Continue"
    [ -z "$(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | grep -vx "$main")" ] \
        || fail "another window besides the main window is still shown"
    ;;
*)
    fail "unknown scenario $scenario"
    ;;
esac
echo "PASS: $scenario"

#!/bin/sh
# Runs the real program on its own X server and drives it like a user.
#   x11_program.sh <zephlan binary> letter    a letter key at start ends the program; no other window appears
#   x11_program.sh <zephlan binary> continue  Continue maps the main window and the program keeps running
#   x11_program.sh <zephlan binary> enter     Enter at start presses Continue, as a click does
# Exit 77 (skipped) when Xvfb, xdotool or xev is missing.
set -u
program=$1
scenario=$2
. "$(dirname "$0")/x11_harness.sh"
x11_require Xvfb xdotool xev xwininfo
x11_start_server
stdbuf -oL xev -root -event substructure >"$x11_work/events" 2>/dev/null &
x11_keep $!
sleep 0.3
"$program" >"$x11_work/program.log" 2>&1 &
program_pid=$!
x11_keep $program_pid
welcome=$(x11_new_window "$program_pid" '') || fail "no welcome window appeared"

case $scenario in
letter)
    x11_focus "$welcome"
    xdotool key x
    x11_wait_exit "$program_pid"
    sleep 0.2
    mapped=$(awk '/^MapNotify/ { getline; match($0, /window 0x[0-9a-f]+/); print substr($0, RSTART + 7) }' \
        "$x11_work/events" | cut -d, -f1 | sort -u | tr '\n' ' ')
    welcome=$(printf '0x%x' "$welcome")
    [ "$mapped" = "$welcome " ] || fail "windows mapped: $mapped(welcome $welcome)"
    ;;
continue|enter)
    if [ "$scenario" = enter ]; then
        x11_focus "$welcome"
        xdotool key Return
    else
        x11_continue "$welcome"
    fi
    x11_new_window "$program_pid" '^Zephlan$' >/dev/null || fail "no main window after Continue"
    sleep 0.5
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended after Continue"
    ;;
*)
    fail "unknown scenario $scenario"
    ;;
esac
echo "PASS: $scenario"

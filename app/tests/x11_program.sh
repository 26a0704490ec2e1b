#!/bin/sh
# Runs the real program on its own X server and drives it like a user.
#   x11_program.sh <zephlan binary> letter    a letter key at start ends the program; no other window appears
#   x11_program.sh <zephlan binary> continue  Continue maps the main window and the program keeps running
# Exit 77 (skipped) when Xvfb, xdotool or xev is missing.
set -u
program=$1
scenario=$2
for tool in Xvfb xdotool xev; do
    command -v $tool >/dev/null 2>&1 || { echo "$tool not installed"; exit 77; }
done
work=$(mktemp -d)
trap 'kill $pids 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "X server did not start"
export DISPLAY=":$(cat "$work/display")"
stdbuf -oL xev -root -event substructure >"$work/events" 2>/dev/null &
pids="$pids $!"
sleep 0.3
"$program" >/dev/null 2>&1 &
program_pid=$!
pids="$pids $program_pid"
welcome=$(timeout 20 xdotool search --sync --onlyvisible --pid "$program_pid" 2>/dev/null | head -n 1)
[ -n "$welcome" ] || fail "no welcome window appeared"

case $scenario in
letter)
    xdotool windowfocus --sync "$welcome" key x
    (sleep 10 && kill "$program_pid") >/dev/null 2>&1 &
    pids="$pids $!"
    wait "$program_pid" || fail "the program did not end by itself with status 0 (status $?)"
    sleep 0.2
    mapped=$(awk '/^MapNotify/ { getline; match($0, /window 0x[0-9a-f]+/); print substr($0, RSTART + 7) }' \
        "$work/events" | cut -d, -f1 | sort -u | tr '\n' ' ')
    welcome=$(printf '0x%x' "$welcome")
    [ "$mapped" = "$welcome " ] || fail "windows mapped: $mapped(welcome $welcome)"
    ;;
continue)
    eval "$(xdotool getwindowgeometry --shell "$welcome")"
    xdotool mousemove --sync $((X + 280)) $((Y + 424)) click 1
    main=$(timeout 10 xdotool search --sync --onlyvisible --name '^Zephlan$' 2>/dev/null | head -n 1)
    [ -n "$main" ] || fail "no main window after Continue"
    sleep 0.5
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended after Continue"
    ;;
*)
    fail "unknown scenario $scenario"
    ;;
esac
echo "PASS: $scenario"

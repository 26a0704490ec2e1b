# Sourced by the end-to-end tests (app/tests/x11_*.sh, the Wine roads through wine_harness.sh,
# packaging/tests), scripts/screenshots.sh and bench/report.sh: an X server of the caller's own and
# helpers that drive the real program through it with real key and mouse events. Mostly no window
# manager runs, so a window that should take the keys is given the focus explicitly (x11_focus);
# when a caller starts one (openbox), clicks still land right and x11_has_focus waits for the focus
# it hands over. POSIX sh, for the scripts that run under sh.
#
#   x11_require TOOL...        exit 77 (skipped) when a tool is missing
#   x11_start_server           Xvfb on a free display (picked with -displayfd; its screen
#                              X11_SCREEN, 1024x768x24 unless set); exports DISPLAY and sets
#                              x11_work, a temporary folder removed on exit
#   x11_keep PID               kill PID on exit
#   x11_at_exit COMMAND        runs COMMAND on exit, while the X server is still there
#   x11_shot FILE              a picture of the whole screen
#   x11_map_keysyms LOWER UPPER
#                              puts a letter the US keymap lacks, both cases, on a spare key, so
#                              xdotool types it without remapping keys on the fly (which sometimes
#                              loses one)
#   x11_new_window PID NAME [KNOWN...]
#                              waits for a visible window of PID (any program's for -) whose name
#                              matches the regular expression NAME and is none of KNOWN; prints
#                              its id
#   x11_focus WID              waits until no menu or other popup is open (besides those listed
#                              in x11_lasting_popups), then gives WID the keyboard focus and
#                              waits until it has it
#   x11_has_focus WID          waits until WID has the keyboard focus without giving it
#   x11_popups                 the ids of the popups open now
#   x11_window PID NAME [KNOWN...]
#                              x11_new_window, then x11_focus; the window's id is left in $wid
#   x11_choose_file PATH       types PATH into the focused file dialog's name box over the proposed
#                              name, and accepts it
#   x11_wait_gone WID          waits until WID is no longer shown
#   x11_click WID X Y          clicks at X,Y inside WID
#   x11_control_place SOURCE NAME
#                              LEFT TOP WIDTH HEIGHT in twips of control NAME, read from the layout
#                              table of SOURCE (a window's file, such as ui/main/frmZephlanLayout.cpp)
#   x11_client_top WID SOURCE  the pixel row where WID's client area starts: its client area lies
#                              at its foot, below any menu bar (kClientHeight in SOURCE)
#   x11_click_control WID SOURCE NAME
#                              clicks the middle of that control in window WID
#   x11_continue WID           clicks the welcome window's Continue button
#   x11_wait_exit PID          waits until the program PID ends by itself; fails unless its
#                              status is 0
#   fail MESSAGE               prints the step that failed and the program's output, exits 1
#                              (with X11_FAILURE_SHOT=file.png set, also a picture of the screen)
#   plan_line NAME=VALUE...    prints the plan line a save should write, with its CR LF, from the
#                              fields named: aircraft callsign percent period rules departure
#                              arrival level atc flight destination back backarrival backflight home
#                              (the arrivals are 00:00:00 unless named; level and atc stand twice)

x11_timeout=${X11_TIMEOUT:-10}
x11_pids=
x11_lasting_popups=
x11_exit_commands=:

x11_cleanup() {
    local pid
    # The caller may run with errexit; on the way out a command that fails stops nothing.
    set +e
    eval "$x11_exit_commands"
    # Children first, the X server last.
    for pid in $x11_pids; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    [ -n "${x11_work:-}" ] && rm -rf "$x11_work"
}

fail() {
    echo "FAIL: $*"
    # X11_FAILURE_SHOT=file.png keeps a picture of the screen as it was.
    if [ -n "${X11_FAILURE_SHOT:-}" ] && [ -n "${DISPLAY:-}" ]; then
        x11_shot "$X11_FAILURE_SHOT" && echo "screen: $X11_FAILURE_SHOT"
    fi
    if [ -s "${x11_work:-/nonexistent}/program.log" ]; then
        echo "--- program output"
        cat "$x11_work/program.log"
    fi
    exit 1
}

x11_require() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || { echo "$tool not installed"; exit 77; }
    done
}

x11_keep() {
    x11_pids="$1 $x11_pids"
}

x11_at_exit() {
    x11_exit_commands="$x11_exit_commands; $1"
}

plan_line() {
    local aircraft= callsign= percent= period= rules= departure= arrival=00:00:00 level= atc= flight=
    local destination= back= backarrival=00:00:00 backflight= home= field
    for field in "$@"; do local "$field"; done
    printf 'AC#%s,%s,%s%%,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s\r\n' "$aircraft" "$callsign" "$percent" \
        "$period" "$rules" "$departure" "$arrival" "$level" "$atc" "$flight" "$destination" "$back" "$backarrival" \
        "$level" "$atc" "$backflight" "$home"
}

x11_shot() {
    import -window root "$1" 2>/dev/null || echo "no picture of the screen for $1"
}

x11_start_server() {
    x11_work=$(mktemp -d)
    trap x11_cleanup EXIT
    trap 'exit 1' INT TERM
    Xvfb -displayfd 3 -screen 0 "${X11_SCREEN:-1024x768x24}" -nolisten tcp -noreset 3>"$x11_work/display" 2>/dev/null &
    x11_keep $!
    for _ in $(seq 100); do [ -s "$x11_work/display" ] && break; sleep 0.1; done
    [ -s "$x11_work/display" ] || fail "X server did not start"
    DISPLAY=":$(cat "$x11_work/display")"
    export DISPLAY
}

x11_map_keysyms() {
    xkbcomp -xkb "$DISPLAY" "$x11_work/keymap.xkb" 2>/dev/null || fail "could not read the keymap"
    # The key between left Shift and Z (less, greater) takes the letters: lower case, then shifted.
    sed "s/\[ *less, *greater, *bar, *brokenbar *\]/[ $1, $2, bar, brokenbar ]/" \
        "$x11_work/keymap.xkb" >"$x11_work/keymap-extra.xkb"
    # Now and then the server has not taken the new map by the time it is read back: loaded again,
    # for up to five seconds on a busy machine.
    for _ in $(seq 25); do
        xkbcomp -w 0 "$x11_work/keymap-extra.xkb" "$DISPLAY" 2>/dev/null || fail "could not load the keymap"
        xkbcomp -xkb "$DISPLAY" - 2>/dev/null | grep -q "\[ *$1, *$2," && return 0
        sleep 0.2
    done
    fail "keymap lacks $1 and $2"
}

x11_new_window() {
    local pid=$1 name=$2 deadline wid
    shift 2
    deadline=$(($(date +%s) + x11_timeout))
    while [ "$(date +%s)" -le "$deadline" ]; do
        for wid in $(if [ "$pid" = - ]; then xdotool search --onlyvisible --name "$name"
                     else xdotool search --all --onlyvisible --pid "$pid" --name "$name"; fi 2>/dev/null); do
            case " $* " in
            *" $wid "*) ;;
            *) echo "$wid"; return 0 ;;
            esac
        done
        sleep 0.05
    done
    return 1
}

x11_popups() {
    local wid
    for wid in $(xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p'); do
        xwininfo -id "$wid" -stats 2>/dev/null | tr '\n' ' ' \
            | grep 'IsViewable' | grep -q 'Override Redirect State: yes' && echo "$((wid))"
    done
}

# A menu or a completion list holds the keyboard grab until it is unmapped, which may be a moment
# after the window that opened it has gone; keys sent meanwhile would be lost. The window about to
# take the focus may itself be one (Wine maps a window without a title bar so).
x11_wait_no_popup() {
    local deadline wid popup
    deadline=$(($(date +%s) + x11_timeout))
    while :; do
        popup=
        for wid in $(x11_popups); do
            case " $(($1)) $x11_lasting_popups " in
            *" $wid "*) ;;
            *) popup=$wid ;;
            esac
        done
        [ -z "$popup" ] && return 0
        [ "$(date +%s)" -le "$deadline" ] || fail "popup window $popup stayed open"
        sleep 0.02
    done
}

# Whether the keyboard focus is in WID: on it or on a window inside it.
x11_focus_in() {
    local wid
    wid=$(xdotool getwindowfocus 2>/dev/null) || return 1
    while [ -n "$wid" ] && [ "$((wid))" != 0 ]; do
        [ "$((wid))" = "$(($1))" ] && return 0
        wid=$(xwininfo -tree -id "$wid" 2>/dev/null | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')
    done
    return 1
}

x11_has_focus() {
    local deadline
    deadline=$(($(date +%s) + x11_timeout))
    until x11_focus_in "$1"; do
        [ "$(date +%s)" -le "$deadline" ] || fail "window $1 did not get the focus back"
        sleep 0.05
    done
}

x11_focus() {
    x11_wait_no_popup "$1"
    timeout "$x11_timeout" xdotool windowfocus --sync "$1" 2>/dev/null || fail "window $1 did not take the focus"
}

x11_wait_gone() {
    local deadline
    deadline=$(($(date +%s) + x11_timeout))
    while xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; do
        [ "$(date +%s)" -le "$deadline" ] || fail "window $1 stayed open"
        sleep 0.05
    done
}

x11_click() {
    local corner x y
    # xwininfo's corner is right under a window manager too, where xdotool's
    # adds the frame's offset a second time.
    corner=$(xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF } END { print x, y }')
    x=${corner% *} y=${corner#* }
    # The pointer then leaves the windows, so that no tooltip opens.
    xdotool mousemove --sync $((x + $2)) $((y + $3)) click 1 mousemove 0 0
}

# The source tree, for the layout tables: the callers live one or two folders down in it.
for x11_tree in "$(dirname "$0")/../.." "$(dirname "$0")/.." "$PWD"; do
    [ -f "$x11_tree/ui/main/frmZephlanLayout.cpp" ] && break
done

# The four numbers in braces or in twipsRect() on the line that names the control, or the next.
x11_control_place() {
    awk -v name="\"$2\"" 'index($0, name) { near = 2 }
        near-- > 0 && match($0, /[{(][0-9]+, *[0-9]+, *[0-9]+, *[0-9]+[})]/) {
            place = substr($0, RSTART + 1, RLENGTH - 2); gsub(/, */, " ", place); print place; exit
        }' "$x11_tree/$1"
}

x11_client_top() {
    local client height
    client=$(sed -n 's/^constexpr int kClientHeight = \([0-9]*\);.*/\1/p' "$x11_tree/$2")
    height=$(xwininfo -id "$1" | awk '$1 == "Height:" { print $2 }')
    echo $((client ? height - client / 15 : 0))
}

x11_click_control() {
    local place top
    place=$(x11_control_place "$2" "$3")
    [ -n "$place" ] || fail "no control $3 in $2"
    top=$(x11_client_top "$1" "$2")
    set -- "$1" $place
    x11_click "$1" $((($2 + $4 / 2) / 15)) $((top + ($3 + $5 / 2) / 15))
}

x11_continue() {
    x11_click_control "$1" ui/welcome/frmWelcome.cpp cmdContinue
}

x11_window() {
    local name=$2
    wid=$(x11_new_window "$@") || fail "no window \"$name\" appeared"
    x11_focus "$wid"
}

x11_choose_file() {
    xdotool key ctrl+a
    xdotool type --delay 5 "$1"
    xdotool key Return
}

x11_wait_exit() {
    local deadline state
    deadline=$(($(date +%s) + x11_timeout))
    # A child that has ended stays a zombie (state Z) until it is waited for.
    while state=$(cut -d' ' -f3 "/proc/$1/stat" 2>/dev/null) && [ "$state" != Z ]; do
        [ "$(date +%s)" -le "$deadline" ] || fail "the program did not end by itself"
        sleep 0.05
    done
    wait "$1" || fail "the program ended with status $?"
}

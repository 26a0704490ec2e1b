# Sourced by the Wine roads (app/tests/wine_program.sh, packaging/tests/wine_installer.sh) after
# x11_harness.sh, whose X server and helpers they use: Wine in a fresh prefix of the caller's own,
# the program unpacked from the zip users get, and helpers for the system's own dialogs, which
# Qt's accessibility does not reach, so they are found by size and name. A window manager may be
# running (ZEPHLAN_WM): clicks take the window's true corner, and after a dialog the keys wait
# until the main window has the focus again. Bash.
#
#   wine_start_prefix            a fresh, prepared prefix in $x11_work/prefix with the shared Wine
#                                settings, its server ended on exit; no DLL from the build
#   wine_unpack_zip BUILD        makes the zip with CPack and unpacks it; zephlan.exe's path is
#                                left in $wine_program
#   wine_windows_path PATH       the path as Windows sees it, on drive Z:
#   wine_program_window PID dialog|complaint
#                                waits for the program's file dialog (big, "Open", "Save" or "Save
#                                As") or a complaint or question (small) and prints its id
#   wine_back_to_main WID        waits until WID is gone and the main window ($main) has the focus
#   wine_choose_file PID PATH WHAT
#                                types PATH into the file dialog's name box and accepts it; the
#                                dialog's id is left in $dialog
#   wine_keeps_size WID WHAT     asks the window manager to make WID 900x700 (unless it does not
#                                manage WID) and to maximise it; fails if WID's size changes

. "$x11_tree/scripts/windows/wine-env.sh"

wine_start_prefix() {
    unset WINEPATH
    export WINEPREFIX=$x11_work/prefix
    x11_at_exit "wineserver -k 2>/dev/null"
    "$x11_tree/scripts/windows/wine-prefix.sh" "$WINEPREFIX" >/dev/null || fail "the Wine prefix could not be prepared"
}

wine_unpack_zip() {
    local zip
    cpack -G ZIP --config "$1/CPackConfig.cmake" -B "$x11_work/package" >"$x11_work/cpack.log" 2>&1 \
        || { cat "$x11_work/cpack.log"; fail "CPack did not make the zip"; }
    zip=$(ls "$x11_work"/package/Zephlan-*-win64.zip) || fail "no Zephlan-<version>-win64.zip"
    (cd "$x11_work" && cmake -E tar xf "$zip") || fail "the zip did not unpack"
    wine_program=$(ls "$x11_work"/Zephlan-*-win64/zephlan.exe) || fail "no zephlan.exe in the zip"
}

wine_windows_path() {
    printf 'Z:%s' "${1//\//\\}"
}

wine_program_window() {
    local id name deadline=$((SECONDS + x11_timeout))
    while ((SECONDS <= deadline)); do
        for id in $(xdotool search --all --onlyvisible --pid "$1" --name '' 2>/dev/null); do
            eval "$(xdotool getwindowgeometry --shell --prefix U_ "$id" 2>/dev/null)"
            name=$(xdotool getwindowname "$id" 2>/dev/null)
            case $2 in
            dialog) ((U_WIDTH > 300 && U_HEIGHT > 200 && U_WIDTH < 1280)) && [[ $name =~ ^(Open|Save|Save\ As)$ ]] ;;
            complaint) ((U_WIDTH > 50 && U_WIDTH < 300 && U_HEIGHT > 30 && U_HEIGHT < 200)) ;;
            esac && { echo "$id"; return 0; }
        done
        sleep 0.1
    done
    return 1
}

# Under a window manager the focus comes back a moment after the dialog goes.
wine_back_to_main() {
    x11_wait_gone "$1"
    x11_has_focus "$main"
}

# Tab closes the list of completions Wine may show.
wine_choose_file() {
    dialog=$(wine_program_window "$1" dialog) || fail "no file dialog for $3"
    eval "$(xdotool getwindowgeometry --shell --prefix D_ "$dialog")"
    x11_click "$dialog" $((D_WIDTH - 200)) $((D_HEIGHT - 41))   # the name box
    xdotool key End shift+Home
    xdotool type --delay 50 "$(wine_windows_path "$2")"
    xdotool key Tab Return
}

# Nothing says a request was refused: a window that takes one changes within a
# moment, so the size is watched for a while after each. A window that the
# window manager does not manage (Wine maps one without a title bar or sizing
# border so) has no border to drag, and a resize sent to it would pass the
# window manager by: it is only asked to maximise.
wine_keeps_size() {
    local request requests=() before after
    xwininfo -id "$1" -stats | grep -q 'Override Redirect State: yes' || requests+=("xdotool windowsize $1 900 700")
    requests+=("wmctrl -i -r $1 -b add,maximized_vert,maximized_horz")
    before=$(wine_window_size "$1")
    for request in "${requests[@]}"; do
        $request || fail "the window manager could not be asked: $request"
        for _ in $(seq 15); do
            sleep 0.1
            after=$(wine_window_size "$1")
            [[ $after == "$before" ]] || fail "$2 became $after from $before on: $request"
        done
    done
}

wine_window_size() {
    xwininfo -id "$1" | awk '$1 == "Width:" { w = $2 } $1 == "Height:" { h = $2 } END { print w "x" h }'
}

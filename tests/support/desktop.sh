# What the package checks share, sourced by them on a virtual display:
# windows found by their title, waits for what a step must bring, and a
# program started as a person starts it, its first field stepped with the
# Up key and saved with the keyboard (Tab past the 60 fields and the slot
# box to Save, then Space).
#
#   windows_named PATTERN        the ids of the windows whose title matches
#   wait_for_window PATTERN [S]  the first such window's id, once there is one
#   wait_for_no_window PATTERN   until there is none
#   wait_until COMMAND...        until COMMAND succeeds
#   step_and_save TITLE COMMAND...
#                                COMMAND starts the program and returns; keys
#                                go once the title matches TITLE; the window
#                                is left in $window, a picture of it taken
#                                first into $screenshot if that is set
# Each wait gives up after 60 seconds (S, or $WAIT_SECONDS for wait_until),
# and fails then.

caption="$(sed -nE 's/.*caption = "(.*)";/\1/p' "$(dirname "${BASH_SOURCE[0]}")/../../src/editor/main_window.h")"

# xdotool ends with Xlib's error (BadWindow) when a window vanishes while it
# walks the window tree: that is no answer, and it asks again.
windows_named() {
    local found
    until found="$(xdotool search --name "$1" 2>&1)"; do
        grep -q "X Error" <<<"$found" || return 0  # no window matches
    done
    echo "$found"
}

wait_until() {
    local deadline=$((SECONDS + ${WAIT_SECONDS:-60}))
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.2
    done
}

wait_for_window() {
    local deadline=$((SECONDS + ${2:-60})) found
    until found="$(windows_named "$1" | head -n1)" && [ -n "$found" ]; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.2
    done
    echo "$found"
}

no_window_named() { [ -z "$(windows_named "$1")" ]; }
wait_for_no_window() { wait_until no_window_named "$1"; }

step_and_save() {
    local title="$1"
    shift
    timeout 60 "$@"
    window="$(wait_for_window "$title")"
    [ -z "${screenshot:-}" ] || import -window "$window" "$screenshot"
    xdotool windowfocus --sync "$window" key Up
    xdotool key --delay 20 --repeat 61 Tab key space
}

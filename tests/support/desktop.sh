# What the package checks share, sourced by them on a virtual display:
# windows found by their title, waits for what a step must bring, and a
# program started as a person starts it, its first field stepped with the
# Up key and saved with the keyboard (Tab past the 60 fields and the slot
# box to Save, then Space).
#
#   window_named PATTERN        whether a shown window's title matches, its id then
#                                in $found
#   property NAME                the X11 property NAME of $window, as xprop
#                                gives it after "= "
#   wait_until COMMAND...        until COMMAND succeeds, for 60 seconds (or
#                                $WAIT_SECONDS) at most
#   step_and_save TITLE COMMAND...
#                                COMMAND starts the program and returns; keys
#                                go once a window's title matches TITLE; the
#                                window is left in $window, a picture of it
#                                taken first into $screenshot if that is set

caption="$(sed -nE 's/.*caption = "(.*)";/\1/p' "$(dirname "${BASH_SOURCE[0]}")/../../src/editor/main_window.h")"

# Only windows on the screen count: Wine names a window before it maps it,
# and keys cannot go to it until it is mapped. xdotool ends with Xlib's
# error (BadWindow) when a window vanishes while it walks the window tree:
# that is no answer, and it asks again.
windows_named() {
    local found
    until found="$(xdotool search --onlyvisible --name "$1" 2>&1)"; do
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

window_named() {
    found="$(windows_named "$1" | head -n1)"
    [ -n "$found" ]
}

no_window_named() { ! window_named "$1"; }

# Whether the profile at $1 begins with the 5 its first field was stepped to.
stepped() { [ "$(head -n1 "$1")" = $'5\r' ]; }

property() { LC_ALL=C.UTF-8 xprop -id "$window" "$1" | sed -n 's/^[^=]*= //p'; }

step_and_save() {
    local title="$1"
    shift
    timeout 60 "$@"
    wait_until window_named "$title"
    window="$found"
    [ -z "${screenshot:-}" ] || import -window "$window" "$screenshot"
    xdotool windowfocus --sync "$window" key Up
    xdotool key --delay 20 --repeat 61 Tab key space
}

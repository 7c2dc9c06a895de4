# What the package checks share, sourced by them on a virtual display: a
# program started as a person starts it, found by the caption its window's
# title ends in (after the profile's name, once one is read),
# its first field stepped with the Up key and saved with the keyboard (Tab
# past the 60 fields and the slot box to Save, then Space).
#
#   step_and_save COMMAND...   COMMAND starts the program and returns; the
#                              window is left in $window, a picture of it
#                              taken first into $screenshot if that is set

caption="$(sed -nE 's/.*caption = "(.*)";/\1/p' "$(dirname "${BASH_SOURCE[0]}")/../../src/editor/main_window.h")"

step_and_save() {
    timeout 60 "$@"
    window="$(timeout 60 xdotool search --sync --name "$caption\$" | head -n1)"
    sleep 2
    [ -z "${screenshot:-}" ] || import -window "$window" "$screenshot"
    xdotool windowfocus --sync "$window" key Up
    xdotool key --delay 20 --repeat 61 Tab key space
    sleep 2
}

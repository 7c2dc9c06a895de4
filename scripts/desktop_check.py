"""Checks a running Zelvane utility from outside, as assistive technology
sees it: through the accessibility bus (AT-SPI), never in-process.

    desktop_check.py PROFILE COMMAND...

Starts COMMAND (which opens PROFILE, a profile of sixty equal values), waits
for its window, and checks that every field shows the profile's value, that
the slot box shows the profile's slot, that Increase and Decrease are offered
as buttons with a press action that steps the selected value while never
taking the focus, and that the window closes cleanly. Run it inside a
D-Bus session with a display: xvfb-run -a dbus-run-session -- python3 ...
"""
import os
import pathlib
import subprocess
import sys
import time

import pyatspi


def fail(message):
    sys.exit(f"desktop check: {message}")


def wait_for(what, find, seconds=30):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = find()
        if found is not None:
            return found
        time.sleep(0.2)
    fail(f"no {what} after {seconds} s")


def window_of(title):
    for app in pyatspi.Registry.getDesktop(0):
        for window in app or []:
            if window is not None and window.name == title:
                return window
    return None


def by_name(window, role, name):
    return pyatspi.findDescendant(
        window, lambda node: node is not None and node.getRole() == role and node.name == name)


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def press(button):
    actions = button.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if "Press" not in names:
        fail(f"{button.name} offers no press action, only {names}")
    actions.doAction(names.index("Press"))


def main():
    profile = pathlib.Path(sys.argv[1])
    value = profile.read_text().splitlines()[0]
    slot = profile.name[len("vc_offset_"):-len(".mpf")]
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    program = subprocess.Popen(sys.argv[2:], env=environment)
    try:
        window = wait_for("window titled 'Zelvane utility V3'",
                          lambda: window_of("Zelvane utility V3"))
        fields = pyatspi.findAllDescendants(
            window, lambda node: node is not None and node.getRole() == pyatspi.ROLE_TEXT)
        shown = [text_of(field) for field in fields]
        if shown.count(value) != 60 or slot not in shown:
            fail(f"the fields do not show {profile.name}: {shown}")
        up_x = by_name(window, pyatspi.ROLE_TEXT, "Up X")
        for name, expected in (("Increase", int(value) + 1), ("Decrease", int(value))):
            button = by_name(window, pyatspi.ROLE_PUSH_BUTTON, name)
            if button is None:
                fail(f"{name} is not offered as a button")
            if button.getState().contains(pyatspi.STATE_FOCUSABLE):
                fail(f"{name} takes the focus")
            press(button)
            wait_for(f"Up X showing {expected} after {name}",
                     lambda: True if text_of(up_x) == str(expected) else None, 10)
        print(f"desktop check: {profile.name} shown, slot {slot}, Increase and Decrease pressed "
              "through the accessibility bus")
    finally:
        program.terminate()
        if program.wait(timeout=10) not in (0, -15):
            fail(f"the program ended with {program.returncode}")


main()

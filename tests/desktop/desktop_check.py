"""Checks a running Zelvane utility from outside, as a person and assistive
technology see it: through the accessibility bus (AT-SPI), never in-process.

    desktop_check.py [--value V] [--slot S] [--saves FILE] -- COMMAND...

Starts COMMAND and waits for its window, found by the caption the window
class defines. Checks that every field shows V (default 0) and the slot box
S (default 00); that it has the program's icon (xdotool and xprop); that
Increase and Decrease are buttons with a press action
that steps the selected value and never take the focus; with --saves, that
"Front Y" set to 7 by assistive technology is what Save, pressed the same
way, writes into FILE; and that the program ends cleanly when asked to. Run
it in a D-Bus session with a display: xvfb-run -a dbus-run-session -- ...
"""
import argparse
import os
import pathlib
import re
import signal
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib


HEADER = pathlib.Path(__file__).resolve().parents[2] / "src/editor/main_window.h"
CAPTION = re.search(r'caption = "(.*)";', HEADER.read_text()).group(1)


def fail(message):
    sys.exit(f"desktop check: {message}")


def wait_for(what, find, seconds=30):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        while GLib.MainContext.default().iteration(False):
            pass  # lets the registry hear of new programs and windows
        found = find()
        if found is not None:
            return found
        time.sleep(0.2)
    fail(f"no {what} after {seconds} s")


def top_level(roles, name=None):
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.name != "zelvane":
            continue
        for window in app:
            if window is not None and window.getRole() in roles and name in (None, window.name):
                return window
    return None


def descendants(root, role):
    return pyatspi.findAllDescendants(root, lambda node: node is not None and node.getRole() == role)


def named(root, role, name):
    return next((node for node in descendants(root, role) if node.name == name), None)


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def press(button):
    actions = button.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if "Press" not in names:
        fail(f"{button.name} offers no press action, only {names}")
    actions.doAction(names.index("Press"))


def check_window(window, value, slot):
    fields = [text_of(field) for field in descendants(window, pyatspi.ROLE_TEXT)]
    if fields != [value] * 60 + [slot]:
        fail(f"the fields and the slot box show {fields}")
    up_x = named(window, pyatspi.ROLE_TEXT, "Up X")
    for name, expected in (("Increase", float(value) + 1), ("Decrease", float(value))):
        button = named(window, pyatspi.ROLE_PUSH_BUTTON, name)
        if button is None:
            fail(f"{name} is not offered as a button")
        if button.getState().contains(pyatspi.STATE_FOCUSABLE):
            fail(f"{name} takes the focus")
        press(button)
        wait_for(f"Up X stepped to {expected:g} by {name}",
                 lambda: True if float(text_of(up_x)) == expected else None, 10)


def check_icon(editor):
    """The window carries the program's icon, for the title bar and task bar."""
    def run(*command):
        return subprocess.run(command, capture_output=True, text=True, errors="replace").stdout
    found = run("xdotool", "search", "--pid", str(editor), "--name", f"^{CAPTION}$").split()
    if not found or "Icon (16 x 16)" not in run("xprop", "-id", found[0], "_NET_WM_ICON"):
        fail("the window has no icon")


def check_saves_what_it_shows(window, saved):
    named(window, pyatspi.ROLE_TEXT, "Front Y").queryEditableText().setTextContents("7")
    press(named(window, pyatspi.ROLE_PUSH_BUTTON, "Save"))
    fifth = lambda: pathlib.Path(saved).read_bytes().split(b"\r\n")[4]
    wait_for(f"Front Y set to 7 saved in {saved}", lambda: True if fifth() == b"7" else None, 10)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--value", default="0")
    parser.add_argument("--slot", default="00")
    parser.add_argument("--saves")
    parser.add_argument("command", nargs="+")
    arguments = parser.parse_args()
    # What a screen reader does when it starts: programs started from now on
    # offer their windows on the accessibility bus.
    subprocess.run(["gdbus", "call", "--session", "--dest", "org.a11y.Bus", "--object-path",
                    "/org/a11y/bus", "--method", "org.freedesktop.DBus.Properties.Set",
                    "org.a11y.Status", "IsEnabled", "<true>"], check=True, stdout=subprocess.DEVNULL)
    program = subprocess.Popen(arguments.command)
    editor = None  # a launcher such as gio starts the editor as a process of its own
    try:
        window = wait_for(f"window titled {CAPTION!r}",
                          lambda: top_level((pyatspi.ROLE_FILLER, pyatspi.ROLE_FRAME), CAPTION))
        editor = window.get_application().get_process_id()
        check_window(window, arguments.value, arguments.slot)
        check_icon(editor)
        if arguments.saves:
            check_saves_what_it_shows(window, arguments.saves)
        print(f"desktop check passed: {' '.join(arguments.command)}")
    finally:
        program.terminate()
        if program.wait(timeout=10) not in (0, -15):
            fail(f"the program ended with {program.returncode}")
        if editor not in (None, program.pid):
            os.kill(editor, signal.SIGTERM)


main()

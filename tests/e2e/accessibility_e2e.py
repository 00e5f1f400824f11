"""Drives the real Quorvex executable as an assistive technology would: through the
accessibility bus only (AT-SPI), never through the program's own code.

It finds the menu, opens the three-phase real power screen, fills in 400 V, 10 A and 30 degrees,
presses "Solve", reads the results back, returns to the menu, closes it and checks that the
program exits with status 0. The menu and the calculator must hold every control of
spoken_controls.py with its name, role and description, and "Solve" the results after it.

On the way it checks, from the X server, what a desktop's settings could take away: the program is
one application on the accessibility bus with one top-level window, the menu, whose size and text
follow the screen's scale (SCALE: 1 at 96 DPI, 2 with Xft.dpi at 192). The title's width in pixels
at scale 1 is written to REFERENCE, and compared with it at any other scale.

Usage: accessibility_e2e.py QUORVEX_EXECUTABLE SCALE REFERENCE
(inside an X display and a D-Bus session).
"""

import os
import subprocess
import sys
import time
from collections import Counter

import pyatspi
from gi.repository import Gio, GLib
from Xlib import X
from Xlib import display as xdisplay

from spoken_controls import SOLVED, controls

TIMEOUT = 15
MENU_SIZE = (725, 440)
# The menu's title line, "Quorvex 1_0", in pixels at 96 DPI: left, top, width, height.
TITLE_AREA = (8, 18, 500, 30)


class Failure(Exception):
    pass


def wait_for(what, probe, timeout=TIMEOUT):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        try:
            found = probe()
        except Exception:  # the tree changes under us while windows come and go
            found = None
        if found:
            return found
        time.sleep(0.05)
    raise Failure(f"timed out waiting for {what}")


PROGRAM_ID = None


def applications():
    """The program's applications on the accessibility bus: there must be one."""
    desktop = pyatspi.Registry.getDesktop(0)
    found = []
    for index in range(desktop.childCount):
        candidate = desktop.getChildAtIndex(index)
        if candidate is not None and candidate.get_process_id() == PROGRAM_ID:
            found.append(candidate)
    return found


def application():
    for candidate in applications():
        if candidate.name.lower() == "quorvex":
            return candidate
    return None


def window(title):
    app = application()
    if app is None:
        return None
    for index in range(app.childCount):
        child = app.getChildAtIndex(index)
        if child is not None and child.name == title:
            return child
    return None


def descendants(root, predicate):
    return pyatspi.findAllDescendants(root, predicate)


def left_edge(accessible):
    return accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).x


def button(root, name):
    # By the role itself: AT-SPI 2.53 renamed the push button role's name to "button".
    found = descendants(
        root, lambda a: a.getRole() == pyatspi.ROLE_PUSH_BUTTON and a.name == name)
    if not found:
        raise Failure(f'no button "{name}"')
    return sorted(found, key=left_edge)


def press(accessible):
    actions = accessible.queryAction()
    for index in range(actions.nActions):
        if actions.getName(index).lower() in ("press", "click"):
            actions.doAction(index)
            return
    actions.doAction(0)


def entry(root, name):
    found = descendants(root, lambda a: a.name == name)
    if len(found) != 1:
        raise Failure(f'expected one box "{name}", found {len(found)}')
    return found[0]


def result(root, description):
    found = descendants(root, lambda a: a.description == description)
    if len(found) != 1:
        raise Failure(f'expected one result "{description}", found {len(found)}')
    return found[0]


# The AT-SPI role of each of Orca 43's words (AT-SPI 2.56 calls a push button "button").
ROLES = {"frame": pyatspi.ROLE_FRAME, "push button": pyatspi.ROLE_PUSH_BUTTON,
         "text": pyatspi.ROLE_TEXT, "image": pyatspi.ROLE_IMAGE, "label": pyatspi.ROLE_LABEL,
         "filler": pyatspi.ROLE_FILLER}


def check_controls(window, screen):
    """The window and its controls are on the bus as spoken_controls.py has them."""
    found = Counter((accessible.name, accessible.getRole(), accessible.description)
                    for accessible in [window] + descendants(window, lambda _: True))
    expected = Counter((name, ROLES[role], description)
                       for name, role, description in controls(screen))
    if found != expected:
        raise Failure(f"{screen}: missing {list((expected - found).elements())}, "
                      f"not expected {list((found - expected).elements())}")
    print(f"{screen}: its window and {sum(expected.values()) - 1} controls as a screen reader "
          "hears them")


def title_ink_width(x_window, scale):
    """The width of the dark pixels of the menu's title line, in device pixels."""
    left, top, width, height = (round(value * scale) for value in TITLE_AREA)
    image = x_window.get_image(left, top, width, height, X.ZPixmap, 0xFFFFFFFF)
    pixels = image.data
    columns = [column for column in range(width)
               if any(sum(pixels[(row * width + column) * 4:(row * width + column) * 4 + 3]) < 384
                      for row in range(height))]
    return columns[-1] - columns[0] + 1 if columns else 0


def check_desktop_integration(scale, reference):
    """One application and one top-level window, the menu, scaled with the screen, text too."""
    found = applications()
    if len(found) != 1:
        raise Failure(f"{len(found)} applications of the program on the accessibility bus: "
                      f"{[candidate.name for candidate in found]}")
    connection = xdisplay.Display()
    root = connection.screen().root
    with_class = [child for child in root.query_tree().children if child.get_wm_class()]
    names = [child.get_wm_name() for child in with_class]
    if names != ["Quorvex"]:
        raise Failure(f"expected one top-level window, the menu; found {names}")
    menu = with_class[0]
    geometry = menu.get_geometry()
    expected = tuple(round(side * scale) for side in MENU_SIZE)
    if (geometry.width, geometry.height) != expected:
        raise Failure(f"the menu is {geometry.width} x {geometry.height}, expected "
                      f"{expected[0]} x {expected[1]} at scale {scale}")
    ink = title_ink_width(menu, scale)
    connection.close()
    if ink == 0:
        raise Failure("no text in the menu's title line")
    if scale == 1:
        with open(reference, "w", encoding="utf-8") as file:
            file.write(str(ink))
    else:
        with open(reference, encoding="utf-8") as file:
            at_one = int(file.read())
        if not abs(ink / (at_one * scale) - 1) < 0.1:
            raise Failure(f"the title is {ink} pixels wide at scale {scale} and {at_one} at 1: "
                          "its text is not scaled with the window")
    print(f"one application, one window of {geometry.width} x {geometry.height}, "
          f"title {ink} pixels wide")


def want_accessibility():
    """Says that assistive technology runs, as one that is not a screen reader does: where the
    program leaves it to Qt (on Qt 6.8), Qt connects its bridge only then."""
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                  GLib.Variant("(ssv)", ("org.a11y.Status", "IsEnabled", GLib.Variant("b", True))),
                  None, Gio.DBusCallFlags.NONE, TIMEOUT * 1000)


def main():
    global PROGRAM_ID
    executable, scale, reference = sys.argv[1], float(sys.argv[2]), sys.argv[3]
    want_accessibility()
    environment = dict(os.environ, QT_QPA_PLATFORM="xcb")
    program = subprocess.Popen([executable], env=environment)
    PROGRAM_ID = program.pid
    try:
        menu = wait_for("the menu", lambda: window("Quorvex"))
        print("found the menu")
        check_desktop_integration(scale, reference)
        check_controls(menu, "frmQV")
        three_phase_real_power = button(menu, "Real Power")[0]
        press(three_phase_real_power)
        calculator = wait_for("the real power screen", lambda: window("Real  Power - 3Ph"))
        print("opened the three-phase real power screen")
        check_controls(calculator, "frmRealPower")

        for name, text in (("Voltage in volts", "400"), ("Current in amperes", "10"),
                           ("Phase angle in degrees", "30")):
            box = entry(calculator, name)
            box.queryEditableText().setTextContents(text)
            wait_for(f'"{text}" in the box "{name}"',
                     lambda: box.queryText().getText(0, -1) == text)
        print("typed 400, 10 and 30")

        press(button(calculator, "Solve")[0])
        expected = {
            "Power factor, the cosine of the angle": "0.866",
            "Angle as read, in degrees": "30",
            "Real power P in kW": "6",
            "Apparent power S in kVA": "6.928",
        }
        # The press reaches the button a moment later: wait for the last label "Solve" writes.
        wait_for("the results", lambda: result(calculator, "Apparent power S in kVA").name)
        for description, value in expected.items():
            shown = result(calculator, description).name
            if shown != value:
                raise Failure(f'{description}: read "{shown}", expected "{value}"')
            print(f"read {description}: {shown}")
        described = button(calculator, "Solve")[0].description
        if described != SOLVED["frmRealPower"]:
            raise Failure(f'"Solve" describes itself as "{described}"')

        press(button(calculator, "Back to Main Page")[0])
        wait_for("the real power screen to close", lambda: window("Real  Power - 3Ph") is None)
        menu = wait_for("the menu", lambda: window("Quorvex"))
        print("back on the menu")
        press(button(menu, "Close")[0])
        status = program.wait(timeout=TIMEOUT)
        if status != 0:
            raise Failure(f"the program exited with status {status}")
        print("the program exited with status 0")
    except (Failure, subprocess.TimeoutExpired) as failure:
        print(f"FAIL: {failure}")
        program.kill()
        program.wait()
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())

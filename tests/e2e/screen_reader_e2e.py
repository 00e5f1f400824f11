"""Listens to the real Quorvex executable through the real Orca screen reader.

On a private desktop (orca_harness.py), the keys a user would press go to the X server and what
Orca says is read back, step by step, and compared with what a listener should hear.

Orca runs twice: started before Quorvex, through a whole calculation on the three-phase real
power screen; and started after Quorvex, as when a user turns the screen reader on with the
program already open.

Usage: screen_reader_e2e.py QUORVEX_EXECUTABLE
Exits 77 (skipped) when a tool is missing or when another Orca runs for this user, since Orca
refuses to start next to another one.
"""

import os
import sys
import tempfile

from orca_harness import SKIPPED, Session, listen, skip_reason
from spoken_controls import COPIED, SCREENS, SOLVED, control

MENU, REAL_POWER, ABOUT = "frmQV", "frmRealPower", "frmAbout"
SUMMARY = SOLVED[REAL_POWER]


def said(screen, name):
    """How Orca 43 names a control: its name and its role ("Solve push button")."""
    spoken, role, _ = control(screen, name)
    return f"{spoken} {role}"


def focus(screen, name):
    """What Orca 43 says as a control takes the focus: the control, then its description."""
    description = control(screen, name)[2]
    return [said(screen, name) + "."] + ([description + "."] if description else [])


def window(screen):
    """What Orca 43 says as a screen's window takes the focus."""
    return [f"{SCREENS[screen][0]} frame."]


def title(screen):
    return [SCREENS[screen][0]]


# Each row: what the user does | the keys (xdotool names, or "type:TEXT") | what Orca says, in
# order, leaving out its echo of the keys pressed, in Orca 43's words (as_said_by gives another
# release's), the controls' names, roles and descriptions from spoken_controls.py. "start" rows
# launch a program instead of pressing keys, and only require their lines to be among what is
# said.
ORCA_FIRST = [
    ("open Quorvex", "start:quorvex", window(MENU) + focus(MENU, "Command1")),
    ("Tab", "Tab", focus(MENU, "Command2")),
    ("Tab", "Tab", focus(MENU, "Command3")),
    ("Tab onto the other group", "Tab", focus(MENU, "Command6")),
    ("ask for the title", "Insert+KP_Enter", title(MENU)),
    ("Shift+Tab", "shift+Tab", focus(MENU, "Command3")),
    ("Shift+Tab", "shift+Tab", focus(MENU, "Command2")),
    ("Shift+Tab", "shift+Tab", focus(MENU, "Command1")),
    ("press Real Power", "space", window(REAL_POWER) + focus(REAL_POWER, "Txt_a")),
    ("ask for the title", "Insert+KP_Enter", title(REAL_POWER)),
    ("type 400", "type:400", []),
    ("Tab", "Tab", focus(REAL_POWER, "Txt_b")),
    ("type 10", "type:10", []),
    ("Tab", "Tab", focus(REAL_POWER, "Txt_c(1)")),
    ("type 30", "type:30", []),
    ("Tab", "Tab", focus(REAL_POWER, "Command1")),
    ("press Solve", "space", [SUMMARY]),
    ("copy the calculation", "ctrl+c", [COPIED]),
    ("ask where am I", "KP_Enter", [f"{said(REAL_POWER, 'Command1')} {SUMMARY}."]),
    ("Shift+Tab back into the angle", "shift+Tab",
     ["30", "selected"] + focus(REAL_POWER, "Txt_c(1)") + ["30 selected."]),
    ("Shift+Tab back into the current", "shift+Tab",
     ["Text unselected.", "10", "selected"] + focus(REAL_POWER, "Txt_b") + ["10 selected."]),
    ("Shift+Tab back into the voltage", "shift+Tab",
     ["Text unselected.", "400", "selected"] + focus(REAL_POWER, "Txt_a") + ["400 selected."]),
    ("Tab", "Tab",
     ["Text unselected.", "10", "selected"] + focus(REAL_POWER, "Txt_b") + ["10 selected."]),
    ("Tab", "Tab",
     ["Text unselected.", "30", "selected"] + focus(REAL_POWER, "Txt_c(1)") + ["30 selected."]),
    ("Tab onto Solve, which holds the results", "Tab",
     ["Text unselected."] + focus(REAL_POWER, "Command1") + [SUMMARY + "."]),
    ("Tab", "Tab", focus(REAL_POWER, "Command2")),
    ("press New Values", "space", []),
    ("Shift+Tab onto Solve, emptied", "shift+Tab", focus(REAL_POWER, "Command1")),
    ("Tab", "Tab", focus(REAL_POWER, "Command2")),
    ("Tab", "Tab", focus(REAL_POWER, "Command3")),
    ("press Back to Main Page", "space", window(MENU) + focus(MENU, "Command1")),
    ("Shift+Tab", "shift+Tab", focus(MENU, "Command4")),
    ("Shift+Tab", "shift+Tab", focus(MENU, "Picture2")),
    ("Shift+Tab", "shift+Tab", focus(MENU, "Command9")),
    ("Shift+Tab", "shift+Tab", focus(MENU, "Picture1")),
    ("Tab", "Tab", focus(MENU, "Command9")),
    ("press About", "space", window(ABOUT) + focus(ABOUT, "Picture1")),
    ("Tab", "Tab", focus(ABOUT, "Command1")),
    ("press Close", "space", window(MENU) + focus(MENU, "Command9")),
]

QUORVEX_FIRST = [
    ("start Orca with Quorvex open", "start:orca", ["Screen reader on."]),
    ("Tab", "Tab", focus(MENU, "Command2")),
    ("ask for the title", "Insert+KP_Enter", title(MENU)),
]


def main():
    program = os.path.abspath(sys.argv[1])
    reason = skip_reason()
    if reason:
        print(f"SKIP: {reason}")
        return SKIPPED

    scratch = tempfile.mkdtemp(prefix="quorvex-orca-")
    session = Session(scratch, {"quorvex": lambda: session.start("quorvex", [program])})

    def work():
        session.open_display()
        session.run("Orca started first",
                    [("start Orca", "start:orca", ["Screen reader on."])] + ORCA_FIRST)
        session.stop("quorvex")
        session.stop("orca")
        session.start("quorvex", [program])
        session.wait_for_window(SCREENS[MENU][0])
        session.run("Quorvex started first", QUORVEX_FIRST)

    return listen(scratch, work, session.stop_all)


if __name__ == "__main__":
    sys.exit(main())

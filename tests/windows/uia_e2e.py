"""Reads the real quorvex.exe through UI Automation from another process, as Narrator and NVDA do,
while a user works it from the keyboard: under Wine 10 or later, on a private X server.

On the menu, each of the six calculators and About, every control must be there with the Name and
control type a screen reader reads, and the same description, as spoken_controls.py has them for
Orca on Linux, and the focus on the control Orca hears first. On each calculator, after 400, 10,
30 (where it has an angle) and "Solve", "Solve" describes itself with the results, and the UI
Automation notification raised says them too; after Ctrl+C the notification says "Copied". Wine's
UiaRaiseNotificationEvent only logs what it is given (WINEDEBUG=fixme+uiautomation): that log
line is where the notifications are read.

Usage: uia_e2e.py QUORVEX_EXE WINDOW_PROBE_EXE UIA_PROBE_EXE
Exits 77 (skipped) where a tool is missing or Wine is older than 10, whose UI Automation has no
client for another process's windows; CI runs it in a Debian 13 root (scripts/ci-windows-uia.sh).
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
from collections import Counter

import windows_e2e as e2e

sys.path.insert(0, os.path.join(e2e.HERE, "..", "e2e"))
from spoken_controls import CONTROL_TYPES, COPIED, SCREENS, SOLVED, control, controls  # noqa: E402

MENU, ABOUT = "frmQV", "frmAbout"
# The calculators in the menu's tab order.
CALCULATORS = ["frmRealPower", "frmApparentPower", "frmReactivePower", "frm1PRealPower",
               "frm1PApparentPower", "frm1PReactivePower"]
NOTIFIED = re.compile(r'fixme:uiautomation:UiaRaiseNotificationEvent \(\w+, \d+, \d+, '
                      r'L"((?:[^"\\]|\\.)*)"')


def unescaped(text):
    """A text as Wine's log writes it (debugstr_w), as it was."""
    return re.sub(r'\\(x[0-9a-f]{4}|.)',
                  lambda m: chr(int(m[1][1:], 16)) if len(m[1]) == 5 else
                  {"n": "\n", "r": "\r", "t": "\t"}.get(m[1], m[1]), text)


def elements(environment, probe, title):
    """The window titled `title` and its elements: (type, name, description, focused)."""
    status, printed = e2e.wine(environment, probe, title, str(e2e.TIMEOUT))
    if status != 0:
        raise e2e.Failure(f"UI Automation on {title!r}: {printed.strip()}")
    return [tuple(re.sub(r"\\(.)", lambda m: {"t": "\t", "n": "\n"}.get(m[1], m[1]), field)
                  for field in line.split("\t"))
            for line in printed.splitlines() if line.count("\t") == 3]


def check_screen(environment, probe, screen, focused):
    """Every control of the screen with its Name, control type and description, and the focus on
    the control named `focused`."""
    found = elements(environment, probe, SCREENS[screen][0])
    expected = Counter((CONTROL_TYPES[role], name, description)
                       for name, role, description in controls(screen))
    missing = expected - Counter(row[:3] for row in found)
    extra = Counter(row[:3] for row in found) - expected
    if missing or extra:
        raise e2e.Failure(f"{screen} through UI Automation: missing {list(missing.elements())}, "
                          f"not expected {list(extra.elements())}")
    print(f"PASS: {screen}: the window and its {len(found) - 1} controls, named and typed as "
          "Orca hears them")
    # The window itself has the focus as the active window.
    e2e.check(f"{screen}: the control with the focus",
              [row[1] for row in found[1:] if row[3] == "focused"], [control(screen, focused)[0]])


def described(environment, probe, screen):
    """What "Solve" describes itself with, once it describes itself with anything."""
    deadline = time.monotonic() + e2e.TIMEOUT
    while True:
        solve = [row for row in elements(environment, probe, SCREENS[screen][0])
                 if row[:2] == ("Button", "Solve")]
        if solve and solve[0][2] or time.monotonic() > deadline:
            return solve[0][2] if solve else None
        time.sleep(0.2)


def notification(log, seen):
    """The text of the next UI Automation notification the program raised after the `seen`
    first ones, once it is in Wine's log."""
    deadline = time.monotonic() + e2e.TIMEOUT
    while True:
        with open(log, encoding="utf-8", errors="replace") as written:
            raised = [unescaped(text) for text in NOTIFIED.findall(written.read())]
        if len(raised) > seen or time.monotonic() > deadline:
            return raised[seen] if len(raised) > seen else None
        time.sleep(0.2)


def run(program, window_probe, probe, environment, log):
    # The program's output is read as it is written: the program appends to the file.
    with open(log, "a") as output:
        quorvex = subprocess.Popen(["wine", program], stdin=subprocess.DEVNULL, stdout=output,
                                   stderr=subprocess.STDOUT,
                                   env=dict(environment, WINEDEBUG="-all,fixme+uiautomation"))
    try:
        check_screen(environment, probe, MENU, "Command1")
        seen = 0
        for index, screen in enumerate(CALCULATORS):
            # Back on the menu, the focus is on the button of the calculator just closed.
            keys = ["Return"] if index == 0 else ["Tab", "Return"]
            e2e.keys(environment, *keys)
            check_screen(environment, probe, screen, "Txt_a")
            angle = "Txt_c(1)" in SCREENS[screen][1]
            e2e.typed(environment, "400\t10\t30" if angle else "400\t10")
            e2e.keys(environment, "Tab", "Return")
            e2e.check(f"{screen}: Solve's description after Solve",
                      described(environment, probe, screen), SOLVED[screen])
            e2e.check(f"{screen}: the notification after Solve", notification(log, seen),
                      SOLVED[screen])
            e2e.keys(environment, "ctrl+c")
            e2e.check(f"{screen}: the notification after Ctrl+C", notification(log, seen + 1),
                      COPIED)
            seen += 2
            # "New Values", then "Back to Main Page".
            e2e.keys(environment, "Tab", "Tab", "Return")
            e2e.check(f"{screen}: closed by Back to Main Page",
                      e2e.wine(environment, window_probe, "--gone", SCREENS[screen][0],
                               str(e2e.TIMEOUT))[0], 0)
        # From the single-phase "Reactive Power" past the logo to "About".
        e2e.keys(environment, "Tab", "Tab", "Return")
        check_screen(environment, probe, ABOUT, "Picture1")
        e2e.keys(environment, "Tab", "Return")
        e2e.check("About closed by Close",
                  e2e.wine(environment, window_probe, "--gone", SCREENS[ABOUT][0],
                           str(e2e.TIMEOUT))[0], 0)
        # From "About" past the banner to "Close".
        e2e.keys(environment, "Tab", "Tab", "Return")
        e2e.check("the exit status after the last window closed",
                  quorvex.wait(timeout=e2e.TIMEOUT), 0)
    finally:
        if quorvex.poll() is None:
            quorvex.kill()
            quorvex.wait()
        with open(log, encoding="utf-8", errors="replace") as written:
            print(written.read(), end="")


def wine_version():
    """Wine's major version: "wine-10.0 (Debian 10.0~repack-6)" is 10."""
    said = subprocess.run(["wine", "--version"], capture_output=True, text=True).stdout
    found = re.match(r"wine-(\d+)", said)
    return (int(found[1]) if found else 0), said.strip()


def main():
    program, window_probe, probe = sys.argv[1:4]
    missing = [tool for tool in ("Xvfb", "xdotool", "wine") if shutil.which(tool) is None]
    if missing:
        print(f"SKIP: the UI Automation test needs {' '.join(missing)}")
        return 77
    major, version = wine_version()
    if major < 10:
        print(f"SKIP: reading a program through UI Automation from another process needs Wine 10"
              f" or later (Debian 13), and this is {version}; scripts/ci-windows-uia.sh runs this"
              " test in a Debian 13 root")
        return 77
    started = time.monotonic()
    with tempfile.TemporaryDirectory() as scratch:
        log = os.path.join(scratch, "quorvex.log")
        status = e2e.under_wine(
            lambda environment: run(program, window_probe, probe, environment, log))
    if status == 0:
        print(f"PASS in {time.monotonic() - started:.0f} s")
    return status


if __name__ == "__main__":
    sys.exit(main())

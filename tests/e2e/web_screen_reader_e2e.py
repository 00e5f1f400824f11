"""Listens to the browser version through the real Orca screen reader, in Chromium (not headless)
on the private desktop of orca_harness.py, with the keys a user would press sent to the X server.

Chromium opens the site, served locally, as an application window; Orca is started once the menu
is shown, and must say the window and its focused button, then reads the menu through from that
button. Then, for each of the six calculators: Tab to its button on the menu, Enter, which must
say the window's title and the voltage box and put Orca in focus mode; 400, Tab, 10, Tab, 30
(each landing in its box, not taken as one of Orca's commands), Tab, Space on "Solve", which must
say the results once; Ctrl+C, "Copied" once; where am I, the results again; and back to the menu,
which must say "Quorvex" and the focused button. Every line comes from spoken_controls.py, as the
desktop's test hears it, with the browser's words for its roles.

Usage: web_screen_reader_e2e.py SITE_FOLDER
Exits 77 (skipped) when a tool is missing or when another Orca runs for this user.
"""

import os
import shutil
import sys
import tempfile
import time

from orca_harness import (SKIPPED, STEP_TIMEOUT, Failure, Session, as_said_by, listen,
                          optional, said_as, skip_reason)
from spoken_controls import COPIED, ONE_PHASE, SCREENS, SOLVED, THREE_PHASE, control

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../src/views/web"))
from headless_chromium import ARGUMENTS, serve  # noqa: E402

MENU = "frmQV"
# The menu button that opens each calculator, as the menu's tab order reaches it from the first.
CALCULATORS = [("frmRealPower", "Command1"), ("frmApparentPower", "Command2"),
               ("frmReactivePower", "Command3"), ("frm1PRealPower", "Command6"),
               ("frm1PApparentPower", "Command7"), ("frm1PReactivePower", "Command8")]
MENU_TAB_ORDER = ["Command1", "Command2", "Command3", "Command6", "Command7", "Command8"]
# The page's roles where Chromium's differ from Qt's: a box is an entry, a window a dialog.
ROLES = {"text": "entry", "frame": "dialog"}
TYPED = {"Txt_a": "400", "Txt_b": "10", "Txt_c(1)": "30"}


def words(text):
    """A name as the browser gives it: HTML folds its runs of white space."""
    return " ".join(text.split())


def said(screen, name):
    spoken, role, _ = control(screen, name)
    return f"{words(spoken)} {ROLES.get(role, role)}"


def group(screen, name):
    """The group a control is drawn in: the label its description names, if any."""
    description = control(screen, name)[2] if name else ""
    labels = [row[0] for row in SCREENS[screen][1].values() if row[1] == "label"]
    return description if description in labels else None


def focus(screen, name, before=None):
    """What Orca says as a control takes the focus from `before`: the group it enters ("For 3 Phase
    Circuits panel."), the control, its description."""
    entered = group(screen, name)
    description = control(screen, name)[2]
    return (([f"{entered} panel."] if entered and entered != group(screen, before) else [])
            + [said(screen, name) + "."] + ([description + "."] if description else []))


def window(screen):
    return [f"{words(SCREENS[screen][0])} {ROLES['frame']}"]


def calculator_rows(screen, button, at):
    """From the menu button `at`, to the calculator's button, through a calculation, and back.
    Orca, in browse mode on the page, switches to focus mode as the first calculator opens, and
    stays in it in every window after: each is a web application to it."""
    rows = [("Tab", "Tab", focus(MENU, MENU_TAB_ORDER[i + 1], MENU_TAB_ORDER[i]))
            for i in range(MENU_TAB_ORDER.index(at), MENU_TAB_ORDER.index(button))]
    boxes = [name for name in TYPED if name in SCREENS[screen][1]]
    rows.append((f"press {control(MENU, button)[0]}", "Return",
                 window(screen) + focus(screen, boxes[0])
                 + (["Focus mode"] if screen == CALCULATORS[0][0] else [])))
    for box, following in zip(boxes, boxes[1:] + ["Command1"]):
        rows.append((f"type {TYPED[box]}", f"type:{TYPED[box]}", []))
        if following == "Command1":
            rows.append(("Tab", "Tab", focus(screen, following)))
        else:
            # Chromium tells of the caret in the next box before the focus; when Orca handles
            # the caret before the focus has reached it, it moves there silently (Orca 43 and
            # any page alike). What is typed next must still land in the box.
            rows.append(("Tab", "Tab", [(line, None) for line in focus(screen, following)]))
    summary = SOLVED[screen]
    rows += [
        ("press Solve", "space", [summary]),
        ("copy the calculation", "ctrl+c", [COPIED]),
        ("ask where am I", "KP_Enter", [f"{said(screen, 'Command1')} {summary}."]),
        ("Tab", "Tab", focus(screen, "Command2")),
        ("Tab", "Tab", focus(screen, "Command3")),
        ("press Back to Main Page", "space", window(MENU) + focus(MENU, button)),
    ]
    return rows


def menu_reading():
    """What Orca's say all reads of the menu from its first button on: the first group's buttons,
    then the second group's name, its heading and its buttons, in the menu's tab order, then
    "Close" and the banner, as the page lays the menu out in its column."""
    lines = []
    for heading in (THREE_PHASE, ONE_PHASE):
        lines += [heading, "panel", heading] if heading == ONE_PHASE else []
        for name in MENU_TAB_ORDER:
            if group(MENU, name) == heading:
                lines += [words(control(MENU, name)[0]), "push button"]
    # Then "Close" and, among the pictures last on the page, the banner.
    return lines + [words(control(MENU, name)[0]) for name in ("Command4", "Picture2")]


def rows():
    # Orca has said the window and its first button as it started; Shift+Tab comes back to that
    # button, from which say all (KP_Add) reads the menu through, leaving Orca's place on the
    # banner, outside the groups.
    result = [("Tab", "Tab", focus(MENU, "Command2", "Command1")),
              ("Shift+Tab", "shift+Tab", focus(MENU, "Command1", "Command2")),
              ("read the menu through", "start:say-all", menu_reading()),
              ("Tab", "Tab", focus(MENU, "Command2", "Command4")),
              ("Shift+Tab", "shift+Tab", focus(MENU, "Command1", "Command2"))]
    at = MENU_TAB_ORDER[0]
    for screen, button in CALCULATORS:
        result += calculator_rows(screen, button, at)
        at = button
    return result


def in_order(heard, lines):
    """Whether the lines are among those heard, in this order (each said one of its ways)."""
    rest = iter(heard)
    return all(optional(line) or any(said_as(said, line) for said in rest) for line in lines)


class Browser:
    """Chromium showing the site, driven only by keys; Selenium reads the page back."""

    def __init__(self, session, address):
        self.session, self.address, self.driver = session, address, None

    def start(self):
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service
        options = webdriver.ChromeOptions()
        options.binary_location = shutil.which("chromium")
        # Not headless: on the private X server, with its accessibility tree on the bus.
        for argument in (*(a for a in ARGUMENTS if not a.startswith("--headless")),
                         "--force-renderer-accessibility", f"--app={self.address}",
                         "--window-position=0,0", "--window-size=1000,800",
                         "--user-data-dir=" + os.path.join(self.session.scratch, "chromium")):
            options.add_argument(argument)
        options.add_experimental_option("excludeSwitches", ["enable-automation"])
        self.driver = webdriver.Chrome(options=options, service=Service(
            # Accessibility on from the start, as on a desktop where a screen reader is in use:
            # otherwise Chromium joins the accessibility bus only at the first key it gets after
            # Orca has started, and that key races Orca's first sight of the window.
            shutil.which("chromedriver"), env=dict(self.session.env, ACCESSIBILITY_ENABLED="1")))
        deadline = time.monotonic() + STEP_TIMEOUT
        while self.front() != MENU or self.focused()[0] != MENU_TAB_ORDER[0]:
            if time.monotonic() > deadline:
                raise Failure("the menu did not show with its focus")
            time.sleep(0.05)

    def js(self, script):
        return self.driver.execute_script(script)

    def front(self):
        return self.js("const w = document.querySelector("
                       "'#desktop > .window:not(.prerendered):not(.leaving)'); return w && w.id;")

    def focused(self):
        return self.js("const e = document.activeElement; return [e.id, e.value];")

    def description(self):
        return self.js("return document.activeElement.getAttribute('aria-description');")

    def stop(self):
        if self.driver:
            self.driver.quit()


def missing_browser():
    missing = [tool for tool in ("chromium", "chromedriver") if not shutil.which(tool)]
    try:
        import selenium  # noqa: F401
    except ImportError:
        missing.append("python3-selenium")
    return missing


def main():
    site = os.path.abspath(sys.argv[1])
    missing = missing_browser()
    reason = (f"the browser's screen reader test needs {', '.join(missing)}" if missing
              else skip_reason())
    if reason:
        print(f"SKIP: {reason}")
        return SKIPPED

    scratch = tempfile.mkdtemp(prefix="quorvex-web-orca-")
    server, address = serve(site)
    session = Session(scratch, {"say-all": lambda: session.press("KP_Add")}, in_page=True)
    browser = Browser(session, address)
    def work():
        session.open_display()
        browser.start()
        # Orca says the window with the focus in it as it starts, before the first key.
        session.run("Chromium", [("start Orca with the menu shown", "start:orca",
                                  ["Screen reader on.", f"{SCREENS[MENU][0]} frame.",
                                   said(MENU, MENU_TAB_ORDER[0]) + "."])])
        for what, keys, expected in rows():
            session.run_step(what, keys, expected)
            heard = session.transcript[-1][1]
            if keys == "start:say-all" and (not in_order(heard, as_said_by(session.orca, expected,
                                                                           session.in_page))
                                            or "Close window" in heard):
                raise Failure(f"{what}: expected {expected} in order, without the title bar's "
                              f"button; heard {heard}")
            if keys.startswith("type:") and browser.focused()[1] != keys[5:]:
                raise Failure(f"{what}: the box holds {browser.focused()[1]!r}")
            # Orca 48 says no description when asked where it is in a page: the page must still
            # give the results, which Orca 43 says there.
            if keys == "KP_Enter" and not expected[-1].endswith(f" {browser.description()}."):
                raise Failure(f"{what}: the button describes itself as {browser.description()!r}")

    def stop():
        browser.stop()
        session.stop_all()
        server.shutdown()

    return listen(scratch, work, stop)

if __name__ == "__main__":
    sys.exit(main())

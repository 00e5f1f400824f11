"""Listens to the browser version through the real Orca screen reader, in Chromium or in Firefox
ESR (not headless) on the private desktop of orca_harness.py, with the keys a user would press
sent to the X server.

The browser opens the site, served locally, showing the page alone (Chromium as an application
window, Firefox in kiosk mode); Orca is started once the menu is shown, and must say the window and
its focused button. Then, for each of the six calculators: Tab to its button on the menu, Enter,
which must say the window's title and the voltage box and put Orca in focus mode; 400, Tab, 10,
Tab, 30 (each landing in its box, not taken as one of Orca's commands), Tab, Space on "Solve",
which must say the results once; Ctrl+C, "Copied" once; where am I, the results again; and back to
the menu, which must say "Quorvex" and the focused button. Last, from the menu's first button, Orca
reads the menu through. Every line comes from spoken_controls.py, as the desktop's test hears it,
with the browser's words for its roles.

Usage: web_screen_reader_e2e.py SITE_FOLDER [chromium|firefox]   (default: chromium)
Exits 77 (skipped) when a tool is missing or when another Orca runs for this user.
"""

import os
import shutil
import sys
import tempfile
import threading
import time

from orca_harness import (SKIPPED, STEP_TIMEOUT, Failure, Opening, Session, as_said_by, listen,
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
    Orca says "Focus mode" as a calculator opens when it was in browse mode: in Chromium only
    the first time, as it stays in focus mode in every window after (each is a web application
    to it); in Firefox, Orca 43 each time, as a window shown resets its mode. What is typed must
    land in the box either way."""
    rows = [("Tab", "Tab", focus(MENU, MENU_TAB_ORDER[i + 1], MENU_TAB_ORDER[i]))
            for i in range(MENU_TAB_ORDER.index(at), MENU_TAB_ORDER.index(button))]
    boxes = [name for name in TYPED if name in SCREENS[screen][1]]
    rows.append((f"press {control(MENU, button)[0]}", "Return",
                 window(screen) + focus(screen, boxes[0])
                 + [("Focus mode", None)]))
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


def rows(heard_loading):
    # Orca has said the window and its first button as it started. Where Orca heard the page load
    # (heard_loading), its place is its own after that: Orca 48 reads the page through on loading,
    # or rests on the window, as the page's load and its first focus reach it in either order; the
    # first Tab may then say the window and the group it enters too.
    first_tab = focus(MENU, "Command2", "Command1")
    if heard_loading:
        first_tab = [(window(MENU)[0], Opening(words(SCREENS[MENU][0])), None),
                     (f"{THREE_PHASE} panel.", "panel", None)] + first_tab
    result = [("Tab", "Tab", first_tab),
              ("Shift+Tab", "shift+Tab", focus(MENU, "Command1", "Command2"))]
    at = MENU_TAB_ORDER[0]
    for screen, button in CALCULATORS:
        result += calculator_rows(screen, button, at)
        at = button
    # Last, back to the first button, from which say all reads the menu through: nothing follows
    # that a second request to read on (read_through) could unsettle.
    result += [("Shift+Tab", "shift+Tab", focus(MENU, MENU_TAB_ORDER[i - 1], MENU_TAB_ORDER[i]))
               for i in range(MENU_TAB_ORDER.index(at), 0, -1)]
    return result + [("read the menu through", "start:say-all", menu_reading())]


def read_through(session, last):
    """Orca's say all (KP_Add) from the focus. Orca reads the next line only once its speech server
    reports the last one spoken, and the server now and then loses that report (1 run in about 25
    under Orca 48): Orca then waits mid-page for ever, as its log shows. So should the reading stop
    short of its last line for 2 s, say all is asked for once more, and Orca goes on from the line
    it last heard reported; the order is then checked on all that was heard."""
    start = session.seen
    session.press("KP_Add")

    def resume():
        count, quiet_since, deadline = -1, time.monotonic(), time.monotonic() + STEP_TIMEOUT
        while time.monotonic() < deadline:
            heard = session.lines()[start:]
            if last in heard:
                return
            if len(heard) != count:
                count, quiet_since = len(heard), time.monotonic()
            elif time.monotonic() - quiet_since >= 2:
                session.press("KP_Add")
                return
            time.sleep(0.1)

    threading.Thread(target=resume, daemon=True).start()


def in_order(heard, lines):
    """Whether the lines are among those heard, in this order (each said one of its ways)."""
    rest = iter(heard)
    return all(optional(line) or any(said_as(said, line) for said in rest) for line in lines)


class Browser:
    """A browser showing the site, driven only by keys; a script in the page reads it back."""

    def __init__(self, session, address):
        self.session, self.address = session, address

    def wait_for_menu(self):
        deadline = time.monotonic() + STEP_TIMEOUT
        while self.front() != MENU or self.focused()[0] != MENU_TAB_ORDER[0]:
            if time.monotonic() > deadline:
                raise Failure("the menu did not show with its focus")
            time.sleep(0.05)

    def front(self):
        return self.js("const w = document.querySelector("
                       "'#desktop > .window:not(.prerendered):not(.leaving)'); return w && w.id;")

    def focused(self):
        return self.js("const e = document.activeElement; return [e.id, e.value];")

    def description(self):
        return self.js("return document.activeElement.getAttribute('aria-description');")


class Chromium(Browser):
    """Chromium as an application window (the page alone), driven by Selenium."""

    name, tools = "Chromium", ("chromium", "chromedriver")
    orca_first, driver = False, None

    def window(self, title):
        """What Orca says of the browser's window, first, as it starts with the window shown."""
        return [f"{title} frame."]

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
        self.wait_for_menu()

    def js(self, script):
        return self.driver.execute_script(script)

    def stop(self):
        if self.driver:
            self.driver.quit()


class Firefox(Browser):
    """Firefox ESR in kiosk mode (the page alone), driven through Marionette."""

    name, tools = "Firefox", ("firefox-esr",)
    orca_first, marionette = True, None

    def window(self, title):
        """What Orca says of the page, first, as the browser's window opens: its window is named
        before the page has its title, and Orca says the page's window once it has loaded, as a
        dialog, by the text it shows (Orca 48), or by its name alone as it reads the page through
        on loading."""
        said = f"{words(title)} {ROLES['frame']}"
        return [(said, Opening(words(title)), words(title))]

    def start(self):
        from firefox_marionette import Marionette, make_profile
        profile = make_profile(os.path.join(self.session.scratch, "firefox"))
        # Orca runs already, and Firefox turns its accessibility on for it as it starts.
        process = self.session.start("firefox", [
            "firefox-esr", "--no-remote", "--marionette", "--kiosk", "--profile", profile,
            self.address])
        self.marionette = Marionette(profile, process, STEP_TIMEOUT)
        self.wait_for_menu()

    def js(self, script):
        return self.marionette.js(script)

    def stop(self):
        if self.marionette:
            self.marionette.close()


BROWSERS = {browser.name.lower(): browser for browser in (Chromium, Firefox)}


def missing_tools(browser):
    missing = [tool for tool in browser.tools if not shutil.which(tool)]
    if browser is Chromium:
        try:
            import selenium  # noqa: F401
        except ImportError:
            missing.append("python3-selenium")
    return missing


def main():
    site = os.path.abspath(sys.argv[1])
    kind = BROWSERS[sys.argv[2] if len(sys.argv) > 2 else "chromium"]
    missing = missing_tools(kind)
    reason = (f"the browser's screen reader test needs {', '.join(missing)}" if missing
              else skip_reason())
    if reason:
        print(f"SKIP: {reason}")
        return SKIPPED

    scratch = tempfile.mkdtemp(prefix="quorvex-web-orca-")
    server, address = serve(site)
    session = Session(scratch, {"say-all": lambda: read_through(session, menu_reading()[-1]),
                                "browser": lambda: browser.start()}, in_page=True)
    browser = kind(session, address)
    def work():
        session.open_display()
        # Orca says the window with the focus in it as it starts, or as the window opens.
        menu = browser.window(SCREENS[MENU][0]) + [said(MENU, MENU_TAB_ORDER[0]) + "."]
        if browser.orca_first:
            session.run(browser.name, [("start Orca", "start:orca", ["Screen reader on."]),
                                       ("start the browser", "start:browser", menu)])
        else:
            browser.start()
            session.run(browser.name, [("start Orca with the menu shown", "start:orca",
                                        ["Screen reader on."] + menu)])
        for what, keys, expected in rows(browser.orca_first):
            session.run_step(what, keys, expected)
            heard = session.transcript[-1][1]
            if keys == "start:say-all" and (not in_order(heard, as_said_by(session.orca, expected,
                                                                           session.in_page))
                                            or {"Close window", COPIED} & set(heard)):
                raise Failure(f"{what}: expected {expected} in order, without the title bar's "
                              f"button or a calculator's last word; heard {heard}")
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

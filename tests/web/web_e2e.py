"""The browser version, served from a local static server and worked in headless Chromium as a user
would: every calculator row the desktop's tests check (tests/data/calculations.json) typed and
solved, New Values, Back to Main Page, About, every screen's tab order, Ctrl+C, what a screen
reader is told, the closing page, a narrow viewport, the weight of all it loads; again on phones,
in the one-column layout; that Chromium finds it installable, that a new release replaces the one
kept offline whole, and that it opens and solves with the server gone. Given the web tools
(scripts/web-tools.sh), axe-core's audit of every screen, before and after a solve, at a desktop's
size and on phones.

Usage: web_e2e.py SITE_FOLDER ROWS_JSON [WEB_TOOLS]
Exits 77 (skipped) when Chromium, its driver or Selenium is missing.
"""

import importlib.util
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

WEB = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../src/views/web")
sys.path.insert(0, WEB)
from headless_chromium import PHONES, chromium, emulate_desktop, emulate_phone, serve  # noqa: E402

SKIPPED = 77
# Everything the page loads, fonts and pictures included, after visiting every screen.
BUDGET = 400_000
# The weight is the release's, which is built on Debian 12; the same site built on another release
# (QUORVEX_WEB_AUDITS=off, as CI's Debian 13 run) has another compiler's module and is only weighed.
WEIGHED = os.environ.get("QUORVEX_WEB_AUDITS", "on") != "off"
CALCULATORS = ["frmRealPower", "frmApparentPower", "frmReactivePower", "frm1PRealPower",
               "frm1PApparentPower", "frm1PReactivePower"]
# The rules of WCAG 2.2 at levels A and AA that axe-core checks.
WCAG_AA = ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa", "wcag22aa"]
# The rules broken, each with the elements that break it.
AXE = """
return axe.run(document, {runOnly: {type: "tag", values: arguments[0]}}).then((found) =>
  found.violations.map((rule) => `${rule.id}: ${rule.nodes.map((n) => n.target).join(", ")}`));
"""
RESULTS = [("factor", "Lbl_m"), ("echo", "Lbl_Pi"), ("power", "Lbl_x"), ("apparent", "Lbl_s")]

failures = []
setting = ""  # the phone the checks run on, if any


def check(what, found, expected):
    what = f"{setting}{what}"
    if found == expected:
        print(f"PASS: {what}")
    else:
        print(f"FAIL: {what}: {found!r}, expected {expected!r}")
        failures.append(what)


class Page:
    """The page in the browser, read and worked through its elements' ids (the control names)."""

    def __init__(self, driver, url):
        from selenium.webdriver.common.action_chains import ActionChains
        from selenium.webdriver.common.keys import Keys
        from selenium.webdriver.support.ui import WebDriverWait
        self.driver, self.url, self.keys = driver, url, Keys
        self.chain = lambda: ActionChains(driver)
        self.wait = WebDriverWait(driver, 10)

        self.phone = None  # the phone's size while one is emulated

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def cdp(self, command, **parameters):
        return self.driver.execute_cdp_cmd(command, parameters)

    def emulate(self, phone):
        """A phone of that size (touch, 3 device pixels to the CSS pixel, its agent), or none."""
        global setting
        self.phone, setting = phone, f"{phone[0]} x {phone[1]} phone: " if phone else ""
        if phone:
            emulate_phone(self.driver, *phone)
        else:
            emulate_desktop(self.driver)

    def load(self):
        self.driver.get(self.url)
        self.front("frmQV")

    def front(self, screen):
        """Waits for the screen's window to be the one shown, with the focus in it."""
        self.wait.until(lambda _: self.js(
            "const w = document.querySelector('#desktop > .window:not(.prerendered)');"
            "return w && w.contains(document.activeElement) && w.id;") == screen)

    def title(self):
        return self.js("return document.querySelector('title').textContent;")

    def focused(self):
        return self.js("return document.activeElement.id;")

    def value(self, control):
        return self.js("const e = document.getElementById(arguments[0]);"
                       "return e.tagName === 'INPUT' ? e.value : e.textContent;", control)

    def click(self, control):
        if self.phone:
            self.tap(control)
        else:
            self.driver.find_element("id", control).click()

    def tap(self, control):
        """A finger's tap at the centre of the control (id or selector), which must lie there."""
        x, y, lands = self.js(TAP_POINT, control)
        if not lands:
            check(f"a tap on {control} lands on it", lands, True)
        for kind, points in (("touchStart", [{"x": x, "y": y}]), ("touchEnd", [])):
            self.cdp("Input.dispatchTouchEvent", type=kind, touchPoints=points)

    def press(self, *keys):
        """Presses each key in turn; a tuple is a modifier held for a key (Shift+Tab, Ctrl+C)."""
        chain = self.chain()
        for key in keys:
            if isinstance(key, tuple):
                chain.key_down(key[0]).send_keys(key[1]).key_up(key[0])
            else:
                chain.send_keys(key)
        chain.perform()

    def type_into(self, control, text):
        box = self.driver.find_element("id", control)
        box.clear()
        if text:
            box.send_keys(text)

    def said(self):
        self.wait.until(lambda _: self.js("return document.getElementById('announcer').textContent"))
        return self.js("return document.getElementById('announcer').textContent;")


# The control's centre, once in view, and whether the control is what lies there.
TAP_POINT = """
const control = document.getElementById(arguments[0]) || document.querySelector(arguments[0]);
control.scrollIntoView({ block: "nearest" });
const box = control.getBoundingClientRect();
const [x, y] = [box.left + box.width / 2, box.top + box.height / 2];
return [x, y, control.contains(document.elementFromPoint(x, y))];"""

# The faults of the window in front on a phone: anything drawn beyond the viewport's sides or
# scrolling it sideways, text under 12 CSS px, a box's under 16 px (a phone zooms in), a button or
# box under 44 x 44 px, a box without the decimal keyboard.
MEASURE = """
const viewport = document.documentElement.clientWidth;
const faults = document.documentElement.scrollWidth > viewport ? ["the page scrolls sideways"] : [];
// (A window on its way out waits off screen, for a screen reader only, and is left out.)
for (const element of document.querySelectorAll("#desktop > .window:not(.leaving) *")) {
  const box = element.getBoundingClientRect();
  const font = parseFloat(getComputedStyle(element).fontSize);
  const [name, input] = [element.id || element.className, element.tagName === "INPUT"];
  const text = input || [...element.childNodes].some((node) => node.nodeType === 3 &&
    node.data.trim());
  if (box.width === 0 || box.height === 0) continue;
  if (box.left < 0 || box.right > viewport + 0.5) faults.push(`${name} lies beyond the sides`);
  if ((text && font < 12) || (input && font < 16)) faults.push(`${name} has ${font} px text`);
  if (input && element.inputMode !== "decimal") faults.push(`${name} has no decimal keyboard`);
  const small = (input || element.tagName === "BUTTON") && Math.min(box.width, box.height) < 44;
  if (small) faults.push(`${name} is ${box.width} x ${box.height} px`);
}
return faults;"""


def measure(page, screen):
    if page.phone:
        check(f"{screen} fits the phone, readable, with targets for a finger", page.js(MEASURE), [])


def menu_buttons(page):
    """Which menu button opens which screen, found by pressing each as a user would."""
    opened = {}
    for button in page.js("return [...document.querySelectorAll('#frmQV button[id]')]"
                          ".map(b => b.id);"):
        if button == "Command4":  # "Close"
            continue
        page.click(button)
        page.wait.until(lambda _: page.js("return document.querySelector('#desktop > .window').id")
                        != "frmQV")
        screen = page.js("return document.querySelector('#desktop > .window').id;")
        opened[screen] = button
        page.click("Command1" if screen == "frmAbout" else "Command3")  # Close, Back to Main Page
        page.front("frmQV")
    return opened


def open_screen(page, opened, screen):
    page.click(opened[screen])
    page.front(screen)
    measure(page, screen)


# Types a row's values into the boxes as input events, presses "Solve", and reads the boxes and
# the results back, in one step.
SOLVE = """
const [row, results] = arguments;
for (const [id, key] of [["Txt_a", "voltage"], ["Txt_b", "current"], ["Txt_c(1)", "angle"]]) {
  const box = document.getElementById(id);
  if (box && key in row) {
    box.value = row[key];
    box.dispatchEvent(new Event("input"));
  }
}
document.getElementById("Command1").click();
const shown = {};
for (const [key, id] of results) {
  if (key in row) shown[key] = document.getElementById(id).textContent;
}
return [shown, document.getElementById("Txt_a").value, document.getElementById("Txt_b").value];
"""


def solve_rows(page, opened, rows):
    current = None
    for row in rows:
        screen = row["screen"]
        if screen != current:
            if current:
                page.click("Command3")
                page.front("frmQV")
            open_screen(page, opened, screen)
            current = screen
        shown, voltage, current_text = page.js(SOLVE, row, RESULTS)
        check(f"{screen}: {row['row']}", shown, {key: row[key] for key, _ in RESULTS if key in row})
        check(f"{screen}: {row['row']}: the boxes keep what was typed", [voltage, current_text],
              [row["voltage"], row["current"]])
    page.click("Command3")
    page.front("frmQV")


def calculator_buttons(page, opened):
    open_screen(page, opened, "frmRealPower")
    check("the calculator's title is its caption", page.title(), "Real  Power - 3Ph")
    check("the focus starts in the voltage box", page.focused(), "Txt_a")
    said_before = page.js("return document.getElementById('announcer').textContent;")
    page.press("400", page.keys.TAB, "10", page.keys.TAB, "30", page.keys.TAB, page.keys.ENTER)
    check("Solve, focused, describes the results, and the live region does not repeat them",
          page.js("return [document.getElementById('Command1').getAttribute('aria-description'),"
                  " document.getElementById('announcer').textContent];"),
          ["Real power P 6 kW, apparent power S 6.928 kVA, power factor 0.866, angle 30 degrees",
           said_before])
    page.press(page.keys.TAB, page.keys.SPACE)  # New Values
    check("New Values empties the boxes and results",
          [page.value(c) for c in ["Txt_a", "Txt_b", "Txt_c(1)", "Lbl_m", "Lbl_x", "Lbl_s",
                                   "Lbl_Pi"]], [""] * 7)
    check("New Values keeps the focus", page.focused(), "Command2")
    page.type_into("Txt_a", "400")
    page.press(*[page.keys.TAB] * 5, page.keys.ENTER)  # onto Back to Main Page
    page.front("frmQV")
    check("Back to Main Page shows the menu with its focus", [page.title(), page.focused()],
          ["Quorvex", opened["frmRealPower"]])
    open_screen(page, opened, "frmRealPower")
    check("reopened, the calculator is empty", page.value("Txt_a"), "")
    page.click("Command3")
    page.front("frmQV")


def about(page, opened):
    open_screen(page, opened, "frmAbout")
    check("About opens with the focus on its picture", [page.title(), page.focused()],
          ["About", "Picture1"])
    check("About shows the title", page.value("Label4"), "Quorvex 1_0")
    page.press(page.keys.TAB, page.keys.ENTER)
    page.front("frmQV")
    check("Close on About shows the menu again", page.focused(), opened["frmAbout"])


def tab_cycles(page, opened, cycles):
    for screen, cycle in cycles.items():
        if screen != "frmQV":
            open_screen(page, opened, screen)
        page.js("document.getElementById(arguments[0]).focus();", cycle[0])
        forward = [page.focused()]
        for _ in cycle[1:]:
            page.press(page.keys.TAB)
            forward.append(page.focused())
        backward = [page.focused()]
        for _ in cycle[1:]:
            page.press((page.keys.SHIFT, page.keys.TAB))
            backward.append(page.focused())
        check(f"{screen}: Tab and Shift+Tab go round the tab order", [forward, backward],
              [cycle, cycle[::-1]])
        if screen != "frmQV":
            page.click("Command1" if screen == "frmAbout" else "Command3")
            page.front("frmQV")


def copying(page, opened, rows):
    clipboard = "return navigator.clipboard.readText();"
    for row in rows:
        open_screen(page, opened, row["screen"])
        page.js("return navigator.clipboard.writeText('before');")
        page.press((page.keys.CONTROL, "c"))
        check(f"{row['screen']}: nothing is copied before Solve", page.js(clipboard), "before")
        page.type_into("Txt_a", row["voltage"])
        page.type_into("Txt_b", row["current"])
        if "Txt_c(1)" in page.js("return [...document.querySelectorAll('input')].map(e => e.id)"):
            page.type_into("Txt_c(1)", row["angle"])
        page.click("Command1")
        page.press((page.keys.CONTROL, "c"))
        check(f"{row['screen']}: Ctrl+C copies the calculation: {row['row']}",
              page.js(clipboard).split("\n"), row["copied"])
        check(f"{row['screen']}: a screen reader hears that it is copied", page.said(), "Copied")
        page.click("Command3")
        page.front("frmQV")


def window_width(page, size, fits):
    """The window's width once the viewport has the size given and the page has fitted it."""
    from selenium.common.exceptions import TimeoutException
    page.driver.set_window_size(*size)
    read = "return document.querySelector('#desktop > .window').getBoundingClientRect().width;"
    try:  # the page fits the window on the resize event, which may come after the resize
        page.wait.until(lambda _: fits(page.js(read)))
    except TimeoutException:
        pass
    return page.js(read)


def closing_and_fitting(page):
    width = window_width(page, (520, 800), lambda width: 0 < width <= 520)
    check("a narrow viewport lays the window out as one column within it",
          [0 < width <= 520, page.js(MEASURE)], [True, []])
    width = window_width(page, (1400, 900), lambda width: round(width) == 725 + 2)
    check("a wide viewport shows the window at its own size", round(width), 725 + 2)
    page.click("Command4")
    page.wait.until(lambda _: page.js("return !!document.querySelector('.closed');"))
    check("Close on the menu shows that Quorvex has closed", page.js(
        "return document.querySelector('.closed p').textContent;"), "Quorvex has closed.")
    page.js("document.querySelector('.closed button').click();")
    page.front("frmQV")
    check("it starts again on the menu", page.focused(), "Command1")


def phone_keys(page, opened):
    """A calculator's column, its phone keys, a turn of the phone and the keyboard switch."""
    open_screen(page, opened, "frmRealPower")
    page.tap("Txt_a")
    page.press("400", page.keys.ENTER, "10", page.keys.ENTER, "30", page.keys.ENTER)
    check("Enter goes through the boxes, on the last solves; the column, results in view", page.js(
        "return [document.activeElement.id, ...[...document.querySelectorAll('.row, input')]"
        ".filter((row) => row.getBoundingClientRect().height).map((row) => row.enterKeyHint"
        " || row.innerText.trim().split(/\\s*\\n\\s*/).join(' | '))].concat([...document"
        ".querySelectorAll('.row-result')].map((row) => row.getBoundingClientRect().bottom"
        " <= innerHeight));"),
        ["Command1", "Real (Active) Power in 3 Phase Circuits", "Voltage in volts | V", "next",
         "Current in amperes | A", "next", "Phase angle in degrees | degrees", "go",
         "Full keyboard, for \u2212 and E", "Solve | New Values | Back to Main Page",
         "Real power P | 6 | kW", "Apparent power S | 6.928 | kVA", "Power factor | 0.866",
         "Angle | 30 | degrees", "Real Power , P = 1.732 * V * I * Cos Pi", ""] + [True] * 4)
    page.emulate(page.phone[::-1])
    check("turned, the phone keeps the values and the focus",
          [page.value("Txt_a"), page.value("Lbl_x"), page.focused()], ["400", "6", "Command1"])
    measure(page, "frmRealPower")
    page.emulate(page.phone[::-1])
    modes = "return [...document.querySelectorAll('input')].map((box) => box.inputMode);"
    [page.tap(control) for control in ("button.keyboard", "Txt_c(1)")]
    page.press(page.keys.BACKSPACE * 2, "-3e1", page.keys.ENTER)
    check("the keyboard switch brings up the full keyboard, for - and E, and back", [
        page.js(modes), page.value("Lbl_Pi"), page.tap("button.keyboard"), page.js(modes)],
        [["text"] * 3, "-30", None, ["decimal"] * 3])
    page.click("Command3")
    page.front("frmQV")


def on_phones(page, rows):
    """The rows again on each phone, in the column layout and with a finger."""
    for phone in PHONES:
        page.emulate(phone)
        # The first frame, before the script: the menu in one column, its groups as rows.
        page.cdp("Network.enable")
        page.cdp("Network.setBlockedURLs", urls=["*quorvex.js"])
        page.driver.get(page.url)
        check("the first frame is the menu in one column", page.js(
            "return [...document.querySelectorAll('.prerendered [role=group]')].map((group) =>"
            " group.innerText.replace(/\\s*\\n+\\s*/g, ' | '));"),
            [f"For {n} Phase Circuits | Real Power | Apparent Power | Reactive Power"
             for n in (3, 1)])
        measure(page, "the first frame")
        page.cdp("Network.setBlockedURLs", urls=[])
        page.load()
        measure(page, "frmQV")
        opened = menu_buttons(page)
        solve_rows(page, opened, rows["solve"])
        about(page, opened)
        phone_keys(page, opened)
    page.emulate(None)
    page.load()


def weight(page):
    loaded = page.js("return performance.getEntriesByType('navigation')"
                     ".concat(performance.getEntriesByType('resource'))"
                     ".reduce((sum, entry) => sum + entry.decodedBodySize, 0);")
    print(f"the page loaded {loaded} bytes")
    check(f"everything the page loads stays under {BUDGET} bytes", loaded < BUDGET or not WEIGHED,
          True)


def axe_audits(page, opened, rows, axe):
    """axe-core's WCAG 2.2 A and AA audit of the menu, each calculator before and after a solve,
    About and the closing page, at the desktop's size and at each phone's, by touch."""
    with open(axe, encoding="utf-8") as stream:
        page.js(stream.read())
    solved = {row["screen"]: row for row in rows}

    def audit(where):
        check(f"{where}: axe finds nothing against WCAG 2.2 A or AA", page.js(AXE, WCAG_AA), [])

    for size in [None, *PHONES]:
        where = f"{size[0]}x{size[1]} phone" if size else "desktop"
        page.emulate(size)
        audit(f"{where}: the menu")
        for screen in sorted(opened):
            open_screen(page, opened, screen)
            audit(f"{where}: {screen}")
            if screen in solved:
                page.js(SOLVE, solved[screen], RESULTS)
                audit(f"{where}: {screen} solved")
            page.click("Command1" if screen == "frmAbout" else "Command3")
            page.front("frmQV")
        page.click("Command4")
        page.wait.until(lambda _: page.js("return !!document.querySelector('.closed');"))
        audit(f"{where}: the closing page")
        page.js("document.querySelector('.closed button').click();")
        page.front("frmQV")
    page.emulate(None)


# The names of the caches, and how many files the service worker's holds, once it is active.
KEPT = """
const done = arguments[arguments.length - 1];
navigator.serviceWorker.ready.then(async () => {
  const names = await caches.keys();
  done([names, (await (await caches.open(names[0])).keys()).length]);
});
"""


def release(site):
    """The files the site's worker keeps and the name of its cache (service_worker.py)."""
    with open(os.path.join(site, "sw.js"), encoding="utf-8") as stream:
        worker = stream.read()
    files = json.loads(worker.split("const FILES = ", 1)[1].split(";\n", 1)[0])
    return [name for name, _ in files], worker.split('const CACHE = PREFIX + "', 1)[1][:16]


def offline(page, site, server, opened, row):
    """The release kept whole, replaced whole by the next, and enough without a network."""
    files, name = release(site)
    kept, count = page.driver.execute_async_script(KEPT)
    size = sum(os.path.getsize(os.path.join(site, file)) for file in files)
    print(f"the release kept offline is {size} bytes")
    check(f"the service worker keeps the whole release, under {BUDGET} bytes",
          [kept[0].endswith(name), count, size < BUDGET or not WEIGHED], [True, len(files), True])
    # The next release: another script, and its worker written again, as the build does.
    with open(os.path.join(site, "quorvex.js"), "a", encoding="utf-8") as stream:
        stream.write("document.documentElement.dataset.release = 'next';\n")
    subprocess.run([sys.executable, f"{WEB}/service_worker.py", f"{WEB}/site/sw.js", site, *files],
                   check=True)
    files, name = release(site)
    page.load()  # finds the new worker, which fills its cache and waits for this page to go
    page.driver.execute_async_script(
        "const done = arguments[arguments.length - 1];"
        "navigator.serviceWorker.getRegistration().then(function wait(r) {"
        "  r.waiting ? done() : setTimeout(() => wait(r), 50); });")
    # The waiting worker takes over a moment after the last page of the old release has gone: the
    # page is opened again until it shows the next release (for ten seconds at most).
    deadline = time.monotonic() + 10
    release_shown = None
    while release_shown is None and time.monotonic() < deadline:
        page.driver.get("about:blank")
        page.load()
        release_shown = page.js("return document.documentElement.dataset.release || null;")
    kept, count = page.driver.execute_async_script(KEPT)
    check("a new release replaces the one kept, whole",
          [len(kept), kept[0].endswith(name), count, release_shown], [1, True, len(files), "next"])
    server.shutdown()
    server.server_close()
    page.load()
    open_screen(page, opened, row["screen"])
    check("with the server gone, the page opens and solves", page.js(SOLVE, row, RESULTS)[0],
          {key: row[key] for key, _ in RESULTS if key in row})


def main():
    site, rows_file = sys.argv[1:3]
    if importlib.util.find_spec("selenium") is None:
        print("SKIP: the browser test needs python3-selenium (scripts/run-tests.sh installs it)")
        return SKIPPED
    missing = [tool for tool in ("chromium", "chromedriver") if not shutil.which(tool)]
    if missing:
        print(f"SKIP: the browser test needs {' '.join(missing)} (scripts/run-tests.sh installs them)")
        return SKIPPED
    with open(rows_file, encoding="utf-8") as stream:
        rows = json.load(stream)
    # A copy, which the test turns into the next release.
    copy = tempfile.mkdtemp()
    site = shutil.copytree(site, os.path.join(copy, "site"))
    server, address = serve(site)
    url = f"{address}/index.html"
    driver = chromium(1400, 900)
    try:
        driver.execute_cdp_cmd("Browser.grantPermissions", {
            "origin": url.rsplit("/", 1)[0],
            "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
        page = Page(driver, url)
        page.load()
        check("the page's title is the menu's caption", page.title(), "Quorvex")
        check("the menu opens with the focus on Real Power", page.focused(), "Command1")
        check("Chromium finds the page installable as an app", driver.execute_cdp_cmd(
            "Page.getInstallabilityErrors", {})["installabilityErrors"], [])
        opened = menu_buttons(page)
        solve_rows(page, opened, rows["solve"])
        calculator_buttons(page, opened)
        about(page, opened)
        tab_cycles(page, opened, rows["tabCycles"])
        copying(page, opened, rows["copied"])
        weight(page)
        on_phones(page, rows)
        closing_and_fitting(page)
        if len(sys.argv) > 3:
            axe_audits(page, opened, rows["solve"],
                       os.path.join(sys.argv[3], "node_modules", "axe-core", "axe.min.js"))
        else:
            print("SKIP: axe-core's audits need the web tools (scripts/web-tools.sh)")
        offline(page, site, server, opened, rows["solve"][-1])
        for entry in driver.get_log("browser"):
            check("the page logs no error", entry["level"] != "SEVERE", True)
    finally:
        driver.quit()
        server.shutdown()
        shutil.rmtree(copy)
    print(f"{len(failures)} check(s) failed" if failures else "all checks passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

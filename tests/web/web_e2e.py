"""The browser version, served from a local static server and worked in headless Chromium as a user
would: every calculator row the desktop's tests check (tests/data/calculations.json) typed and
solved, New Values, Back to Main Page, About, every screen's tab order, Ctrl+C, what a screen
reader is told, the closing page, fitting a narrow viewport, and the weight of all it loads.

Usage: web_e2e.py SITE_FOLDER ROWS_JSON
Exits 77 (skipped) when Chromium, its driver or Selenium is missing.
"""

import importlib.util
import json
import os
import shutil
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../src/views/web"))
from headless_chromium import chromium, serve  # noqa: E402

SKIPPED = 77
# Everything the page loads, fonts and pictures included, after visiting every screen.
BUDGET = 400_000
CALCULATORS = ["frmRealPower", "frmApparentPower", "frmReactivePower", "frm1PRealPower",
               "frm1PApparentPower", "frm1PReactivePower"]
RESULTS = [("factor", "Lbl_m"), ("echo", "Lbl_Pi"), ("power", "Lbl_x"), ("apparent", "Lbl_s")]

failures = []


def check(what, found, expected):
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

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def load(self):
        self.driver.get(self.url)
        self.front("frmQV")

    def front(self, screen):
        """Waits for the screen's window to be the one shown."""
        self.wait.until(lambda _: self.js(
            "const w = document.querySelector('#desktop > .window:not(.prerendered)');"
            "return w && w.id;") == screen)

    def title(self):
        return self.js("return document.querySelector('title').textContent;")

    def focused(self):
        return self.js("return document.activeElement.id;")

    def value(self, control):
        return self.js("const e = document.getElementById(arguments[0]);"
                       "return e.tagName === 'INPUT' ? e.value : e.textContent;", control)

    def click(self, control):
        self.driver.find_element("id", control).click()

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
    check("a narrow viewport scales the window down to fit", 0 < width <= 520, True)
    width = window_width(page, (1400, 900), lambda width: round(width) == 725 + 2)
    check("a wide viewport shows the window at its own size", round(width), 725 + 2)
    page.click("Command4")
    page.wait.until(lambda _: page.js("return !!document.querySelector('.closed');"))
    check("Close on the menu shows that Quorvex has closed", page.js(
        "return document.querySelector('.closed p').textContent;"), "Quorvex has closed.")
    page.js("document.querySelector('.closed button').click();")
    page.front("frmQV")
    check("it starts again on the menu", page.focused(), "Command1")


def weight(page):
    loaded = page.js("return performance.getEntriesByType('navigation')"
                     ".concat(performance.getEntriesByType('resource'))"
                     ".reduce((sum, entry) => sum + entry.decodedBodySize, 0);")
    print(f"the page loaded {loaded} bytes")
    check(f"everything the page loads stays under {BUDGET} bytes", loaded < BUDGET, True)


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
        opened = menu_buttons(page)
        check("the menu opens every calculator and About", sorted(opened),
              sorted(CALCULATORS + ["frmAbout"]))
        solve_rows(page, opened, rows["solve"])
        calculator_buttons(page, opened)
        about(page, opened)
        tab_cycles(page, opened, rows["tabCycles"])
        copying(page, opened, rows["copied"])
        weight(page)
        closing_and_fitting(page)
        for entry in driver.get_log("browser"):
            check("the page logs no error", entry["level"] != "SEVERE", True)
    finally:
        driver.quit()
        server.shutdown()
    print(f"{len(failures)} check(s) failed" if failures else "all checks passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

"""The browser version's start-up against a bare page, in one run: the time from navigation to the
first frame with content (Chromium's first contentful paint) of Quorvex's page, whose first frame
is its whole main menu, and of a bare page with one button and one label, loaded the same way:
from the same local static server, in the same headless Chromium, with its cache and the service
worker off so that every load fetches everything, alternating, RUNS times each; in a desktop's
window and on a phone (Chromium's mobile emulation, 390 x 844). Prints each page's median, the
ratio, and where the time went: when the page had arrived (response end) and was parsed (DOM
interactive), before its first frame. Given the web tools (scripts/web-tools.sh), also Lighthouse's
performance score, its metrics and where the main thread's time went, mobile and desktop.

Usage: web_startup.py SITE_FOLDER [RUNS [WEB_TOOLS]]
(needs chromium, chromium-driver, python3-selenium; Node for Lighthouse)
"""

import os
import shutil
import statistics
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../src/views/web"))
from headless_chromium import PHONES, chromium, emulate_desktop, emulate_phone, serve  # noqa: E402
from lighthouse import PRESETS, report  # noqa: E402

PHONE = PHONES[1]
METRICS = ("first-contentful-paint", "largest-contentful-paint", "speed-index",
           "total-blocking-time", "cumulative-layout-shift")

BARE = """<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>Bare</title></head>
<body><button type="button">Button</button><div>Label</div></body></html>
"""

# The first contentful paint, and whether the menu was whole on the page when it came.
MEASURE = """
const done = arguments[arguments.length - 1];
new PerformanceObserver((list, observer) => {
  const paint = list.getEntriesByName("first-contentful-paint")[0];
  if (paint) {
    observer.disconnect();
    const menu = document.querySelector("#frmQV");
    const whole = menu && [...menu.querySelectorAll("img")].every((image) => image.complete);
    const navigation = performance.getEntriesByType("navigation")[0];
    done([paint.startTime, !document.querySelector(".window") || whole,
          navigation.responseEnd, navigation.domInteractive]);
  }
}).observe({ type: "paint", buffered: true });
"""


def first_frames(driver, base, runs):
    """Each page's times (first frame, response end, DOM interactive), alternating, RUNS each."""
    times = {"quorvex": [], "bare": []}
    for run in range(runs + 1):
        for name in ("quorvex", "bare") if run % 2 else ("bare", "quorvex"):
            driver.get("about:blank")
            driver.get(f"{base}/{name}/index.html")
            paint, whole, arrived, parsed = driver.execute_async_script(MEASURE)
            if not whole:
                raise RuntimeError(f"the first frame of {name} was not the whole menu")
            if run:  # the first round warms the browser and the server
                times[name].append((paint, arrived, parsed))
    return times


def print_first_frames(where, times, runs):
    medians = {}
    for name, measured in times.items():
        paint, arrived, parsed = (statistics.median(column) for column in zip(*measured))
        paints = [row[0] for row in measured]
        medians[name] = paint
        print(f"{where}: {name}: first frame with content {paint:.1f} ms (median of {runs}, from "
              f"{min(paints):.1f} to {max(paints):.1f}); arrived {arrived:.1f} ms, parsed "
              f"{parsed:.1f} ms")
    print(f"{where}: ratio {medians['quorvex'] / medians['bare']:.2f}")


def print_lighthouse(url, tools):
    for preset in PRESETS:
        found = report(url, tools, preset, ("performance",))
        audits = found["audits"]
        print(f"Lighthouse, {preset}: performance "
              f"{round(100 * found['categories']['performance']['score'])}; "
              + ", ".join(f"{audits[metric]['title']} {audits[metric]['displayValue']}"
                          for metric in METRICS))
        work = audits["mainthread-work-breakdown"]
        print(f"  main thread, {work['displayValue']}: " + ", ".join(
            f"{item['groupLabel']} {item['duration']:.0f} ms" for item in work["details"]["items"]))
        booted = audits["bootup-time"]["details"]["items"]
        print("  by script: " + ", ".join(
            f"{item['url'].rsplit('/', 1)[-1] or item['url']} {item['total']:.0f} ms "
            f"({item['scripting']:.0f} ms running, {item['scriptParseCompile']:.0f} ms compiling)"
            for item in booted))


def main():
    site = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
    tools = sys.argv[3] if len(sys.argv) > 3 else None
    root = tempfile.mkdtemp()
    try:
        os.symlink(os.path.abspath(site), os.path.join(root, "quorvex"))
        os.mkdir(os.path.join(root, "bare"))
        with open(os.path.join(root, "bare", "index.html"), "w", encoding="utf-8") as page:
            page.write(BARE)
        server, base = serve(root)
        driver = chromium(1000, 700)
        driver.set_script_timeout(30)
        driver.execute_cdp_cmd("Network.enable", {})
        driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
        driver.execute_cdp_cmd("Network.setBypassServiceWorker", {"bypass": True})
        try:
            desktop = first_frames(driver, base, runs)
            emulate_phone(driver, *PHONE)
            phone = first_frames(driver, base, runs)
            emulate_desktop(driver)
        finally:
            driver.quit()
        print_first_frames("desktop", desktop, runs)
        print_first_frames(f"{PHONE[0]}x{PHONE[1]} phone", phone, runs)
        if tools:
            print_lighthouse(f"{base}/quorvex/index.html", tools)
        server.shutdown()
    except RuntimeError as error:
        print(error)
        return 1
    finally:
        shutil.rmtree(root)
    return 0


if __name__ == "__main__":
    sys.exit(main())

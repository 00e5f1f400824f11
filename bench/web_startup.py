"""The browser version's start-up against a bare page, in one run: the time from navigation to the
first frame with content (Chromium's first contentful paint) of Quorvex's page, whose first frame
is its whole main menu, and of a bare page with one button and one label, loaded the same way:
from the same local static server, in the same headless Chromium, with its cache off so that every
load fetches everything, alternating, RUNS times each. Prints each page's median and the ratio.

Usage: web_startup.py SITE_FOLDER [RUNS]   (needs chromium, chromium-driver, python3-selenium)
"""

import os
import shutil
import statistics
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../src/views/web"))
from headless_chromium import chromium, serve  # noqa: E402

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
    done([paint.startTime, !document.querySelector(".window") || whole]);
  }
}).observe({ type: "paint", buffered: true });
"""


def main():
    site = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
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
        times = {"quorvex": [], "bare": []}
        try:
            for run in range(runs + 1):
                for name in ("quorvex", "bare") if run % 2 else ("bare", "quorvex"):
                    driver.get("about:blank")
                    driver.get(f"{base}/{name}/index.html")
                    paint, whole = driver.execute_async_script(MEASURE)
                    if not whole:
                        print(f"the first frame of {name} was not the whole menu")
                        return 1
                    if run:  # the first round warms the browser and the server
                        times[name].append(paint)
        finally:
            driver.quit()
            server.shutdown()
    finally:
        shutil.rmtree(root)

    quorvex, bare = (statistics.median(times[name]) for name in ("quorvex", "bare"))
    print(f"first frame with content, median of {runs}: Quorvex {quorvex:.1f} ms "
          f"(from {min(times['quorvex']):.1f} to {max(times['quorvex']):.1f}), bare page "
          f"{bare:.1f} ms (from {min(times['bare']):.1f} to {max(times['bare']):.1f})")
    print(f"ratio {quorvex / bare:.2f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())

"""A local static server and headless Chromium, as the site's build (prerender.py), its browser
test and its start-up benchmark use them: the server on a free port of 127.0.0.1 in a thread of
its own, saying nothing of each request; Chromium without a sandbox, a GPU or any network of its
own. Needs python3-selenium, chromium and chromium-driver."""

import functools
import http.server
import shutil
import threading

ARGUMENTS = ("--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync")


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *arguments):
        pass


def serve(folder, handler=QuietHandler):
    """Serves the folder; returns the server and its address, http://127.0.0.1:PORT."""
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0),
                                             functools.partial(handler, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, f"http://127.0.0.1:{server.server_address[1]}"


def chromium(width, height):
    """Headless Chromium with a window of the size given, driven by Selenium."""
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    options = webdriver.ChromeOptions()
    options.binary_location = shutil.which("chromium")
    for argument in (*ARGUMENTS, f"--window-size={width},{height}"):
        options.add_argument(argument)
    return webdriver.Chrome(options=options, service=Service(shutil.which("chromedriver")))


# Phones' viewports in CSS pixels: a small Android phone, a current iPhone, the latter on its side.
PHONES = ((360, 640), (390, 844), (844, 390))
PHONE_AGENT = "Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 Chrome/120 Mobile"


def emulate_phone(driver, width, height):
    """Lays the page out and works it as a phone of the viewport given would: Chromium's mobile
    emulation (the viewport meta tag obeyed, overlay scrollbars), three device pixels to the CSS
    pixel, touch input and a phone's user agent. Holds across navigations until emulate_desktop."""
    landscape = width > height
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": width, "height": height, "deviceScaleFactor": 3, "mobile": True,
        "screenOrientation": {"type": "landscapePrimary" if landscape else "portraitPrimary",
                              "angle": 90 if landscape else 0}})
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled",
                           {"enabled": True, "maxTouchPoints": 5})
    driver.execute_cdp_cmd("Emulation.setUserAgentOverride", {"userAgent": PHONE_AGENT})


def emulate_desktop(driver):
    """Undoes emulate_phone: the window's own viewport, a mouse and no touch."""
    driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": False})
    driver.execute_cdp_cmd("Emulation.setUserAgentOverride", {"userAgent": ""})

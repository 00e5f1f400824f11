"""Writes the main menu, as the page itself draws it, into the page's HTML, so that the first
frame a browser paints is the whole menu, before the script and the program have arrived.

The site is served locally, with the page as written (TEMPLATE) and the web fonts from FONTS, and
opened in headless Chromium; once the page shows the menu,
its window's markup is taken as it stands and put into index.html, marked inert (a picture of
the menu that takes no input) until the live menu replaces it a moment later. The menu's
pictures and the two faces it uses go into the page as data, so that nothing else need be
fetched for that first frame; the site needs no other copy of them. The markup holds the menu's
controls in the rows of its one-column layout, so that the page's style alone draws it as the
window or, on a phone, as the column (quorvex.css), before any script runs.

Usage: prerender.py TEMPLATE SITE_FOLDER FONTS_FOLDER   (writes SITE_FOLDER/index.html)
"""

import base64
import os
import re
import sys

from selenium.webdriver.support.ui import WebDriverWait

from headless_chromium import QuietHandler, chromium, serve

# The faces of the menu, as data in the page's style.
MENU_FACES = ("sans", "sans-bold")


class SiteHandler(QuietHandler):
    """The site, with the page as written and every web font, the menu's included."""

    template = fonts = None

    def translate_path(self, path):
        name = path.split("?", 1)[0]
        if name in ("/", "/index.html"):
            return self.template
        if name.startswith("/fonts/") and name.endswith(".woff2"):
            return os.path.join(self.fonts, os.path.basename(name))
        return super().translate_path(path)


def data_uri(path, mime):
    with open(path, "rb") as stream:
        return f"data:{mime};base64,{base64.b64encode(stream.read()).decode()}"


def menu_markup(template, site, fonts):
    """The menu's window as the page draws it, with the focus noted as autofocus."""
    SiteHandler.template, SiteHandler.fonts = template, fonts
    server, address = serve(site, SiteHandler)
    driver = chromium(1000, 700)
    try:
        driver.get(f"{address}/index.html")
        WebDriverWait(driver, 30).until(lambda _: driver.execute_script(
            "return !!document.querySelector('#desktop > .window#frmQV')"))
        return driver.execute_script("""
            const menu = document.querySelector('#desktop > .window');
            document.activeElement.setAttribute('autofocus', '');
            menu.classList.add('prerendered');
            menu.setAttribute('inert', '');
            return menu.outerHTML;""")
    finally:
        driver.quit()
        server.shutdown()


def main():
    template, site, fonts = (os.path.abspath(path) for path in sys.argv[1:4])
    with open(template, encoding="utf-8") as stream:
        page = stream.read()
    markup = menu_markup(template, site, fonts)

    def picture(match):
        return f'src="{data_uri(os.path.join(site, match[1]), "image/png")}"'

    markup = re.sub(r'src="(artwork/[a-z-]+\.png)"', picture, markup)
    for face in MENU_FACES:
        font = os.path.join(fonts, f"{face}.woff2")
        page = page.replace(f"url(fonts/{face}.woff2)", f"url({data_uri(font, 'font/woff2')})")
        page = re.sub(rf'<link rel="preload" href="fonts/{face}.woff2"[^>]*>\n', "", page)
    page = re.sub(r'<link rel="preload" as="image"[^>]*>\n', "", page)
    page = page.replace('<main id="desktop"></main>', f'<main id="desktop">{markup}</main>')
    with open(os.path.join(site, "index.html"), "w", encoding="utf-8") as stream:
        stream.write(page)


if __name__ == "__main__":
    main()

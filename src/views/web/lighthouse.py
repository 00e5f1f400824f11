"""Lighthouse, from the web tools scripts/web-tools.sh installs, run on a served page in the same
headless Chromium as the browser test (/usr/bin/chromium, with headless_chromium's arguments and
so no network of its own): its mobile preset (the default, a mid-range phone on a slow network,
simulated) or its desktop one. Needs Node 18.16 or later."""

import json
import os
import subprocess

from headless_chromium import ARGUMENTS

CATEGORIES = ("performance", "accessibility", "best-practices", "seo")
PRESETS = ("mobile", "desktop")


def report(url, tools, preset, categories=CATEGORIES):
    """Lighthouse's report of the page in the categories given, as a dictionary (its JSON)."""
    command = ["node", os.path.join(tools, "node_modules", "lighthouse", "cli", "index.js"), url,
               "--output=json", "--output-path=stdout", "--quiet",
               f"--only-categories={','.join(categories)}",
               f"--chrome-flags={' '.join(ARGUMENTS)}"]
    if preset != "mobile":
        command.append(f"--preset={preset}")
    environment = dict(os.environ, CHROME_PATH="/usr/bin/chromium")
    result = subprocess.run(command, env=environment, capture_output=True, text=True, timeout=300,
                            check=True)
    return json.loads(result.stdout)


def scores(lighthouse):
    """Each category's score out of 100."""
    return {name: round(100 * category["score"])
            for name, category in lighthouse["categories"].items()}


def failing(lighthouse, category):
    """The audits of the category that the page fails or only partly passes, with their titles."""
    audits = lighthouse["audits"]
    return [(reference["id"], audits[reference["id"]]["title"])
            for reference in lighthouse["categories"][category]["auditRefs"]
            if reference["weight"] and audits[reference["id"]]["score"] is not None
            and audits[reference["id"]]["score"] < 1]

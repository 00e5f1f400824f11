"""Lighthouse's audits of the browser version, served locally, with its mobile and its desktop
preset: accessibility, best practices and SEO each score 100, or the audits that fall short are
listed. (Performance is the start-up benchmark's to report: bench/web_startup.py.)

Usage: lighthouse_check.py SITE_FOLDER WEB_TOOLS
"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../src/views/web"))
from headless_chromium import serve  # noqa: E402
from lighthouse import PRESETS, failing, report, scores  # noqa: E402

CHECKED = ("accessibility", "best-practices", "seo")


def main():
    site, tools = sys.argv[1:3]
    server, address = serve(site)
    failures = []
    for preset in PRESETS:
        found = report(f"{address}/index.html", tools, preset, CHECKED)
        print(f"{preset}: {scores(found)}")
        failures += [f"{preset}: {category}: {audit}: {title}" for category in CHECKED
                     for audit, title in failing(found, category)]
    server.shutdown()
    for failure in failures:
        print(f"FAIL: {failure}")
    print(f"{len(failures)} audit(s) failed" if failures else "every audit passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

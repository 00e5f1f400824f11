"""Writes the site's service worker (site/sw.js as written, into SITE_FOLDER/sw.js) with the
release's files to keep for use offline, each with its SHA-256 as a subresource integrity, and the
name of their cache: a hash of every file's name and bytes, so that the same site always has the
same worker and any change to any file makes a new worker with a new cache.

Usage: service_worker.py TEMPLATE SITE_FOLDER NAME...
"""

import base64
import hashlib
import json
import os
import sys


def main():
    template, site, *names = sys.argv[1:]
    release = hashlib.sha256()
    files = []
    for name in sorted(names):
        with open(os.path.join(site, name), "rb") as stream:
            data = stream.read()
        digest = hashlib.sha256(data).digest()
        release.update(f"{name}\0{len(data)}\0".encode() + digest)
        files.append([name, "sha256-" + base64.b64encode(digest).decode()])
    with open(template, encoding="utf-8") as stream:
        worker = stream.read()
    listed = "[\n" + ",\n".join(f"  {json.dumps(entry)}" for entry in files) + "\n]"
    worker = worker.replace("@QUORVEX_SITE_HASH@", release.hexdigest()[:16])
    worker = worker.replace("@QUORVEX_SITE_FILES@", listed)
    with open(os.path.join(site, "sw.js"), "w", encoding="utf-8") as stream:
        stream.write(worker)


if __name__ == "__main__":
    main()

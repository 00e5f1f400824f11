"""Packs files into a zip that is the same on every build: entries in the order given, each dated
at one time (seconds since 1970, as UTC), as a Windows zip without Unix owners or permissions.

Usage: pack_zip.py OUTPUT.zip SECONDS FOLDER NAME...
"""

import os
import sys
import time
import zipfile


def main():
    output, seconds, folder, *names = sys.argv[1:]
    stamp = time.gmtime(int(seconds))[:6]
    with zipfile.ZipFile(output + ".part", "w") as archive:
        for name in names:
            entry = zipfile.ZipInfo(name, date_time=stamp)
            entry.create_system = 0  # MS-DOS: no Unix mode, owner or group
            entry.external_attr = 0
            entry.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(folder, name), "rb") as stream:
                archive.writestr(entry, stream.read(), compresslevel=9)
    os.replace(output + ".part", output)


if __name__ == "__main__":
    main()

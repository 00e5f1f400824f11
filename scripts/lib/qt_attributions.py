"""Reads, from a finished build of Qt, which of the third-party code that Qt's source bundles went
into each object of its libraries, and prints it as JSON with that code's notices and licences.

Qt describes each piece of bundled code in a qt_attribution.json beside it (its name, version,
licence, copyright and licence files). A piece is taken to be in an object when the object was
compiled from one of its files or included one (as the compiler's dependency records, kept by
ninja, say). A program linked against the static libraries then owes the notices of the pieces in
the objects the linker took (packaging/windows/third_party_notices.py).

Usage: qt_attributions.py QT_SOURCE_DIR QT_BUILD_DIR > qt-attributions.json
"""

import json
import os
import subprocess
import sys


def listed(value):
    """A field that Qt writes as one string of space-separated names, or as a list."""
    if value is None:
        return []
    if isinstance(value, list):
        return value
    return value.split()


def attributions(source):
    """Every attribution of the source, with the files it covers: the files it names, or else
    everything below its folder."""
    found = []
    for folder, subfolders, files in os.walk(os.path.join(source, "src")):
        subfolders.sort()
        if "qt_attribution.json" not in files:
            continue
        with open(os.path.join(folder, "qt_attribution.json"), encoding="utf-8") as stream:
            # Some carry raw line breaks inside their strings.
            entries = json.loads(stream.read(), strict=False)
        for entry in entries if isinstance(entries, list) else [entries]:
            base = os.path.normpath(os.path.join(folder, entry.get("Path", "")))
            names = listed(entry.get("Files"))
            covered = {os.path.normpath(os.path.join(base, name)) for name in names}
            found.append((folder, base, covered, entry))
    return found


def dependencies(build):
    """Each object's source and headers, as ninja recorded them."""
    printed = subprocess.run(["ninja", "-C", build, "-t", "deps"], check=True,
                             capture_output=True, text=True).stdout
    objects = {}
    current = None
    for line in printed.splitlines():
        if not line.strip():
            current = None
        elif not line.startswith(" "):
            current = objects.setdefault(line.split(":", 1)[0], [])
        elif current is not None:
            current.append(os.path.realpath(os.path.join(build, line.strip())))
    return objects


def licence_texts(source, folder, entry):
    """The licence texts an attribution names, by file or else by its SPDX identifier."""
    texts = []
    for name in listed(entry.get("LicenseFiles")) or listed(entry.get("LicenseFile")):
        path = os.path.join(folder, name)
        if os.path.isfile(path):
            with open(path, encoding="utf-8", errors="replace") as stream:
                texts.append(stream.read().strip())
    if not texts:
        for identifier in entry.get("LicenseId", "").replace("(", " ").replace(")", " ").split():
            path = os.path.join(source, "LICENSES", identifier + ".txt")
            if os.path.isfile(path):
                with open(path, encoding="utf-8") as stream:
                    texts.append(stream.read().strip())
    return texts


def main():
    source, build = (os.path.realpath(folder) for folder in sys.argv[1:3])
    known = attributions(source)
    used = {}
    objects = {}
    for target, files in sorted(dependencies(build).items()):
        ids = set()
        for folder, base, covered, entry in known:
            for path in files:
                if path in covered or (not covered and path.startswith(base + os.sep)):
                    ids.add(entry["Id"])
                    used.setdefault(entry["Id"], (folder, entry))
                    break
        if ids:
            # Archive members are named by the object's own file name.
            objects.setdefault(os.path.basename(target), set()).update(ids)

    result = {"attributions": {}, "objects": {name: sorted(ids)
                                              for name, ids in sorted(objects.items())}}
    for identifier, (folder, entry) in sorted(used.items()):
        copyright_text = entry.get("Copyright", "")
        if isinstance(copyright_text, list):
            copyright_text = "\n".join(copyright_text)
        if not copyright_text and entry.get("CopyrightFile"):
            with open(os.path.join(folder, entry["CopyrightFile"]), encoding="utf-8") as stream:
                copyright_text = stream.read()
        result["attributions"][identifier] = {
            "name": entry.get("Name", identifier),
            "version": entry.get("Version", ""),
            "homepage": entry.get("Homepage", ""),
            "licence": entry.get("License", ""),
            "licence_id": entry.get("LicenseId", ""),
            "copyright": copyright_text.strip(),
            "licence_texts": licence_texts(source, folder, entry),
        }
    json.dump(result, sys.stdout, indent=1, sort_keys=True, ensure_ascii=False)
    sys.stdout.write("\n")


if __name__ == "__main__":
    main()

"""Writes the notices and licences of everything linked into quorvex.exe besides Quorvex's own
code, from what the linker took: the archive members and objects its map lists, joined with
Qt's record of the third-party code in each of its objects (qt-attributions.json, written by
scripts/build-static-qt.sh), and the copyright files of Debian's Qt, MinGW-w64 and GCC packages.

It writes, with Windows line ends, into OUTPUT_FOLDER: THIRD-PARTY-NOTICES.txt (where the source
is, then each component with its copyright and licence), LGPL-3.0.txt and GPL-3.0.txt. It fails
when the program links something it cannot name.

Usage: third_party_notices.py MAP_FILE QT_PREFIX OUTPUT_FOLDER PROGRAM_VERSION
"""

import json
import os
import re
import subprocess
import sys

DOCS = "/usr/share/doc"
LICENCES = "/usr/share/common-licenses"
# Where Debian's cross toolchain keeps what it links into a program.
GCC_LIBRARIES = re.compile(r"^/usr/lib/gcc/x86_64-w64-mingw32/[^/]+/")
MINGW_LIBRARIES = "/usr/x86_64-w64-mingw32/lib/"
# GCC's runtime libraries, by the file a program links them from.
GCC_RUNTIME = {"libstdc++.a": "libstdc++", "libssp.a": "libssp", "libssp_nonshared.a": "libssp",
               "libgcc.a": "libgcc", "libgcc_eh.a": "libgcc", "crtbegin.o": "libgcc",
               "crtend.o": "libgcc", "crtfastmath.o": "libgcc"}
RULE = "=" * 78


def linked(map_file):
    """The files the linker took code from: each archive with the members it took, and each
    object loaded whole, by their normalised paths."""
    archives = {}
    objects = set()
    with open(map_file, encoding="utf-8", errors="replace") as stream:
        for line in stream:
            member = re.match(r"^(\S+\.a)\(([^)]+)\)", line)
            if member:
                archives.setdefault(os.path.normpath(member[1]), set()).add(member[2])
            loaded = re.match(r"^LOAD (\S+\.(?:o|obj))$", line.rstrip())
            if loaded:
                objects.add(os.path.normpath(loaded[1]))
    return archives, objects


def source_version(package):
    """The Debian source package and version a binary package was built from, and the binary
    package's own version."""
    return subprocess.run(["dpkg-query", "-W", "-f=${source:Package} ${source:Version} ${Version}",
                           package], check=True, capture_output=True, text=True).stdout.split()


def paragraphs(path):
    """The paragraphs of a machine-readable Debian copyright file, as lists of lines."""
    with open(path, encoding="utf-8") as stream:
        return [block.splitlines() for block in stream.read().split("\n\n") if block.strip()]


def field(paragraph, name):
    """A field's first line and continuation lines, as text."""
    lines = []
    for line in paragraph:
        if lines and line[:1] in (" ", "\t"):
            lines.append(line.strip())
        elif lines:
            break
        elif line.startswith(name + ":"):
            lines.append(line[len(name) + 1:].strip())
    return "\n".join(lines)


def debian_licence_text(text):
    """A licence text as Debian's copyright format indents it, back to plain text."""
    return "\n".join("" if line.strip() == "." else line[1:] if line.startswith(" ") else line
                     for line in text.splitlines())


def mingw_notices(folder, with_default):
    """The copyright and licence paragraphs of the MinGW-w64 source that cover a folder (and
    with_default, the one for every file not named otherwise), with the licences they name."""
    blocks = paragraphs(os.path.join(DOCS, "mingw-w64-x86-64-dev", "copyright"))
    standalone = {field(block, "License").split("\n")[0]: block for block in blocks
                  if not field(block, "Files") and field(block, "License")}
    chosen, names = [], []
    for block in blocks:
        files = field(block, "Files").split()
        if any((name == "*" and with_default) or name.startswith(folder) for name in files) and \
                not any("/tests" in name for name in files):
            chosen.append("\n".join(block))
            names.extend(re.split(r"\s+(?:and|or)\s+", field(block, "License").split("\n")[0]))
    for name in dict.fromkeys(names):
        if name in standalone:
            chosen.append("\n".join(standalone[name]))
    return debian_licence_text("\n\n".join(chosen))


def gcc_notices():
    """GCC's copyright and the GCC Runtime Library Exception, from Debian's GCC packages."""
    with open(os.path.join(DOCS, "gcc-mingw-w64-x86-64-posix-runtime", "copyright"),
              encoding="utf-8") as stream:
        text = stream.read()
    copyright_text = re.search(r"^GCC is Copyright.*?Inc\.$", text, re.M | re.S)
    exception = re.search(r"^GCC RUNTIME LIBRARY EXCEPTION$.*?requirements of the license of "
                          r"GCC\.$", text, re.M | re.S)
    if not copyright_text or not exception:
        sys.exit("third_party_notices: no GCC copyright or runtime exception in Debian's file")
    return copyright_text[0], exception[0]


def qt_copyright():
    """Qt's own holders, from the first paragraph of Debian's qt6-base copyright file."""
    for block in paragraphs(os.path.join(DOCS, "qt6-base-dev", "copyright")):
        if field(block, "Files") == "*":
            return "Copyright (C) " + field(block, "Copyright") + " and other contributors"
    sys.exit("third_party_notices: no copyright of Qt in Debian's file")


def section(title, *parts):
    return "\n".join([RULE, title, RULE, "", *(part.strip() + "\n" for part in parts if part)])


def main():
    map_file, qt_prefix, output, version = sys.argv[1:5]
    qt_prefix = os.path.normpath(qt_prefix) + os.sep
    archives, objects = linked(map_file)
    attributions_path = os.path.join(qt_prefix, "qt-attributions.json")
    attributions = {"attributions": {}, "objects": {}}
    if os.path.isfile(attributions_path):
        with open(attributions_path, encoding="utf-8") as stream:
            attributions = json.load(stream)
    else:
        print(f"third_party_notices: warning: {attributions_path} is missing: the notices name no "
              "third-party code inside Qt", file=sys.stderr)

    qt_ids, gcc, mingw = set(), set(), set()
    for path, members in [*archives.items(), *((path, {os.path.basename(path)})
                                               for path in objects)]:
        name = os.path.basename(path)
        if path.startswith(qt_prefix):
            for member in members:
                qt_ids.update(attributions["objects"].get(member, []))
        elif GCC_LIBRARIES.match(path) and name in GCC_RUNTIME:
            gcc.add(GCC_RUNTIME[name])
        elif path.startswith(MINGW_LIBRARIES):
            mingw.add("winpthreads" if name in ("libpthread.a", "libwinpthread.a") else "crt")
        elif os.path.isabs(path):
            sys.exit(f"third_party_notices: quorvex.exe links {path}, which has no notice here")

    qt_package, qt_version, _ = source_version("qt6-base-dev")
    mingw_package, mingw_version, _ = source_version("mingw-w64-x86-64-dev")
    # Debian's MinGW-w64 GCC is built from gcc-mingw-w64 with the source of gcc-12, whose version
    # starts its own.
    gcc_package, gcc_version, gcc_binary = source_version("g++-mingw-w64-x86-64-posix")
    gcc_base = gcc_binary.split("+" + gcc_version)[0]
    parts = [f"""Third-party software in quorvex.exe {version}

quorvex.exe is Quorvex's own code (MIT licence, LICENSE.txt; its sine and
cosine come from fdlibm, below) linked with the software below. Qt is used under the GNU Lesser General Public License
version 3 (LGPL-3.0.txt, which adds to the GNU General Public License version 3
in GPL-3.0.txt).

Where the source is:
- Quorvex: quorvex_{version}.orig.tar.gz, published with this release. It
  builds this program on Debian 12 with ./scripts/build-windows.sh.
- Qt, MinGW-w64 and GCC: Debian's source packages {qt_package} {qt_version},
  {mingw_package} {mingw_version}, and {gcc_package} {gcc_version} with gcc-12 {gcc_base},
  from Debian's archive ("apt-get source {qt_package}={qt_version}") or
  snapshot.debian.org.

To run Quorvex with a Qt of your own (a changed one, for example): build Qt
for Windows statically from that source as scripts/build-static-qt.sh does,
then relink quorvex.exe against it with
  QUORVEX_WINDOWS_QT=/path/to/your/qt ./scripts/build-windows.sh
"""]
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "notices",
                           "fdlibm.txt"), encoding="utf-8") as stream:
        parts.append(section("The sine and cosine in Quorvex's own code", stream.read()))
    parts.append(section(f"Qt {qt_version.split('+')[0]}",
                         qt_copyright(), "Licence: LGPL-3.0-only (LGPL-3.0.txt)"))
    for identifier in sorted(qt_ids):
        entry = attributions["attributions"][identifier]
        title = f"{entry['name']} {entry['version']}".strip() + " (in Qt)"
        parts.append(section(title, entry["copyright"], f"Licence: {entry['licence']}",
                             *entry["licence_texts"]))
    if gcc:
        copyright_text, exception = gcc_notices()
        parts.append(section(
            "GCC runtime libraries: " + ", ".join(sorted(gcc)), copyright_text,
            "Licence: GPL-3.0-or-later (GPL-3.0.txt) with the GCC Runtime Library Exception",
            exception))
    if "crt" in mingw:
        parts.append(section("MinGW-w64 runtime", mingw_notices("mingw-w64-crt/", True)))
    if "winpthreads" in mingw:
        parts.append(section("MinGW-w64 winpthreads",
                             mingw_notices("mingw-w64-libraries/winpthreads/", False)))

    def write(name, text):
        with open(os.path.join(output, name), "w", encoding="utf-8", newline="\r\n") as stream:
            stream.write(text.rstrip() + "\n")

    os.makedirs(output, exist_ok=True)
    write("THIRD-PARTY-NOTICES.txt", "\n".join(parts))
    for name, licence in (("LGPL-3.0.txt", "LGPL-3"), ("GPL-3.0.txt", "GPL-3")):
        with open(os.path.join(LICENCES, licence), encoding="utf-8") as stream:
            write(name, stream.read())


if __name__ == "__main__":
    main()

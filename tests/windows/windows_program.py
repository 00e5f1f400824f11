"""Reads quorvex.exe as Windows will: its version block, icon group and application manifest,
against what a Windows build must carry, and its subsystem and imports, so that it starts as a
window program from a copy on its own, with nothing but Windows' own DLLs; its hardening (ASLR,
DEP, the stack protector); and what makes two builds of it the same (no link time, no path).

Usage: windows_resources.py PROGRAM.exe MAJOR.MINOR.PATCH.TWEAK DISPLAY_VERSION
Prints a line per check; exits 1 if any fails.
"""

import struct
import sys
import xml.etree.ElementTree as ElementTree

import pefile

VFT_APP = 0x1
IMAGE_SUBSYSTEM_WINDOWS_GUI = 2
RT_MANIFEST = 24
# The libraries a MinGW build would otherwise need beside it.
NOT_WINDOWS = ("libstdc++", "libgcc", "libwinpthread", "libssp", "qt6")
# DllCharacteristics: high-entropy (64-bit) ASLR, ASLR, DEP.
HARDENING = {"HIGH_ENTROPY_VA": 0x20, "DYNAMIC_BASE": 0x40, "NX_COMPAT": 0x100}
# What would name the machine that built it.
BUILD_PATHS = (b"/root/", b"/home/", b"/tmp/", b"/work/", b".cache/quorvex")
# Width, height and bits per pixel of each image of the icon group, in order.
ICON_IMAGES = [(32, 32, 1), (32, 32, 4), (16, 16, 4)]


def main():
    program, version, display_version = sys.argv[1:4]
    numbers = [int(part) for part in version.split(".")]
    pe = pefile.PE(program)
    failures = []

    def check(what, found, expected):
        if found == expected:
            print(f"PASS: {what}: {found}")
        else:
            print(f"FAIL: {what}: {found}, expected {expected}")
            failures.append(what)

    fixed = pe.VS_FIXEDFILEINFO[0]
    file_version = [fixed.FileVersionMS >> 16, fixed.FileVersionMS & 0xFFFF,
                    fixed.FileVersionLS >> 16, fixed.FileVersionLS & 0xFFFF]
    product_version = [fixed.ProductVersionMS >> 16, fixed.ProductVersionMS & 0xFFFF,
                       fixed.ProductVersionLS >> 16, fixed.ProductVersionLS & 0xFFFF]
    check("fixed file version", file_version, numbers)
    check("fixed product version", product_version, numbers)
    check("file type", fixed.FileType, VFT_APP)

    tables = []
    translations = []
    for info in pe.FileInfo[0]:
        if info.Key == b"StringFileInfo":
            tables.extend(info.StringTable)
        elif info.Key == b"VarFileInfo":
            for var in info.Var:
                translations.extend(var.entry.values())
    check("string tables", [table.LangID for table in tables], [b"040904b0"])
    strings = tables[0].entries if tables else {}
    for key, expected in ((b"FileVersion", display_version),
                          (b"ProductVersion", display_version),
                          (b"ProductName", "Quorvex")):
        check(key.decode(), strings.get(key, b"").decode(), expected)
    check("translation", translations, ["0x0409 0x04b0"])

    groups = [entry for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries
              if entry.id == pefile.RESOURCE_TYPE["RT_GROUP_ICON"]]
    images = []
    for group in groups:
        for name in group.directory.entries:
            for language in name.directory.entries:
                data = pe.get_data(language.data.struct.OffsetToData, language.data.struct.Size)
                _, _, count = struct.unpack_from("<HHH", data, 0)
                for index in range(count):
                    width, height, _, _, _, bits, _, _ = struct.unpack_from(
                        "<BBBBHHIH", data, 6 + 14 * index)
                    images.append((width or 256, height or 256, bits))
    check("icon groups", len(groups), 1)
    check("icon images (width, height, bits per pixel)", images, ICON_IMAGES)

    manifests = [entry for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries if entry.id == RT_MANIFEST]
    settings = {}
    for entry in manifests:
        for name in entry.directory.entries:
            language = name.directory.entries[0]
            data = pe.get_data(language.data.struct.OffsetToData, language.data.struct.Size)
            for element in ElementTree.fromstring(data).iter():
                tag = element.tag.split("}")[-1]
                if tag == "requestedExecutionLevel":
                    settings["execution level"] = element.get("level")
                elif tag == "supportedOS":
                    settings.setdefault("supported systems", []).append(element.get("Id"))
                elif tag == "dpiAwareness":
                    settings["DPI awareness"] = element.text
    check("manifests", len(manifests), 1)
    check("execution level", settings.get("execution level"), "asInvoker")
    check("supported systems (Windows 10 and 11)", settings.get("supported systems"),
          ["{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"])
    check("DPI awareness", settings.get("DPI awareness"), "PerMonitorV2")

    check("subsystem", pe.OPTIONAL_HEADER.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI)
    imports = [entry.dll.decode() for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])]
    check("imports from outside Windows", [name for name in imports
                                           if name.lower().startswith(NOT_WINDOWS)], [])
    print(f"imports: {', '.join(sorted(imports))}")

    flags = pe.OPTIONAL_HEADER.DllCharacteristics
    check("hardening flags", [name for name, bit in HARDENING.items() if flags & bit],
          list(HARDENING))
    relocations = pe.OPTIONAL_HEADER.DATA_DIRECTORY[
        pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_BASERELOC"]].Size
    check("relocations kept", relocations > 0 and not pe.FILE_HEADER.Characteristics & 1, True)
    with open(program, "rb") as stream:
        data = stream.read()
    check("the stack protector (libssp's message)", b"stack smashing detected" in data, True)
    check("link time stamp", pe.FILE_HEADER.TimeDateStamp, 0)
    check("paths of the build machine", [path for path in BUILD_PATHS if path in data], [])
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

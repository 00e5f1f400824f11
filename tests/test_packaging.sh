#!/usr/bin/env bash
# The product's identity outside the program on Linux: the version note in the executable, the
# desktop entry and AppStream metadata, an installation (cmake --install, as debian/rules does it)
# that puts every file where a desktop looks, and a hardened executable. The Debian package itself
# is built and checked by CI in clean Debian roots (scripts/ci-debian-package.sh).
# Usage: test_packaging.sh SOURCE_FOLDER BUILD_FOLDER
set -euo pipefail

# Without its tools the test says what is missing and is skipped (CTest's status 77).
missing=()
for tool in readelf desktop-file-validate appstreamcli cmake lexgrog man; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
if ((${#missing[@]})); then
    echo "SKIP: the packaging test needs ${missing[*]} (scripts/setup.sh installs them)"
    exit 77
fi

source="$1"
build="$2"
version="$(sed -n 's/.*kDisplayVersion\[\] = "\(.*\)";/\1/p' "$build/generated/version.h")"
app_id="$(sed -n 's/.*kApplicationId\[\] = "\(.*\)";/\1/p' "$build/generated/version.h")"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
source "$(dirname "${BASH_SOURCE[0]}")/lib/checks.sh"

note_has_version() {
    readelf --notes "$1" | grep -F "\"name\":\"quorvex\",\"version\":\"$version\""
}

check "the version $version is in the executable's package note" note_has_version "$build/quorvex"
check "the desktop entry is valid" \
    desktop-file-validate "$source/packaging/linux/$app_id.desktop"
check "the AppStream metadata is valid" \
    appstreamcli validate --no-net "$build/generated/$app_id.metainfo.xml"
check "the AppStream metadata has a release for $version" \
    grep -F "<release version=\"$version\"" "$build/generated/$app_id.metainfo.xml"

check "the build installs into a scratch root" \
    env DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr --strip
for file in \
    usr/bin/quorvex \
    usr/share/doc/quorvex/copyright \
    usr/share/man/man1/quorvex.1.gz \
    "usr/share/applications/$app_id.desktop" \
    "usr/share/metainfo/$app_id.metainfo.xml" \
    "usr/share/icons/hicolor/16x16/apps/$app_id.png" \
    "usr/share/icons/hicolor/32x32/apps/$app_id.png" \
    "usr/share/icons/hicolor/scalable/apps/$app_id.svg"; do
    check "the installation has /$file" test -s "$scratch/root/$file"
done
check "the installed program keeps its version note" note_has_version "$scratch/root/usr/bin/quorvex"
check "the installed desktop entry starts the installed program" \
    grep -qx "Exec=quorvex" "$scratch/root/usr/share/applications/$app_id.desktop"

check "the copyright file is machine-readable" \
    grep -qx "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" \
    "$scratch/root/usr/share/doc/quorvex/copyright"
check "the copyright file is the Debian package's" \
    cmp "$source/debian/copyright" "$scratch/root/usr/share/doc/quorvex/copyright"
check "the manual page has a name line" lexgrog "$scratch/root/usr/share/man/man1/quorvex.1.gz"
no_man_warnings() {
    local warnings
    warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$1" 2>&1 >/dev/null)"
    [ -z "$warnings" ] || { echo "$warnings"; return 1; }
}
check "the manual page formats without a warning" \
    no_man_warnings "$scratch/root/usr/share/man/man1/quorvex.1.gz"

# Hardening, in the installed (stripped) program as in the built one. Only Release builds are
# hardened: the sanitizers' builds have checks of their own.
build_type="$(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' "$build/CMakeCache.txt")"
hardened=("$build/quorvex" "$scratch/root/usr/bin/quorvex")
if [ "$build_type" != "Release" ]; then
    echo "SKIP: the hardening checks, for Release builds only (this build is $build_type)"
    hardened=()
fi
for program in "${hardened[@]}"; do
    check "$program has the stack protector" sh -c "nm -D '$program' | grep -q __stack_chk_fail"
    check "$program has full RELRO" \
        sh -c "readelf -lW '$program' | grep -q GNU_RELRO && readelf -d '$program' | grep -q BIND_NOW"
    check "$program has fortified calls" \
        sh -c "nm -D '$program' | grep -v __stack_chk | grep -q '_chk@'"
done

end_checks

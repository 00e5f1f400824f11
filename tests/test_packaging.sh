#!/usr/bin/env bash
# The product's identity outside the program: the version note in the executable, the desktop
# entry and AppStream metadata, a Debian package that puts every file where a desktop looks and
# that Debian's own checker accepts, a hardened executable, and the Windows version block and
# icon group, compiled with MinGW and read back.
# Usage: test_packaging.sh SOURCE_FOLDER BUILD_FOLDER
set -euo pipefail

# Without its tools the test says what is missing and is skipped (CTest's status 77).
missing=()
for tool in readelf desktop-file-validate appstreamcli cpack dpkg-deb file lexgrog man lintian \
    zcat x86_64-w64-mingw32-windres x86_64-w64-mingw32-gcc; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
/usr/bin/python3 -c 'import pefile' 2>/dev/null || missing+=("python3-pefile")
if ((${#missing[@]})); then
    echo "SKIP: the packaging test needs ${missing[*]} (scripts/setup.sh installs them)"
    exit 77
fi

source="$1"
build="$2"
version="$(sed -n 's/.*kDisplayVersion\[\] = "\(.*\)";/\1/p' "$build/generated/version.h")"
app_id="$(sed -n 's/.*kApplicationId\[\] = "\(.*\)";/\1/p' "$build/generated/version.h")"
project_version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failures=0

check() {
    local what="$1"
    shift
    if "$@" >"$scratch/output" 2>&1; then
        echo "PASS: $what"
    else
        echo "FAIL: $what"
        sed 's/^/    /' "$scratch/output"
        failures=$((failures + 1))
    fi
}

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

check "CPack builds a Debian package" \
    cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/package"
deb="$(find "$scratch/package" -maxdepth 1 -name 'quorvex_*.deb' | head -n 1)"
check "the package is named for $version" test "$(basename "$deb")" = "quorvex_${version}_amd64.deb"
check "the package's dependencies are computed" \
    sh -c "dpkg-deb --field '$deb' Depends | grep -q libqt6widgets6"
check "the package unpacks into a scratch root" dpkg-deb -x "$deb" "$scratch/root"
for file in \
    usr/bin/quorvex \
    usr/share/doc/quorvex/copyright \
    usr/share/doc/quorvex/changelog.gz \
    usr/share/man/man1/quorvex.1.gz \
    "usr/share/applications/$app_id.desktop" \
    "usr/share/metainfo/$app_id.metainfo.xml" \
    "usr/share/icons/hicolor/16x16/apps/$app_id.png" \
    "usr/share/icons/hicolor/32x32/apps/$app_id.png" \
    "usr/share/icons/hicolor/scalable/apps/$app_id.svg"; do
    check "the package installs /$file" test -s "$scratch/root/$file"
done
check "the installed program keeps its version note" note_has_version "$scratch/root/usr/bin/quorvex"
check "the installed desktop entry starts the installed program" \
    grep -qx "Exec=quorvex" "$scratch/root/usr/share/applications/$app_id.desktop"

check "lintian finds no error and no warning in the package" \
    lintian --fail-on error,warning --allow-root "$deb"
check "the copyright file is machine-readable" \
    grep -qx "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" \
    "$scratch/root/usr/share/doc/quorvex/copyright"
check "the changelog is for $version" \
    sh -c "zcat '$scratch/root/usr/share/doc/quorvex/changelog.gz' | head -n 1 | grep -qF '($version)'"
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

# The Windows resources, configured by the same CMake code as a Windows build's, compiled into a
# stub program and read back.
windows_resources() {
    x86_64-w64-mingw32-windres "$build/generated/packaging/quorvex.rc" -O coff \
        -o "$scratch/resources.o" &&
        echo 'int main(void) { return 0; }' >"$scratch/stub.c" &&
        x86_64-w64-mingw32-gcc "$scratch/stub.c" "$scratch/resources.o" -o "$scratch/stub.exe" &&
        /usr/bin/python3 "$source/tests/windows_resources.py" "$scratch/stub.exe" \
            "$project_version" "$version"
}
check "the Windows version block and icon group read back as built" windows_resources

if ((failures)); then
    echo "$failures check(s) failed"
    exit 1
fi

#!/usr/bin/env bash
# The product's identity outside the program: the version note in the executable, the desktop
# entry and AppStream metadata, and a Debian package that puts every file where a desktop looks.
# Usage: test_packaging.sh SOURCE_FOLDER BUILD_FOLDER
set -euo pipefail

source="$1"
build="$2"
version="$(sed -n 's/.*kDisplayVersion\[\] = "\(.*\)";/\1/p' "$build/generated/version.h")"
app_id="$(sed -n 's/.*kApplicationId\[\] = "\(.*\)";/\1/p' "$build/generated/version.h")"
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

if ((failures)); then
    echo "$failures check(s) failed"
    exit 1
fi

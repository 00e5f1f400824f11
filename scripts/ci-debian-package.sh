#!/usr/bin/env bash
# Checks a Debian source package and the package built from it as Debian checks them, from the
# files dpkg-buildpackage made (in FOLDER) and its build log: lintian on the .changes, which takes
# in the .dsc and the .deb, with no error and no warning, listing everything it says down to the
# pedantic level; blhc on the log, every hardening flag of dpkg-buildflags in every compile and
# link (bindnow included, as debian/rules asks for it; PIE is the compiler's default, for which
# dpkg-buildflags adds no flag); and the package's dependencies and files.
# Usage: ci-debian-package.sh FOLDER BUILD_LOG
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/lib/packages.sh"
install_missing lintian blhc dpkg-dev
folder="$(realpath "$1")"
log="$2"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
source "$root/tests/lib/checks.sh"

changes="$(find "$folder" -maxdepth 1 -name 'quorvex_*_amd64.changes' | head -n 1)"
version="$(sed -n 's/^Version: //p' "$changes")"
deb="$folder/quorvex_${version}_amd64.deb"
echo "lintian $(lintian --print-version) on $(basename "$changes"), at the pedantic level:"
if lintian --pedantic --info --fail-on error,warning --allow-root "$changes" >"$scratch/lintian"; then
    echo "PASS: lintian finds no error and no warning"
else
    echo "FAIL: lintian finds an error or a warning"
    failures=$((failures + 1))
fi
sed 's/^/    /' "$scratch/lintian"
check "blhc finds every hardening flag in every compile and link" blhc --bindnow "$log"
check "the package's dependencies are computed" \
    sh -c "dpkg-deb --field '$deb' Depends | grep -q libqt6widgets6"
dpkg-deb --contents "$deb" | awk '{ print $6 }' >"$scratch/files"
for file in usr/bin/quorvex usr/share/doc/quorvex/copyright usr/share/doc/quorvex/changelog.Debian.gz \
    usr/share/man/man1/quorvex.1.gz usr/share/applications/example.quorvex.Quorvex.desktop \
    usr/share/metainfo/example.quorvex.Quorvex.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/example.quorvex.Quorvex.svg; do
    check "the package installs /$file" grep -qx "./$file" "$scratch/files"
done
end_checks

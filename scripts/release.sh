#!/usr/bin/env bash
# Builds every file of a Quorvex release from a clean checkout of one commit into dist/: the source
# archive of the commit, the Debian source package made with it and the Debian package built from
# that by dpkg-buildpackage (on a clean Debian 12; it installs on Debian 12 and 13), the Windows zip
# and setup program, the browser version when scripts/build-web.sh exists, and SHA256SUMS; then
# prints what it made. It installs what it needs, as the README's commands do, and refuses a
# checkout with changes not committed. Every file is the same, bit for bit, on every run for one
# commit, on any machine with the same Debian packages: all are dated at SOURCE_DATE_EPOCH (by
# default the commit's time; the Debian package at its changelog's date, as Debian dates it) and
# hold no path of the machine. With QUORVEX_SIGNING_CERTIFICATE (a PKCS#12 file) and
# QUORVEX_SIGNING_PASSWORD, the Windows programs are signed (packaging/windows/sign.sh). The build
# folders, in build-release/, are kept for the next run.
# Usage: release.sh
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/lib/packages.sh"
cd "$root"
started=$SECONDS

install_missing git gzip dpkg-dev file python3
if [ -n "$(git status --porcelain)" ]; then
    echo "quorvex: not a release: the checkout has changes that are not committed:" >&2
    git status --short >&2
    exit 1
fi
commit="$(git rev-parse HEAD)"
export SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}"
# Nothing of the environment reaches the files: their permissions, the time zone, the language.
umask 022
export TZ=UTC LC_ALL=C.UTF-8
builds="$root/build-release"
dist="$root/dist"
rm -rf "$dist"
mkdir -p "$dist" "$builds"

# Runs one step with its output in a log, shown only when it fails.
step() {
    local what="$1" log="$builds/$2.log" began=$SECONDS
    shift 2
    echo "quorvex: $what"
    if ! "$@" >"$log" 2>&1; then
        tail -n 40 "$log" >&2
        echo "quorvex: $what failed; its log is $log" >&2
        exit 1
    fi
    echo "quorvex: $what: done in $((SECONDS - began)) s"
}

# The commit's files but debian/, dated at the commit, with the same permissions whatever git's
# settings: the release's source archive, and the upstream archive of the Debian source package
# (whose debian/ is its .debian.tar.xz).
debian_version="$(dpkg-parsechangelog -S Version)"
version="${debian_version%-*}"
orig="quorvex_$version.orig.tar.gz"
git -c tar.umask=0022 archive --format=tar --prefix="quorvex-$version/" "$commit" -- . ':!debian' |
    gzip -9n >"$dist/$orig"

# The Debian source package and the package built from it as Debian's builders build it, on a clean
# Debian 12 with only build-essential and the Build-Depends (scripts/debian-root.sh); its log is
# build-release/debian.log, and every file it made is in build-release/debian/.
rm -rf "$builds/debian"
step "building the Debian source package and package on Debian 12" debian \
    scripts/debian-root.sh bookworm run --build-deps --put "$dist/$orig" --get "$builds/debian" \
    -- nice dpkg-buildpackage -us -uc -J
cp "$builds/debian/quorvex_$debian_version.dsc" "$builds/debian/quorvex_$debian_version.debian.tar.xz" \
    "$builds/debian/quorvex_${debian_version}_amd64.deb" "$dist/"

signed=OFF
if [ -n "${QUORVEX_SIGNING_CERTIFICATE:-}" ]; then
    install_missing osslsigncode
    signed=ON
fi
step "building the Windows zip and setup program" windows \
    scripts/build-windows.sh "$builds/windows" -DBUILD_TESTING=OFF -DQUORVEX_SIGN=$signed
cp "$builds/windows/dist/quorvex-$version-windows-x64.zip" \
    "$builds/windows/dist/quorvex-$version-setup.exe" "$dist/"

if [ -f scripts/build-web.sh ]; then
    step "building the browser version" web bash scripts/build-web.sh "$builds/web"
    cp "$builds/web/dist/quorvex-$version-web.zip" "$dist/"
fi

(cd "$dist" && find . -maxdepth 1 -type f -printf '%P\n' | sort | xargs sha256sum --) \
    >"$builds/SHA256SUMS"
mv "$builds/SHA256SUMS" "$dist/SHA256SUMS"

took=$((SECONDS - started))
echo "quorvex: release $version of commit $commit (SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH," \
    "signed: $signed), made in $((took / 60)) min $((took % 60)) s, in $dist:"
(cd "$dist" && find . -maxdepth 1 -type f -printf '%10s  %P\n' | sort -k2)
echo "quorvex: check it with: (cd dist && sha256sum -c SHA256SUMS)"

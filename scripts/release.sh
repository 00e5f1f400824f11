#!/usr/bin/env bash
# Builds every file of a Quorvex release from a clean checkout of one commit into dist/: the Debian
# package (built on Debian 12; it installs on Debian 12 and 13), the Windows zip and setup program,
# the browser version when scripts/build-web.sh exists, the source archive of the commit, and
# SHA256SUMS; then prints what it made. It installs what it needs, as the README's commands do,
# and refuses a checkout with changes not committed. Every file is the same, bit for bit, on every
# run for one commit, on any machine with the same Debian packages: all are dated at
# SOURCE_DATE_EPOCH (by default the commit's time) and hold no path of the machine. With
# QUORVEX_SIGNING_CERTIFICATE (a PKCS#12 file) and QUORVEX_SIGNING_PASSWORD, the Windows programs
# are signed (packaging/windows/sign.sh). The build folders, in build-release/, are kept for the
# next run.
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

step "building the Debian package" linux env QUORVEX_SETUP=app scripts/setup.sh "$builds/linux"
version="$(sed -n 's/.*kDisplayVersion\[\] = "\(.*\)";/\1/p' "$builds/linux/generated/version.h")"
rm -rf "$builds/linux/package"
step "packing the Debian package" deb \
    cpack --config "$builds/linux/CPackConfig.cmake" -G DEB -B "$builds/linux/package"
cp "$builds/linux/package/quorvex_${version}_amd64.deb" "$dist/"

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

# The commit's files, dated at the commit, with the same permissions whatever git's settings.
git -c tar.umask=0022 archive --format=tar --prefix="quorvex-$version/" "$commit" |
    gzip -9n >"$dist/quorvex-$version-source.tar.gz"
(cd "$dist" && find . -maxdepth 1 -type f -printf '%P\n' | sort | xargs sha256sum --) \
    >"$builds/SHA256SUMS"
mv "$builds/SHA256SUMS" "$dist/SHA256SUMS"

took=$((SECONDS - started))
echo "quorvex: release $version of commit $commit (SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH," \
    "signed: $signed), made in $((took / 60)) min $((took % 60)) s, in $dist:"
(cd "$dist" && find . -maxdepth 1 -type f -printf '%10s  %P\n' | sort -k2)
echo "quorvex: check it with: (cd dist && sha256sum -c SHA256SUMS)"

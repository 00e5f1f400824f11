#!/usr/bin/env bash
# Continuous integration on Debian 13 (trixie), from this Debian 12 machine: the README's test
# command, ./scripts/run-tests.sh, on a fresh Debian 13 root (scripts/debian13.sh) with a clean
# copy of the tree; the Debian source package (debian/) built by dpkg-buildpackage on another, with
# only build-essential and its Build-Depends, and checked (scripts/ci-debian-package.sh); then that
# package installed with apt on a third, started headless and on an X server, and its autopkgtest
# run there. One `apt-get update` serves the first and the third. The build's files and log are
# kept in build-d13-deb/.
# Usage: ci-debian13.sh
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/lib/packages.sh"
started=$SECONDS

minutes() {
    printf '%d min %02d s' $(((SECONDS - $1) / 60)) $(((SECONDS - $1) % 60))
}

echo "== the Debian 13 root"
step=$SECONDS
"$root/scripts/debian13.sh" >/dev/null
echo "the root is ready ($(minutes "$step"))"

lists="$(mktemp -d)"
trap 'rm -rf "$lists"' EXIT

echo "== Debian 13: ./scripts/run-tests.sh"
step=$SECONDS
# axe-core and Lighthouse judge the page, the same as on Debian 12, where they have run already;
# the site's weight is the release's, built on Debian 12 (Debian 13's compiler makes a larger module).
QUORVEX_WEB_AUDITS=off "$root/scripts/debian13.sh" run --apt-lists "$lists" -- ./scripts/run-tests.sh
echo "the tests ran on Debian 13 ($(minutes "$step"))"

echo "== Debian 13: the source package built and checked"
step=$SECONDS
out="$root/build-d13-deb"
rm -rf "$out"
mkdir -p "$out"
# The tree's files as the upstream archive, as scripts/release.sh makes it of a commit.
# shellcheck disable=SC2016 # the script is the root's
if ! "$root/scripts/debian13.sh" run --build-deps --get "$out" -- bash -c '
    set -euo pipefail
    version="$(dpkg-parsechangelog -S Version)"
    tar -C /work --exclude=quorvex/debian -czf "/work/quorvex_${version%-*}.orig.tar.gz" quorvex
    nice dpkg-buildpackage -us -uc -J' >"$out/build.log" 2>&1; then
    tail -n 40 "$out/build.log"
    echo "FAIL: the source package does not build on Debian 13; the log is $out/build.log"
    exit 1
fi
bash "$root/scripts/ci-debian-package.sh" "$out" "$out/build.log"
deb="$(find "$out" -maxdepth 1 -name 'quorvex_*_amd64.deb' | head -n 1)"
echo "the source package built on Debian 13 ($(minutes "$step"))"

echo "== Debian 13: $(basename "$deb") installed with apt, started, and its autopkgtest"
step=$SECONDS
# Headless first, with only what the package depends on; then under an X server, on the platform
# a desktop uses. Either way the program must keep running until it is ended, or end with status 0.
# Then the package's autopkgtest (debian/tests/control), run in the same root (its null testbed).
# shellcheck disable=SC2016 # the script is the root's, with its own variables
"$root/scripts/debian13.sh" run --apt-lists "$lists" --put "$deb" -- bash -c '
    set -euo pipefail
    export DEBIAN_FRONTEND=noninteractive
    scratch="$(mktemp -d)"
    trap "rm -rf \"$scratch\"" EXIT
    # The lists of the tests run before, or new ones.
    compgen -G "/var/lib/apt/lists/*_Packages" >/dev/null || apt-get update -qq
    apt-get install -y -qq --no-install-recommends "/work/$(basename "$1")" >/dev/null
    echo "installed $(dpkg-query -W -f="\${Package} \${Version}" quorvex) with Qt" \
        "$(dpkg-query -W -f="\${Version}" libqt6widgets6)"
    if ldd /usr/bin/quorvex | grep "not found"; then
        exit 1
    fi
    started() {
        local status=0
        timeout 5 env "$@" quorvex >"$scratch/log" 2>&1 || status=$?
        if [ "$status" -ne 0 ] && [ "$status" -ne 124 ]; then
            echo "FAIL: quorvex ($*) exited with status $status:"
            cat "$scratch/log"
            exit 1
        fi
        echo "PASS: quorvex ran for 5 s ($*)"
    }
    started QT_QPA_PLATFORM=offscreen
    apt-get install -y -qq --no-install-recommends xvfb >/dev/null
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
    xvfb=$!
    for _ in $(seq 100); do
        [ -s "$scratch/display" ] && break
        sleep 0.05
    done
    started DISPLAY=":$(cat "$scratch/display")"
    kill "$xvfb"
    apt-get install -y -qq --no-install-recommends autopkgtest >/dev/null
    # The test needs what its Depends name, not their recommendations (a system bus, systemd).
    echo "APT::Install-Recommends \"false\";" >/etc/apt/apt.conf.d/90quorvex-test
    if ! autopkgtest --quiet --output-dir="$scratch/autopkgtest" "/work/$(basename "$1")" \
        /work/quorvex/ -- null >/dev/null 2>&1; then
        tail -n 60 "$scratch/autopkgtest/log"
        echo "FAIL: the autopkgtest of the installed package"
        exit 1
    fi
    cat "$scratch"/autopkgtest/*-stdout
    sed "s/^/autopkgtest: /" "$scratch/autopkgtest/summary"
' bash "$deb"
echo "the package ran on Debian 13 ($(minutes "$step"))"
echo "Debian 13 done in $(minutes "$started")"

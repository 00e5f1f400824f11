#!/usr/bin/env bash
# Continuous integration on Debian 13 (trixie), from this Debian 12 machine: the README's test
# command, ./scripts/run-tests.sh, on a fresh Debian 13 root (scripts/debian13.sh) with a clean
# copy of the tree; then the Debian package built on Debian 12 installed there with apt, on another
# fresh root, and started, headless and on an X server. One `apt-get update` serves both.
# Usage: ci-debian13.sh [PACKAGE.deb]   (without one, builds the package from the program alone
#        in build-d13-deb/)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/lib/packages.sh"
started=$SECONDS

minutes() {
    printf '%d min %02d s' $(((SECONDS - $1) / 60)) $(((SECONDS - $1) % 60))
}

if (($#)); then
    deb="$(realpath "$1")"
else
    echo "== the Debian package, built on $(. /etc/os-release && echo "$PRETTY_NAME")"
    install_missing dpkg-dev file
    QUORVEX_SETUP=app "$root/scripts/setup.sh" "$root/build-d13-deb" >/dev/null
    rm -f "$root"/build-d13-deb/quorvex_*.deb
    cpack --config "$root/build-d13-deb/CPackConfig.cmake" -G DEB -B "$root/build-d13-deb" >/dev/null
    deb="$(find "$root/build-d13-deb" -maxdepth 1 -name 'quorvex_*.deb' | head -n 1)"
fi
[ -f "$deb" ] || { echo "quorvex: no Debian package at ${deb:-build-d13-deb/}" >&2; exit 1; }

echo "== the Debian 13 root"
step=$SECONDS
"$root/scripts/debian13.sh" >/dev/null
echo "the root is ready ($(minutes "$step"))"

lists="$(mktemp -d)"
trap 'rm -rf "$lists"' EXIT

echo "== Debian 13: ./scripts/run-tests.sh"
step=$SECONDS
"$root/scripts/debian13.sh" run --apt-lists "$lists" -- ./scripts/run-tests.sh
echo "the tests ran on Debian 13 ($(minutes "$step"))"

echo "== Debian 13: $(basename "$deb") installed with apt and started"
step=$SECONDS
# Headless first, with only what the package depends on; then under an X server, on the platform
# a desktop uses. Either way the program must keep running until it is ended, or end with status 0.
# shellcheck disable=SC2016 # the script is the root's, with its own variables
"$root/scripts/debian13.sh" run --apt-lists "$lists" --put "$deb" -- bash -c '
    set -euo pipefail
    export DEBIAN_FRONTEND=noninteractive
    scratch="$(mktemp -d)"
    trap "rm -rf \"$scratch\"" EXIT
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
    for _ in $(seq 100); do
        [ -s "$scratch/display" ] && break
        sleep 0.05
    done
    started DISPLAY=":$(cat "$scratch/display")"
' bash "$deb"
echo "the package ran on Debian 13 ($(minutes "$step"))"
echo "Debian 13 done in $(minutes "$started")"

#!/usr/bin/env bash
# Installs the Debian packages Quorvex needs when any is missing (with sudo when not root), then
# configures and builds it: with QUORVEX_SETUP=app only the program, from the packages it needs;
# otherwise everything, the tests, tools and benchmarks included, with warnings as errors.
# Usage: setup.sh [BUILD_FOLDER [CMAKE_OPTION...]]   (default: build/, Release)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
shift || true

packages=(cmake make g++ qt6-base-dev qt6-qpa-plugins fonts-liberation fonts-dejavu-core)
options=(-DBUILD_TESTING=OFF -DQUORVEX_BUILD_TOOLS=OFF -DQUORVEX_BUILD_BENCHMARKS=OFF
    -DQUORVEX_WARNINGS_AS_ERRORS=OFF)
if [ "${QUORVEX_SETUP:-all}" != "app" ]; then
    packages+=(file dpkg-dev desktop-file-utils appstream lintian man-db
        binutils-mingw-w64-x86-64 gcc-mingw-w64-x86-64 python3-pefile
        xvfb x11-xserver-utils dbus-daemon at-spi2-core python3-pyatspi python3-xlib
        qt6-gtk-platformtheme orca speech-dispatcher openbox xdotool
        clang libclang-rt-14-dev ${QUORVEX_EXTRA_PACKAGES:-})
    options=(-DBUILD_TESTING=ON -DQUORVEX_BUILD_TOOLS=ON -DQUORVEX_BUILD_BENCHMARKS=ON
        -DQUORVEX_WARNINGS_AS_ERRORS=ON)
fi
missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if ((${#missing[@]})); then
    as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || {
            echo "quorvex: installing ${missing[*]} needs root, and sudo is not available" >&2
            exit 1
        }
        as_root=(sudo)
    fi
    echo "quorvex: installing ${missing[*]}"
    "${as_root[@]}" apt-get update -qq
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release "${options[@]}" "$@"
cmake --build "$build" --parallel "$(nproc)"

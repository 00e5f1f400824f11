#!/usr/bin/env bash
# Installs the Debian packages Quorvex needs when any is missing (with sudo when not root), then
# configures and builds it: with QUORVEX_SETUP=app only the program, from the packages it needs;
# otherwise everything, the tests, tools and benchmarks included, with warnings as errors.
# Usage: setup.sh [BUILD_FOLDER [CMAKE_OPTION...]]   (default: build/, Release)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/lib/packages.sh"
build="${1:-$root/build}"
shift || true

packages=(cmake make g++ qt6-base-dev qt6-qpa-plugins fonts-liberation fonts-dejavu-core)
options=(-DBUILD_TESTING=OFF -DQUORVEX_BUILD_TOOLS=OFF -DQUORVEX_BUILD_BENCHMARKS=OFF
    -DQUORVEX_WARNINGS_AS_ERRORS=OFF)
if [ "${QUORVEX_SETUP:-all}" != "app" ]; then
    packages+=(file dpkg-dev desktop-file-utils appstream lintian man-db
        xvfb x11-xserver-utils dbus-daemon at-spi2-core python3-pyatspi python3-xlib
        qt6-gtk-platformtheme orca speech-dispatcher openbox xdotool
        clang libclang-rt-dev ${QUORVEX_EXTRA_PACKAGES:-})
    options=(-DBUILD_TESTING=ON -DQUORVEX_BUILD_TOOLS=ON -DQUORVEX_BUILD_BENCHMARKS=ON
        -DQUORVEX_WARNINGS_AS_ERRORS=ON)
fi
install_missing "${packages[@]}"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release "${options[@]}" "$@"
cmake --build "$build" --parallel "$(nproc)"

#!/usr/bin/env bash
# Builds Quorvex for 64-bit Windows on Debian: installs the Debian packages it needs when any is
# missing, builds Qt for Windows once per machine (scripts/build-static-qt.sh), then cross-builds
# quorvex.exe, the Windows test programs, the portable zip and the setup program. What a Windows
# user gets lands in build-windows/dist/. QUORVEX_WINDOWS_QT names a static Qt for Windows of your
# own (a changed one, say) to build and link against instead.
# Usage: build-windows.sh [BUILD_FOLDER [CMAKE_OPTION...]]   (default: build-windows/;
#        QUORVEX_WINDOWS_QT: the Qt prefix)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/lib/packages.sh"
build="${1:-$root/build-windows}"
shift || true

install_missing cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 nsis \
    python3 qt6-base-dev qt6-base-dev-tools
qt="${QUORVEX_WINDOWS_QT:-$("$root/scripts/build-static-qt.sh" windows | tail -n 1)}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/packaging/windows/toolchain.cmake" \
    -DCMAKE_PREFIX_PATH="$qt" -DCMAKE_FIND_ROOT_PATH="$qt" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQUORVEX_BUILD_TOOLS=OFF -DQUORVEX_WARNINGS_AS_ERRORS=ON "$@"
cmake --build "$build" --parallel "$(nproc)"
echo "quorvex: the Windows files are in $build/dist:"
ls -l "$build/dist"

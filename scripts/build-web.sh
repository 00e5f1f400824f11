#!/usr/bin/env bash
# Builds Quorvex for the browser on Debian: installs the Debian packages it needs when any is
# missing (clang, lld, wasi-libc and libc++ for wasm32, Binaryen, fonttools, and Chromium, in which
# the page draws its menu into itself), then builds the WebAssembly module from the same numbers,
# core and screens as the desktop, and the static site around it. The site lands in BUILD_FOLDER/site/ (serve it with any static file server, e.g.
# `python3 -m http.server -d build-web/site`), its archive in BUILD_FOLDER/dist/.
# Usage: build-web.sh [BUILD_FOLDER [CMAKE_OPTION...]]   (default: build-web/)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/lib/packages.sh"
build="${1:-$root/build-web}"
shift || true

# The clang release whose wasm32 C++ library the Debian release carries.
case "$(. /etc/os-release && echo "$VERSION_CODENAME")" in
bookworm) clang=14 ;;
*) clang=19 ;;
esac
install_missing cmake ninja-build "clang-$clang" "lld-$clang" "llvm-$clang" wasi-libc "libc++-$clang-dev-wasm32" \
    "libc++abi-$clang-dev-wasm32" "libclang-rt-$clang-dev-wasm32" binaryen fonttools python3-brotli \
    fonts-liberation2 fonts-dejavu-core chromium chromium-driver python3-selenium

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEX_WEB=ON \
    -DCMAKE_TOOLCHAIN_FILE="$root/packaging/web/toolchain.cmake" \
    -DQUORVEX_CLANG_VERSION="$clang" -DQUORVEX_WARNINGS_AS_ERRORS=ON "$@"
cmake --build "$build" --parallel "$(nproc)"
echo "quorvex: the site is in $build/site ($(du -sb --exclude='LICENSE*' "$build/site" | cut -f1) bytes" \
    "with the licences left out), its archive in $build/dist:"
ls -l "$build/dist"

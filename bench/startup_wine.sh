#!/usr/bin/env bash
# Startup of the Windows build under Wine: quorvex.exe against the floor built the same way
# (quorvex_floor.exe: static Qt, MinGW, the same options), interleaved in one run by
# startup_probe on a private X server. Wine is not Windows, so only the ratio means anything.
# Wine's server is kept running between starts, as Windows' own services are, and Wine leaves the
# windows to the X server as it does on a desktop (the tests' prefix has Wine manage them).
# Usage: bench/startup_wine.sh [RUNS]   (default 21 runs after 3 warm-up rounds)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
runs="${1:-21}"
QUORVEX_EXTRA_PACKAGES="libx11-dev libxdamage-dev libxtst-dev" "$root/scripts/setup.sh" >/dev/null
"$root/scripts/build-windows.sh" >/dev/null

scratch="$(mktemp -d)"
export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
cp -a "$("$root/tests/windows/wine_prefix.sh")" "$WINEPREFIX"
wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1
wineserver -w

source "$root/scripts/lib/xvfb.sh"
start_xvfb 1920x1080 "$scratch"
wineserver -p
for program in quorvex quorvex_floor; do
    printf '#!/bin/sh\nexec wine %q\n' "$root/build-windows/$program.exe" >"$scratch/$program"
    chmod +x "$scratch/$program"
done
echo "machine: $(nproc) cores, $(grep -m1 "model name" /proc/cpuinfo | cut -d: -f2 | sed "s/^ //")"
"$root/build/startup_probe" start "$runs" 3 "$scratch/quorvex" "$scratch/quorvex_floor" \
    "Wine, bare X"

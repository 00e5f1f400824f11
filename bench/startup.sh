#!/usr/bin/env bash
# Startup benchmark: Quorvex against the floor (a bare Qt Widgets window), interleaved, on a
# private X server and D-Bus session. Prints median, minimum and maximum of the time to the
# menu window being mapped and to its first frame, the memory at that moment, and the ratios.
# Usage: bench/startup.sh [RUNS]   (default 21 runs after 3 warm-up rounds)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
runs="${1:-21}"
QUORVEX_EXTRA_PACKAGES="libx11-dev libxdamage-dev" "$root/scripts/setup.sh" >/dev/null

scratch="$(mktemp -d)"
cleanup() {
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    sleep 0.05
done
export DISPLAY=":$(cat "$scratch/display")"
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
dbus-run-session -- "$root/build/startup_probe" "$runs" 3 "$root/build/quorvex" \
    "$root/build/quorvex_floor"

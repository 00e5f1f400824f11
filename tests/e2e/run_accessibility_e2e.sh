#!/usr/bin/env bash
# Runs accessibility_e2e.py on a private X server and a private D-Bus session, so that the
# accessibility bus it starts is its own.
# Usage: run_accessibility_e2e.sh QUORVEX_EXECUTABLE
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
scratch="$(mktemp -d)"
cleanup() {
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

# Xvfb writes the number of the display it found free.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" >"$scratch/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    sleep 0.05
done
[ -s "$scratch/display" ] || { echo "FAIL: Xvfb did not start"; cat "$scratch/xvfb.log"; exit 1; }
export DISPLAY=":$(cat "$scratch/display")"
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS

dbus-run-session -- /usr/bin/python3 "$here/accessibility_e2e.py" "$1"

#!/usr/bin/env bash
# Runs accessibility_e2e.py on a private X server and a private D-Bus session, so that the
# accessibility bus it starts is its own: once on a bare X server at 96 DPI, and once as on a GNOME
# desktop (XDG_CURRENT_DESKTOP=GNOME, with Qt's GTK 3 platform theme installed) at 192 DPI, set as
# a desktop sets it, with Xft.dpi in the X server's resources.
# Usage: run_accessibility_e2e.sh QUORVEX_EXECUTABLE
set -euo pipefail

# Without its tools the test says what is missing and is skipped (CTest's status 77).
missing=()
for tool in Xvfb xrdb dbus-run-session /usr/bin/python3; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
/usr/bin/python3 -c 'import pyatspi, Xlib' 2>/dev/null || missing+=("python3-pyatspi python3-xlib")
if ((${#missing[@]})); then
    echo "SKIP: the accessibility test needs ${missing[*]} (scripts/setup.sh installs them)"
    exit 77
fi

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
scratch="$(mktemp -d)"
cleanup() {
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

# Each row: what it is | the desktop's environment | Xft.dpi | scale. The first row is the
# reference the others' text sizes are compared with.
settings=(
    "bare X server, 96 DPI|||1"
    "GNOME-like session, Xft.dpi 192|XDG_CURRENT_DESKTOP=GNOME|192|2"
)
for row in "${settings[@]}"; do
    IFS='|' read -r name desktop dpi scale <<<"$row"
    echo "== $name"
    # Xvfb writes the number of the display it found free. Without -noreset the server would
    # drop the resources as soon as xrdb disconnects.
    rm -f "$scratch/display"
    Xvfb -displayfd 3 -noreset -screen 0 1920x1200x24 -nolisten tcp 3>"$scratch/display" \
        >"$scratch/xvfb.log" 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do
        [ -s "$scratch/display" ] && break
        sleep 0.05
    done
    [ -s "$scratch/display" ] || { echo "FAIL: Xvfb did not start"; cat "$scratch/xvfb.log"; exit 1; }
    export DISPLAY=":$(cat "$scratch/display")"
    [ -z "$dpi" ] || echo "Xft.dpi: $dpi" | xrdb -merge
    export XDG_RUNTIME_DIR="$scratch/runtime-$scale"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    # Private settings too: the accessibility status the test sets is stored as a desktop setting.
    export XDG_CONFIG_HOME="$scratch/config-$scale"
    unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS XDG_CURRENT_DESKTOP QT_QPA_PLATFORMTHEME
    read -r -a environment <<<"$desktop"
    env "${environment[@]}" dbus-run-session -- /usr/bin/python3 "$here/accessibility_e2e.py" \
        "$1" "$scale" "$scratch/title-width"
    kill "$xvfb"
    wait "$xvfb" 2>/dev/null || true
    xvfb=""
done

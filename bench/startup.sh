#!/usr/bin/env bash
# Startup benchmark: Quorvex against the floor (a bare Qt Widgets window), interleaved in one run,
# on a private X server and D-Bus session, in two settings: a bare X server, and a GNOME-like
# session (XDG_CURRENT_DESKTOP=GNOME with Debian's GTK 3 platform theme installed, as apt's
# defaults bring it). Prints the first frame, the mapping and the memory at the first frame, with
# Quorvex's medians over the floor's in each setting, without and with the accessibility bus
# running; then the time from a click on the menu's three-phase "Real Power" button to the
# calculator's first frame.
# Usage: bench/startup.sh [RUNS]   (default 21 runs after 3 warm-up rounds)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
runs="${1:-21}"
QUORVEX_EXTRA_PACKAGES="libx11-dev libxdamage-dev libxtst-dev qt6-gtk-platformtheme" \
    "$root/scripts/setup.sh" >/dev/null

scratch="$(mktemp -d)"
cleanup() {
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
source "$root/scripts/lib/xvfb.sh"
start_xvfb 1920x1080 "$scratch"
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME XDG_CURRENT_DESKTOP

echo "machine: $(nproc) cores, $(grep -m1 "model name" /proc/cpuinfo | cut -d: -f2 | sed "s/^ //")"
probe="$root/build/startup_probe"
# The session bus reports each service it starts; only the probe's own words are of interest.
quiet() { "$@" 2> >(grep -v '^dbus-daemon\|^SpiRegistry' >&2); }
# One interleaved comparison in each setting, inside the session bus; `with_a11y_bus` starts the
# accessibility bus first.
compare() {
    quiet dbus-run-session -- "$@" "$probe" start "$runs" 3 "$root/build/quorvex" \
        "$root/build/quorvex_floor" "bare X" "GNOME-like:XDG_CURRENT_DESKTOP=GNOME"
    echo
}
with_a11y_bus() {
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress >/dev/null && exec "$@"
}
export -f with_a11y_bus
compare
# Again with the accessibility bus running, as a GNOME session always has it. Quorvex then
# connects its accessibility bridge at start-up, so that a screen reader started later finds it;
# the floor, like any Qt program, connects only when a screen reader is already on.
echo "with the accessibility bus running:"
compare bash -c 'with_a11y_bus "$@"' bench
# The three-phase "Real Power" button: 81 x 33 pixels at (24, 120) in the menu, at 96 DPI.
quiet dbus-run-session -- "$probe" click "$(( runs > 15 ? runs : 15 ))" "$root/build/quorvex" 64 136

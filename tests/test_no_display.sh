#!/usr/bin/env bash
# When no display can be had, whether none is named or the one named is not there, the program
# says so in one line about the display and exits with status 1, at once (not Qt's lines and an
# abort).
# Usage: test_no_display.sh QUORVEX_EXECUTABLE
set -uo pipefail
runtime="$(mktemp -d)"
trap 'rm -rf "$runtime"' EXIT
chmod 700 "$runtime"

# Each row: what it is, then the display variables it sets.
cases=(
    "no display named|"
    "an X display with no server|DISPLAY=:987"
    "a Wayland display with no compositor|WAYLAND_DISPLAY=nosuch"
    "a Wayland display with no compositor, in a Wayland session|WAYLAND_DISPLAY=nosuch XDG_SESSION_TYPE=wayland"
)
failures=0
for row in "${cases[@]}"; do
    name="${row%%|*}"
    read -r -a variables <<<"${row#*|}"
    output="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE \
        XDG_RUNTIME_DIR="$runtime" "${variables[@]}" timeout 10 "$1" 2>&1 >/dev/null)"
    status=$?
    lines="$(printf '%s\n' "$output" | grep -c .)"
    if [ "$status" -eq 1 ] && [ "$lines" -eq 1 ] && grep -qi 'display' <<<"$output"; then
        echo "PASS: $name: $output"
    else
        echo "FAIL: $name: expected status 1 and one line about the display;" \
            "got status $status and $lines line(s):"
        printf '%s\n' "$output"
        failures=$((failures + 1))
    fi
done
[ "$failures" -eq 0 ]

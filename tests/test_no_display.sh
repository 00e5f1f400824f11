#!/usr/bin/env bash
# Without any display the program says so in one line and exits with status 1, at once.
# Usage: test_no_display.sh QUORVEX_EXECUTABLE
set -uo pipefail
output="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 10 "$1" 2>&1 >/dev/null)"
status=$?
lines="$(printf '%s\n' "$output" | grep -c .)"
echo "status $status, $lines line(s): $output"
if [ "$status" -eq 1 ] && [ "$lines" -eq 1 ] && grep -qi 'display' <<<"$output"; then
    echo "PASS"
else
    echo "FAIL: expected status 1 and one line about the display"
    exit 1
fi

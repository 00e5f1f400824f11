#!/usr/bin/env bash
# Continuous integration of what a screen reader reads of the Windows build: the UI Automation
# test (tests/windows/uia_e2e.py) needs Wine 10 or later, which Debian 12 does not have, so it runs
# on a fresh Debian 13 root (scripts/debian13.sh) with Wine from Debian's archive, beside the
# quorvex.exe built here and the test's two Windows programs.
# Usage: ci-windows-uia.sh [BUILD_FOLDER]   (default: build-windows/, scripts/build-windows.sh's)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build-windows}"
started=$SECONDS

programs=("$build/quorvex.exe" "$build/tests/window_probe.exe" "$build/tests/uia_probe.exe")
puts=()
for program in "${programs[@]}"; do
    if [ ! -f "$program" ]; then
        echo "quorvex: no $program (scripts/build-windows.sh builds it)" >&2
        exit 1
    fi
    puts+=(--put "$program")
done

echo "== Debian 13: quorvex.exe read through UI Automation under Wine"
"$root/scripts/debian13.sh" >/dev/null
# shellcheck disable=SC2016 # the script is the root's
"$root/scripts/debian13.sh" run "${puts[@]}" -- bash -c '
    set -euo pipefail
    source scripts/lib/packages.sh
    install_missing wine wine64 fonts-wine fonts-liberation fonts-dejavu-core xvfb xdotool \
        python3 >/tmp/install.log 2>&1 || { cat /tmp/install.log; exit 1; }
    echo "with $(wine --version 2>/dev/null)"
    python3 tests/windows/uia_e2e.py /work/quorvex.exe /work/window_probe.exe /work/uia_probe.exe
'
elapsed=$((SECONDS - started))
printf 'read through UI Automation on Debian 13 (%d min %02d s)\n' $((elapsed / 60)) $((elapsed % 60))

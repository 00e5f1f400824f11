#!/usr/bin/env bash
# Runs a Windows program of the build under Wine: CTest's emulator for the cross-built tests. It
# uses the project's Wine prefix (wine_prefix.sh), one program at a time, on a private X server of
# its own (3840 x 2400, room for a screen at twice the scale), so that Qt's own Windows platform
# draws with the system's fonts as on Windows. It passes the QT_ and QUORVEX_ variables CTest sets
# on inside Wine (Wine leaves out those starting with QT_), and has a Qt Test program write its
# report to a file, which it then prints (under Wine, Qt Test writes nothing to a pipe).
# Usage: run_under_wine.sh PROGRAM.exe [ARGUMENT...]
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
program="$1"
shift
export WINEPREFIX="${WINEPREFIX:-$("$here/wine_prefix.sh")}" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
exec 9>"$WINEPREFIX.run.lock"
flock 9

scratch="$(mktemp -d)"
cleanup() {
    # Wine's desktop process belongs to this X server: it ends with it, before the next program.
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
source "$here/../../scripts/lib/xvfb.sh"
start_xvfb 3840x2400 "$scratch"
arguments=("$@")
if [[ "$(basename "$program")" == test_* || "$(basename "$program")" == bench_* ]]; then
    arguments+=(-o "$(winepath -w "$scratch/report.txt" 2>/dev/null),txt")
fi
# A batch file carries the variables and the command line to cmd as they are: Wine would quote
# them for a program's argument rules, which are not cmd's.
{
    echo "@echo off"
    while IFS= read -r variable; do
        echo "set \"$variable\""
    done < <(env | grep -E '^(QT|QUORVEX)_[A-Za-z0-9_]*=')
    command="\"$(winepath -w "$program" 2>/dev/null)\""
    for argument in "${arguments[@]}"; do
        command+=" \"$argument\""
    done
    echo "$command"
    echo "exit /b %ERRORLEVEL%"
} >"$scratch/run.bat"
wine cmd /c "$(winepath -w "$scratch/run.bat" 2>/dev/null)"
status=$?
wineserver -w
[ -e "$scratch/report.txt" ] && cat "$scratch/report.txt"
exit "$status"

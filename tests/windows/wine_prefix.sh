#!/usr/bin/env bash
# Makes the Wine prefix the Windows tests run in, once per machine, in the cache outside the
# source tree (keyed by Wine's version and this script), and prints its folder. Wine has none of
# the faces Windows has beyond "MS Sans Serif": the prefix has Wine stand the Liberation and DejaVu
# faces in for them, as Windows would have them. Wine's offer to download Mono and Gecko is turned
# down: the tests need neither, and there is no network to fetch them from.
# Usage: wine_prefix.sh   (QUORVEX_CACHE: the cache folder, default ~/.cache/quorvex)
set -euo pipefail
cache="${QUORVEX_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quorvex}"
key="$({
    wine --version 2>/dev/null
    cat "${BASH_SOURCE[0]}"
} | sha256sum | cut -c1-12)"
prefix="$cache/wine-$key"
mkdir -p "$cache"
# One maker at a time: tests running side by side wait for the first.
exec 9>"$cache/wine-$key.lock"
flock 9
if [ ! -e "$prefix/.complete" ]; then
    # A prefix of another Wine or another version of this script is of no further use.
    rm -rf "$prefix" "$cache"/wine-*/
    # Nor does Wine make desktop entries on this machine for what the tests install.
    export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    echo "quorvex: making the Wine prefix $prefix" >&2
    wine wineboot --init >/dev/null 2>&1
    replacements='HKCU\Software\Wine\Fonts\Replacements'
    # "Microsoft Sans Serif" is where Quorvex draws "MS Sans Serif", and Arial is among the faces
    # Qt falls back on.
    for pair in "Microsoft Sans Serif=Liberation Sans" "Arial=Liberation Sans" \
        "Times New Roman=Liberation Serif" "Verdana=DejaVu Sans"; do
        wine reg add "$replacements" /v "${pair%%=*}" /d "${pair#*=}" /f >/dev/null 2>&1
    done
    # Wine itself manages the windows, as Windows does, instead of waiting (a second at every
    # window hidden) for an X window manager that the tests' X servers do not run.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$prefix/.complete"
fi
echo "$prefix"

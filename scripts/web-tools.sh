#!/usr/bin/env bash
# Installs the web's own audit tools for the browser version (tools/web-audit/package.json:
# axe-core and Lighthouse, pinned by its lockfile) with `npm ci`, once per lockfile, into a cache folder outside
# the tree keyed by the lockfile's hash; installs Debian's nodejs and npm first where node is
# missing. Prints the folder that holds node_modules/.
# QUORVEX_CACHE: the cache folder (default ~/.cache/quorvex).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/lib/packages.sh"
cache="${QUORVEX_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quorvex}"
lockfile="$root/tools/web-audit/package-lock.json"

if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    install_missing nodejs npm >&2
fi
key="$(cat "$root/tools/web-audit/package.json" "$lockfile" | sha256sum | cut -c1-16)"
tools="$cache/web-tools-$key"
mkdir -p "$cache"
# One install at a time; a run that finds the folder made installs nothing.
exec {lock}>"$cache/web-tools.lock"
flock "$lock"
if [ ! -d "$tools/node_modules" ]; then
    rm -rf "$tools.part"
    mkdir -p "$tools.part"
    cp "$root/tools/web-audit/package.json" "$lockfile" "$tools.part/"
    (cd "$tools.part" && npm ci --no-audit --no-fund --ignore-scripts --loglevel=error >&2)
    mv "$tools.part" "$tools"
fi
echo "$tools"

#!/usr/bin/env bash
# Sets up and builds the program alone (no tests, tools or benchmarks) in build-app/, then starts
# it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
QUORVEX_SETUP=app "$root/scripts/setup.sh" "$root/build-app"
exec "$root/build-app/quorvex" "$@"

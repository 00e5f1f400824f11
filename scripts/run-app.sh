#!/usr/bin/env bash
# Sets up and builds Quorvex, then starts it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
exec "$root/build/quorvex"

#!/usr/bin/env bash
# The Debian 13 (trixie) root: scripts/debian-root.sh for trixie, whose usage it takes after the
# suite: debian13.sh [run [OPTION]... [--] COMMAND [ARGUMENT...]].
exec "$(dirname "${BASH_SOURCE[0]}")/debian-root.sh" trixie "$@"

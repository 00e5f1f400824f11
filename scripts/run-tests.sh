#!/usr/bin/env bash
# Sets up and builds Quorvex, then runs every test headless.
# With --sanitize, builds in build-sanitize/ with AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer and runs every test there.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ "${1:-}" = "--sanitize" ]; then
    "$root/scripts/setup.sh" "$root/build-sanitize" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DQUORVEX_SANITIZE=ON
    build="$root/build-sanitize"
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp"
else
    "$root/scripts/setup.sh"
    build="$root/build"
fi
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure

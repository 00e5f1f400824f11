#!/usr/bin/env bash
# Sets up and builds Quorvex, the desktop program and the browser version, installs the web's
# audit tools (scripts/web-tools.sh), then runs every test headless.
# With --sanitize, builds in build-sanitize/ with AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer and runs every test there.
# With --windows, builds the Windows files in build-windows/ (scripts/build-windows.sh) and runs
# the Windows tests under Wine, on a private X server where a test needs one.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
case "${1:-}" in
--sanitize)
    "$root/scripts/setup.sh" "$root/build-sanitize" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DQUORVEX_SANITIZE=ON
    build="$root/build-sanitize"
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp"
    ;;
--windows)
    source "$root/scripts/lib/packages.sh"
    install_missing wine wine64 fonts-wine fonts-liberation fonts-dejavu-core xvfb xdotool \
        xclip python3 python3-pefile unzip
    "$root/scripts/build-windows.sh"
    build="$root/build-windows"
    ;;
*)
    # The browser version too, tested in headless Chromium, audited by axe-core and Lighthouse,
    # and heard through Orca in Chromium and Firefox ESR.
    "$root/scripts/build-web.sh" "$root/build-web"
    # The audits judge the page, which is the same on every Debian release, and its weight is the
    # release's, built on Debian 12: QUORVEX_WEB_AUDITS=off leaves them out and only weighs the
    # site (CI runs them once, on the machine's own release).
    web_tools=""
    if [ "${QUORVEX_WEB_AUDITS:-on}" != off ]; then
        web_tools="$("$root/scripts/web-tools.sh")"
    fi
    QUORVEX_EXTRA_PACKAGES="chromium chromium-driver python3-selenium firefox-esr" \
        "$root/scripts/setup.sh" "$root/build" -DQUORVEX_WEB_SITE="$root/build-web/site" \
        -DQUORVEX_WEB_TOOLS="$web_tools"
    build="$root/build"
    ;;
esac
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure

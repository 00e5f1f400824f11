#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each for SECONDS (default 60),
# starting from the committed seed corpus; new inputs go to a scratch folder.
# Usage: run-fuzzers.sh [SECONDS]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
build="$root/build-fuzz"
"$root/scripts/setup.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DQUORVEX_FUZZ=ON -DQUORVEX_WARNINGS_AS_ERRORS=OFF
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp"
export QT_QPA_PLATFORM=offscreen
failures=0
for target in val round_text solve; do
    corpus="$root/fuzz/corpus/${target%_text}"
    mkdir -p "$scratch/$target"
    echo "== fuzz_$target for $seconds s"
    if (cd "$scratch" && "$build/fuzz/fuzz_$target" -max_total_time="$seconds" \
        -print_final_stats=1 "$scratch/$target" "$corpus" 2>"$scratch/$target.log"); then
        grep -E 'number_of_executed_units' "$scratch/$target.log" | sed 's/^/   /'
        echo "PASS: fuzz_$target"
    else
        tail -n 40 "$scratch/$target.log"
        for crash in "$scratch"/crash-* "$scratch"/leak-* "$scratch"/timeout-*; do
            [ -e "$crash" ] && { echo "input:"; xxd "$crash" | head -n 20; }
        done
        echo "FAIL: fuzz_$target"
        failures=$((failures + 1))
    fi
done
echo "$((3 - failures)) passed, $failures failed"
((failures == 0))

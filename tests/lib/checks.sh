# Shared by the shell tests: `check WHAT COMMAND...` runs the command, prints PASS or FAIL with
# what it printed, and counts the failures in `failures`; `end_checks` exits 1 if any failed.
# The sourcing script sets `scratch`, a folder of its own.
failures=0

check() {
    local what="$1"
    shift
    if "$@" >"$scratch/output" 2>&1; then
        echo "PASS: $what"
    else
        echo "FAIL: $what"
        sed 's/^/    /' "$scratch/output"
        failures=$((failures + 1))
    fi
}

end_checks() {
    if ((failures)); then
        echo "$failures check(s) failed"
        exit 1
    fi
}

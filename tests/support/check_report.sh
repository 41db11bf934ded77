# shellcheck shell=bash
# SPDX-License-Identifier: MIT
# Sourced by the check scripts: a check collects its failures with fail, so
# that a run reports every problem, and ends with finish.
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
finish() {
    if [ "$failures" -gt 0 ]; then
        echo "$failures check(s) failed" >&2
        exit 1
    fi
    echo "all checks passed"
    exit 0
}

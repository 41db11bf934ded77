#!/bin/bash
# hardening.sh BINARY FORTIFY: the binary is a position-independent
# executable with full RELRO (read-only relocations, bound at start-up) and
# the stack protector; with FORTIFY=1 it also calls glibc's checked
# functions, which _FORTIFY_SOURCE substitutes for unchecked ones.
set -uo pipefail
. "$(dirname "$0")/common.sh"
bin=$1 fortify=$2
header=$(readelf -hW "$bin") || { fail "readelf cannot read $bin"; finish; }
dynamic=$(readelf -dW "$bin")
segments=$(readelf -lW "$bin")
symbols=$(readelf --dyn-syms -W "$bin")

grep -Eq 'Type:[[:space:]]+DYN' <<<"$header" || fail "ELF type is not DYN: not position-independent"
grep -Eq '\(FLAGS_1\).*\bPIE\b' <<<"$dynamic" || fail "no DF_1_PIE flag: a shared object, not a PIE"
grep -Eq '\(BIND_NOW\)|\(FLAGS\).*\bBIND_NOW\b|\(FLAGS_1\).*\bNOW\b' <<<"$dynamic" ||
    fail "no BIND_NOW: only partial RELRO"
grep -q 'GNU_RELRO' <<<"$segments" || fail "no GNU_RELRO segment"
grep -Eq '\b__stack_chk_fail\b' <<<"$symbols" || fail "no __stack_chk_fail: no stack protector"
if [ "$fortify" = 1 ]; then
    grep -Eq '\b__[a-z_]+_chk\b' <<<"$(grep -v __stack_chk_fail <<<"$symbols")" ||
        fail "no __*_chk function: _FORTIFY_SOURCE is not in effect"
fi
finish

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# reckonwise-eval --bases and --group end to end: the four base lines of each result, the
# unsigned and signed readings under every value range at its edges, and the lines without
# bits (no value, not an integer) with their reasons and --strict.
# Usage: eval_bases_test.sh PATH-TO-reckonwise-eval
set -u
export LC_ALL=C
bin="$1"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
failed=0

. "$(dirname "$0")/eval_check.sh"

# lines D H O B [U S]: the block of one result.
lines() {
    printf 'decimal      %s\nhexadecimal  %s\noctal        %s\nbinary       %s\n' "$1" "$2" "$3" "$4"
    [[ $# -gt 4 ]] && printf 'unsigned     %s\nsigned       %s\n' "$5" "$6"
}
empty4=$'decimal\nhexadecimal\noctal\nbinary\n'
empty6=$'decimal\nhexadecimal\noctal\nbinary\nunsigned\nsigned\n'

check zero       '' 0 "$(lines 0 0x0 0o0 0b0)"$'\n' '' --bases 0
check unlimited  '' 0 "$(lines 255 0xFF 0o377 0b11111111; lines -255 -0xFF -0o377 -0b11111111)"$'\n' '' --bases 255 -255
check two-to-64  '' 0 "$(lines 18446744073709551616 0x10000000000000000 0o2000000000000000000000 0b1$(printf '0%.0s' $(seq 64)))"$'\n' '' --bases '2^64'
check grouped    '' 0 "$(lines '18 446 744 073 709 551 615' '0xFFFF FFFF FFFF FFFF' '0o1 777 777 777 777 777 777 777' "0b$(printf '1111 %.0s' $(seq 15))1111")"$'\n' '' --bases --group '2^64-1'
# Every range at its limits and one past them: the radix lines hold the range's bits.
check uint8      '' 0 "$(lines 255 0xFF 0o377 0b11111111 255 -1; lines 0 0x0 0o0 0b0 0 0)"$'\n' '' --bases --range u8 255 256
check int8       '' 0 "$(lines -128 0x80 0o200 0b10000000 128 -128; lines -1 0xFF 0o377 0b11111111 255 -1)"$'\n' '' --bases --range i8 128 -1
check uint16     '' 0 "$(lines 65535 0xFFFF 0o177777 0b1111111111111111 65535 -1)"$'\n' '' --bases --range u16 -1
check int16      '' 0 "$(lines 32767 0x7FFF 0o77777 0b111111111111111 32767 32767)"$'\n' '' --bases --range i16 -32769
check uint32     '' 0 "$(lines 0 0x0 0o0 0b0 0 0)"$'\n' '' --bases --range u32 '2^32'
check int32      '' 0 "$(lines -2147483648 0x80000000 0o20000000000 0b1$(printf '0%.0s' $(seq 31)) 2147483648 -2147483648)"$'\n' '' --bases --range i32 '2^31'
check uint64     '' 0 "$(lines '18 446 744 073 709 551 615' '0xFFFF FFFF FFFF FFFF' '0o1 777 777 777 777 777 777 777' "0b$(printf '1111 %.0s' $(seq 15))1111" '18 446 744 073 709 551 615' '-1')"$'\n' '' --bases --group --range u64 -1
check int64      '' 0 "$(lines -9223372036854775808 0x8000000000000000 0o1000000000000000000000 0b1$(printf '0%.0s' $(seq 63)) 9223372036854775808 -9223372036854775808)"$'\n' '' --bases --range i64 '2^63'
# Lines without bits keep their names, so that every result has as many lines; the reason
# goes to standard error and counts for --strict.
check float      '' 0 "$empty4"                 'reckonwise-eval: 7/2: not an integer' --bases 7/2
check novalue    $'1/0\n5\n' 1 "$empty6$(lines 5 0x5 0o5 0b101 5 5)"$'\n' 'reckonwise-eval: line 1: division by zero' --bases --strict --range u8
check quiet      '' 0 "$empty4"                 ''  --bases -q '2*('
check kind       '' 0 $'float\tdecimal\nfloat\thexadecimal\nfloat\toctal\nfloat\tbinary\ninteger\tdecimal      1\ninteger\thexadecimal  0x1\ninteger\toctal        0o1\ninteger\tbinary       0b1\n' 'reckonwise-eval: 1/2: not an integer' --bases --kind 1/2 1
check comment    $'# two\n2\n' 0 $'\n'"$(lines 2 0x2 0o2 0b10)"$'\n' '' --bases
check group-alone '' 2 '' "*'--group' needs '--bases'*" --group 1
check bases-convert '' 2 '' "*'--bases' goes with expressions*" --bases --convert length m m 1

if [[ $failed == 0 ]]; then echo "all passed"; fi
exit $failed

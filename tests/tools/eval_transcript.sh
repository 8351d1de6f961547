#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What reckonwise-eval prints for a fixed set of inputs, as a transcript that must be the same
# on every platform: integers in every format, the value ranges, the converter, long
# big-integer results (their digit counts and checksums) and floats. The transcript is
# written to TRANSCRIPT and compared with the native build's, kept beside this script.
# Where long double is not x87's 80-bit format computed by glibc (DIGITS is 15), the Full
# texts of floats are compared to their first 15 significant digits; every other line must
# match exactly.
# Usage: eval_transcript.sh PATH-TO-reckonwise-eval TRANSCRIPT [exact|15]
set -u
bin="$1" out="$2" digits="${3:-exact}"
reference="$(dirname "$0")/eval_transcript.txt"
export LC_ALL=C

# section TITLE OPTIONS... -- EXPRESSION...: one run of the program for the whole section
# (an emulator starts slowly), each expression beside its result.
section() {
    local title="$1"
    shift
    local options=()
    while [[ $1 != -- ]]; do
        options+=("$1")
        shift
    done
    shift
    echo "## $title"
    paste <(printf '%s\n' "$@") <(printf '%s\n' "$@" | "$bin" --decimal-point . --kind -q "${options[@]}")
}

integers=(0 1 -1 255 -256 65535 2^31-1 -2^31 2^63 -2^63-1 2^64 2^64+1 10^30+1 '-(2^100)' 3^40
    0x7fffffffffffffff 0b1011 0o777 '1+#ff' 100/4 17%5 -17%5 7! 25! '~5' '5&3|8' '1<<70' '2^128>>3'
    '6 xor 3' '2 not_eq 3' '10^20==10^20' '2^64 bitand 2^64-1' 'abs(-2^70)' '1/0')
transcript() {
    for format in normal full scientific engineer hexadecimal octal binary; do
        section "integers, --format $format" --format "$format" -- "${integers[@]}"
    done
    for range in uint8 int8 uint16 int16 uint32 int32 uint64 int64; do
        section "--range $range" --range "$range" -- 255+1 127+1 -1 -129 300*300 2^63 2^64-1 \
            '~0' '1<<40' 0xdeadbeefcafe 65535*65537 '-2^31' 7/2
    done
    echo "## converter"
    for conversion in 'length km m 1' 'area km2 m2 1' 'mass kg g 1' 'time min s 90' \
        'temperature celsius fahrenheit 100' 'volume cm3 L 1' 'length foot meter 5' \
        'energy kWh J 1' 'length mi m 2' 'currency usd EUR 1'; do
        # shellcheck disable=SC2086 # the words are the arguments
        printf '%s\t%s\n' "$conversion" "$("$bin" --decimal-point . --convert $conversion 2>&1)"
    done
    echo "## long integers: digits and checksum"
    for expression in 2^100000 3^50000 7^33333-1 1000! 3000! '(10^5000+7)*(10^4000+9)' \
        '(2^30000-1)/(2^1000+1)' '(3^20000)%(10^100+37)' 7^300000 \
        '(2^500000+1)*(3^300000+1)' '(10^200000-1)/9'; do
        for format in full hexadecimal; do
            local text
            text="$("$bin" --format "$format" "$expression")"
            printf '%s\t%s\t%s\t%s\n' "$expression" "$format" "${#text}" \
                "$(printf '%s' "$text" | cksum | cut -d' ' -f1)"
        done
    done
    section "floats, --format normal" -- 7/2 1/3 'sqrt 2' pi 'sin 30' 'ln 2' 2^0.5 1e300/7 \
        '1/7e20' 'atan 1' 'cos 60' 0.1+0.2 2^-10 '-5/8'
    section "floats, --format full" --format full -- 1/3 'sqrt 2' 'ln 2' 2^0.1 1e300/7 \
        '1/7e20' 'asin 0.5' 'exp 0.5' 0.1+0.2 '-5/8' 'log10 3'
}

transcript >"$out"

# The Full texts of floats rounded to 15 significant digits (as a double holds them: the
# transcript's floats are all within its range). In the float sections a result may be an
# integer in one format and a float in another: x87's atan 1 is 45.0000000000000018, a
# double's is 45 exactly, which becomes the integer 45; the text is compared all the same.
cut15() {
    awk -F'\t' -v OFS='\t' '
        /^## / { floats = ($0 ~ /^## floats, --format full/); anyFloats = ($0 ~ /^## floats/) }
        anyFloats && $2 == "integer" { $2 = "float" }
        floats && $2 == "float" { $3 = sprintf("%.14e", $3) }
        { print }'
}

if [[ $digits == exact ]]; then
    diff -u "$reference" "$out" && echo "the transcript is the same as the native build's"
else
    diff -u <(cut15 <"$reference") <(cut15 <"$out") &&
        echo "the transcript is the same as the native build's (float Full texts to 15 digits)"
fi

#!/usr/bin/env bash
# End-to-end runs of reckonwise-eval: arguments, standard input, options, usage errors and
# arithmetic failures. Usage: eval_cli_test.sh PATH-TO-reckonwise-eval
set -u
bin="$1"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
failed=0

# check NAME STDIN STATUS STDOUT STDERR-GLOB ARGS...
# STDOUT must match exactly (trailing line ends included); STDERR-GLOB is a shell pattern
# (empty: standard error must be empty).
check() {
    local name="$1" input="$2" status="$3" out="$4" err="$5"
    shift 5
    printf '%s' "$input" | "$bin" "$@" >"$tmp/out" 2>"$tmp/err"
    local gotStatus=$? gotOut gotErr
    gotOut="$(cat "$tmp/out"; echo .)"
    gotOut="${gotOut%.}"
    gotErr="$(cat "$tmp/err")"
    # shellcheck disable=SC2053 # err is a pattern on purpose
    if [[ $gotStatus != "$status" || $gotOut != "$out" || $gotErr != $err ]]; then
        printf 'FAIL %s\n  status %s (want %s)\n  stdout %q (want %q)\n  stderr %q (want %q)\n' \
            "$name" "$gotStatus" "$status" "$gotOut" "$out" "$gotErr" "$err"
        failed=1
    fi
}

#     name            stdin                       status stdout               stderr pattern   arguments
check one-argument    ''                          0 $'14\n'                   ''               '2+3*4'
check arguments       ''                          0 $'2\n3,5\n30\n'           ''               '1+1' '7/2' ' 1 0 * 3 '
check stdin           $'1+2\n\n2*(\n7/2\r\n4*4'   0 $'3\n\n\n3,5\n16\n'       ''
check normal          ''                          0 $'1,18059162e21\n'       ''               '2^70'
check full            ''                          0 $'1180591620717411303424\n' '' --format full '2^70'
check hexadecimal     ''                          0 $'0xFF\n0xFF\n'           ''               --format=hexadecimal '0xff' 255
check radians         ''                          0 $'-1\n'                   ''               --angle radians 'cos(pi)'
check degrees         ''                          0 $'0,9984971499\n1\n'      ''               'cos(pi)' 'sin(90)'
check uint8           ''                          0 $'0\n44\n'                ''               --range uint8 '255+1' 300
check int8            ''                          0 $'-128\n'                 ''               --range=int8 '127+1'
check kind            ''                          0 $'integer\t2\nfloat\t3,5\nnovalue\t\n' '' --kind '1+1' '7/2' '2*('
check end-of-options  ''                          0 $'novalue\t\n'            ''               --kind -- --kind
check failure         $'2^20000*0,5\r\n1+1\n'     0 $'\n2\n'                  'reckonwise-eval: 2^20000\*0,5: ?*'
check unknown-option  ''                          2 ''                        '*--frobnicate*' --frobnicate 1
check missing-value   ''                          2 ''                        '*--format*'     --format
check bad-format      ''                          2 ''                        '*purple*'       --format purple 1
check bad-range       ''                          2 ''                        '*int7*'         --range=int7 1
# The cache's ceiling changes what is kept, never a result: with nothing kept between lines,
# the lines after a text's prefixes give what the text gives alone.
check cache-limit-0   $'1+2+3\n1+2+3+4\n(2^70)+1\n(2^70)+1>0\n' 0 $'6\n10\n1180591620717411303425\n1\n' '' --format full --cache-limit 0
check cache-limit-K   ''                          0 $'3\n'                   ''               --cache-limit=64K '1+2'
check bad-cache-limit ''                          2 ''                        '*12Q*'          --cache-limit 12Q 1
check convert         ''                          0 $'5 ft = 1,524 m\n'      ''               --convert Length 'foot [ft]' 'meter [m]' 5
check convert-prefix  ''                          0 $'1 km\u00b2 = 1000000 m\u00b2\n' '' --convert 1 26 26 1 --from-prefix 'kilo- [k]'
check convert-full    ''                          0 $'1 Yim = 1208925819614629174706176 m\n' '' --format full --convert 0 33 33 1 --from-prefix 28
check convert-unknown ''                          2 ''                        '*parsec*'       --convert Length parsec 33 1

catalogue="$("$bin" --catalogue)"
if [[ $(grep -c '^prefix' <<<"$catalogue") != 29 || $(grep -c '^unit' <<<"$catalogue") != 780 ||
      $(grep -c 'base$' <<<"$catalogue") != 18 ]] ||
    ! grep -qx $'unit\t17\tCurrency (updated 19.4.2010)\t97\tEuro\tEUR\t1\t1\t\t\tbase' <<<"$catalogue"; then
    echo "FAIL catalogue: 29 prefixes, 780 units and 18 base units expected"
    failed=1
fi

if [[ $("$bin" --help) != usage:* ]]; then
    echo "FAIL help: --help does not print the usage"
    failed=1
fi
exit $failed

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# End-to-end runs of reckonwise-eval: arguments, standard input, options, usage errors and
# arithmetic failures. Usage: eval_cli_test.sh PATH-TO-reckonwise-eval
set -u
# The decimal mark follows the locale; these rows are written for the C locale's ".".
export LC_ALL=C
bin="$1"
# On Windows (under Wine) the rows bound to POSIX are left out: command lines longer than
# Windows allows, locales named by the environment, signals, directories as input.
windows="${RECKONWISE_TEST_WINDOWS:-}"
[[ -n $windows ]] && echo "note: Windows: the rows bound to POSIX are left out"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
failed=0

. "$(dirname "$0")/eval_check.sh"

#     name            stdin                       status stdout               stderr pattern   arguments
check one-argument    ''                          0 $'14\n'                   ''               '2+3*4'
check arguments       ''                          0 $'2\n3.5\n30\n'           ''               '1+1' '7/2' ' 1 0 * 3 '
check stdin           $'1+2\n\n2*(\n7/2\r\n4*4'   0 $'3\n\n\n3.5\n16\n'       'reckonwise-eval: line 3: unbalanced brackets'
check normal          ''                          0 $'1.18059162e21\n'       ''               '2^70'
check full            ''                          0 $'1180591620717411303424\n' '' --format full '2^70'
check hexadecimal     ''                          0 $'0xFF\n0xFF\n'           ''               --format=hexadecimal '0xff' 255
check radians         ''                          0 $'-1\n'                   ''               --angle radians 'cos(pi)'
check degrees         ''                          0 $'0.9984971499\n1\n'      ''               'cos(pi)' 'sin(90)'
check uint8           ''                          0 $'0\n44\n'                ''               --range uint8 '255+1' 300
check int8            ''                          0 $'-128\n'                 ''               --range=int8 '127+1'
check kind            ''                          0 $'integer\t2\nfloat\t3.5\nnovalue\t\n' 'reckonwise-eval: 2\*(: unbalanced brackets' --kind '1+1' '7/2' '2*('
check end-of-options  ''                          0 $'novalue\t\n'            "reckonwise-eval: --kind: unknown name 'kind'"               --kind -- --kind
check failure         $'2^20000*0,5\r\n1+1\n'     0 $'\n2\n'                  'reckonwise-eval: line 1: Floating point overflow'
check unknown-option  ''                          2 ''                        '*--frobnicate*' --frobnicate 1
check missing-value   ''                          2 ''                        '*--format*'     --format
check bad-format      ''                          2 ''                        '*purple*'       --format purple 1
check bad-range       ''                          2 ''                        '*int7*'         --range=int7 1
# The cache's ceiling changes what is kept, never a result: with nothing kept between lines,
# the lines after a text's prefixes give what the text gives alone.
check cache-limit-0   $'1+2+3\n1+2+3+4\n(2^70)+1\n(2^70)+1>0\n' 0 $'6\n10\n1180591620717411303425\n1\n' '' --format full --cache-limit 0
check cache-limit-K   ''                          0 $'3\n'                   ''               --cache-limit=64K '1+2'
check bad-cache-limit ''                          2 ''                        '*12Q*'          --cache-limit 12Q 1
# The same counts everywhere: past a 32-bit address space (taken as its end) and past 64 bits.
check cache-limit-5e9 ''                          0 $'3\n'                   ''               --cache-limit 5000000000 '1+2'
check cache-limit-4G  ''                          0 $'3\n'                   ''               --cache-limit 4G '1+2'
check too-many-bytes  ''                          2 ''                        '*99999999999G*' --cache-limit 99999999999G 1
check convert         ''                          0 $'5 ft = 1.524 m\n'      ''               --convert Length 'foot [ft]' 'meter [m]' 5
check convert-prefix  ''                          0 $'1 km\xc2\xb2 = 1000000 m\xc2\xb2\n' '' --convert 1 26 26 1 --from-prefix 'kilo- [k]'
check convert-full    ''                          0 $'1 Yim = 1208925819614629174706176 m\n' '' --format full --convert 0 33 33 1 --from-prefix 28
check convert-unknown ''                          2 ''                        "reckonwise-eval: unknown unit 'xyzzy' in Length (see --help; --catalogue lists them all)" --convert Length xyzzy 33 1
# Units, categories and prefixes by index, list text, name in any case, or symbol.
check convert-names   ''                          0 $'5 ft = 1.524 m\n'      ''               --convert length foot METER 5
check convert-symbols ''                          0 $'5 ft = 0.001524 km\n'  ''               --convert 0 ft m 5 --to-prefix k
check convert-kilo    ''                          0 $'2 km = 2000 m\n'       ''               --convert Length m m 2 --from-prefix kilo
check convert-remark  ''                          0 $'1 EUR = 1 EUR\n'       ''               --convert currency eur EUR 1
check convert-fm      ''                          2 ''                        "reckonwise-eval: ambiguous unit 'fm' in Length; it may be:
  10  fathom \[fm\]  1 fm = 1.8288 m
  11  fermi \[fm\]   1 fm = 1e-15 m" --convert length fm m 1
check convert-extra   ''                          2 ''                        "*unexpected argument '6'*" --convert Length ft m 5 6
check convert-short   ''                          2 ''                        '*needs CATEGORY FROM TO VALUE*' --convert Length ft m
check catalogue-extra ''                          2 ''                        "*unexpected argument '1+1'*" --catalogue 1+1
# A value as deep as a text can be has no value, without exhausting the stack.
deepValue="$(printf '(%.0s' $(seq 30000))1$(printf '^%.0s' $(seq 30000))"
[[ -z $windows ]] && check convert-deep    ''                          1 $'\n'                    '*: unbalanced brackets'    --convert length m m "$deepValue"
# Unit names as people type them: prefixes joined to symbols (u for micro) and names,
# plurals, -er/-re, symbols typed without "·", "°" or "²"; exact names and symbols first.
check unit-km         ''                          0 $'1 km = 1000 m\n'       ''               --convert length km m 1
check unit-miles      ''                          0 $'2 mi = 3218.688 m\n'   ''               --convert length miles meters 2
check unit-feet       ''                          0 $'1 ft = 12 in\n'        ''               --convert length feet inches 1
check unit-micro      ''                          0 $'3 \xc2\xb5s = 0.003 ms\n' ''              --convert time us ms 3
check unit-micro-sign ''                          0 $'3 \xc2\xb5s = 0.003 ms\n' ''              --convert time $'\xc2\xb5s' ms 3
check unit-liter      ''                          0 $'1 L = 1 L\n'           ''               --convert volume liter litre 1
check unit-names      ''                          0 $'2 km = 2000 m\n'       ''               --convert length kilometres metre 2
check unit-kwh        ''                          0 $'1 kW\xc2\xb7h = 3600000 J\n' ''          --convert energy kWh J 1
check unit-celsius    ''                          0 $'100 \xc2\xb0C = 212 \xc2\xb0F\n' ''       --convert temperature celsius fahrenheit 100
check unit-squared    ''                          0 $'1 km\xc2\xb2 = 1000000 m\xc2\xb2\n' ''     --convert area km2 m2 1
check unit-cubed      ''                          0 $'1 cm\xc2\xb3 = 0.001 L\n' ''              --convert volume cm3 L 1
check unit-exact-kg   ''                          0 $'1 kg = 1000 g\n'       ''               --convert mass kg g 1
check unit-exact-kt   ''                          0 $'1 kt = 0.2051965483 g\n' ''             --convert mass kt g 1
check unit-exact-min  ''                          0 $'1 min = 60 s\n'        ''               --convert time min s 1
check unit-prefix-u   ''                          0 $'1 \xc2\xb5m = 0.001 mm\n' ''              --convert length m mm 1 --from-prefix u
check unit-clash      ''                          2 ''                        "*unit 'km' already has a prefix; leave out '--from-prefix'*" --convert length km m 1 --from-prefix k
check unit-suggest    ''                          2 ''                        "reckonwise-eval: unknown unit 'lb' in Mass; did you mean:
  31  pound (avoirdupois) \[lb av\]
  33  pound (troy) \[lb t\]" --convert mass lb g 1
check unit-joined-suggestion '' 2 ''                                          "reckonwise-eval: unknown unit 'kilomiter' in Length; did you mean:
      kilometer  (meter \[m\] with kilo- \[k\])
      kilomile  (mile \[mi\] with kilo- \[k\])" --convert length kilomiter m 1
check unit-category   ''                          2 ''                        $'*unknown category \'lenght\'; did you mean:\n   0  Length' --convert lenght m m 1
# A list wider than a terminal puts each rate on a line of its own.
check unit-usd-wide   ''                          2 ''                        "reckonwise-eval: ambiguous unit 'usd' in Currency; it may be:
   3  America (United States), Dollar \[USD\]
        1 USD = 0.7426606561 EUR
   4  American Samoa, United States Dollar \[USD\]
*
 321  Wake Island, United States Dollar \[USD\]
        1 USD = 0.7444907683 EUR" --convert currency usd EUR 1
# A VALUE without value fails the run, with or without --strict.
check convert-no-value ''                         1 $'\n'                    "reckonwise-eval: foo: unknown name 'foo'" --convert length m m foo
# --bases gives its reasons in the same words.
check bases-reasons   $'cosh(1)\nsqrt(-1)\n1\x01\n' 1 $'decimal\nhexadecimal\noctal\nbinary\ndecimal\nhexadecimal\noctal\nbinary\ndecimal\nhexadecimal\noctal\nbinary\n' "reckonwise-eval: line 1: unknown name 'cosh'
reckonwise-eval: line 2: not a number
reckonwise-eval: line 3: control character \\\\x01 at column 2" --bases --strict
# VALUE is an expression, converted as a whole.
check convert-sum     ''                          0 $'5 ft = 1.524 m\n'      ''               --convert length ft m 2+3
check convert-diff    ''                          0 $'6 ft = 1.8288 m\n'     ''               --convert length ft m 10-4
check convert-nan     ''                          1 $'\n'                    'reckonwise-eval: sqrt(-1): not a number' --convert length ft m 'sqrt(-1)'
check convert-hex     ''                          1 $'\n'                    'reckonwise-eval: 1/2: a non-integer has no hexadecimal text' --format hex --convert length ft m 1/2
check convert-overflow ''                         1 $'\n'                    'reckonwise-eval: 2^20000\*0,5: ?*' --convert length m m '2^20000*0,5'
# Conventions: version, short options, and arguments with one "-" that stay expressions.
check version         ''                          0 $'reckonwise-eval 1.0\n' ''               --version
check version-short   ''                          0 $'reckonwise-eval 1.0\n' ''               -V
check dash-expressions ''                         0 $'-2\n-2.718281828\n-3.141592654\n' '' -5+3 -e -pi
# Words in any letter case and short forms; a bad word lists the choices.
check short-words     ''                          0 $'0xFF\n'                ''               --format HEX --range u8 255
check angle-word      ''                          0 $'-1\n'                  ''               --angle RAD 'cos(pi)'
check choices         ''                          2 ''                        '*choose from normal, full, scientific (sci)*' --format purple 1
# Scripting: --strict fails a run with a line without value; --decimal-point for awk.
check strict-ok       $'1+1\n2*3\n'              0 $'2\n6\n'                ''               --strict
check strict-novalue  $'1+1\n2*(\n3\n'           1 $'2\n\n3\n'             'reckonwise-eval: line 2: unbalanced brackets'               --strict
check strict-failure  ''                          1 $'\n'                    'reckonwise-eval: 2^20000\*0,5: ?*' --strict '2^20000*0,5'
check decimal-point   ''                          0 $'3.5\n0.0005\n1.23456789e-20\n' '' --decimal-point . '7/2' '1/2000' '1,23456789e-20'
check decimal-convert ''                          0 $'1.5 ft = 0.4572 m\n'   ''               --decimal-point=. --convert length ft m 1,5
check decimal-two     ''                          2 ''                        '*one character*' --decimal-point ab 1

# A reason on standard error for every line without value, named by its line number (or the
# argument itself); standard output keeps one line per input line. -q leaves the reasons out.
check reasons         $'1/0\n2*(\nfoo\n9^9^9\n1e9999\n7.5%2\n2+\n()\n' 0 $'\n\n\n\n\n\n\n\n' "reckonwise-eval: line 1: division by zero
reckonwise-eval: line 2: unbalanced brackets
reckonwise-eval: line 3: unknown name 'foo'
reckonwise-eval: line 4: result larger than 332192810 bits
reckonwise-eval: line 5: exponent of 500 or more in '1e9999'
reckonwise-eval: line 6: modulo needs integers
reckonwise-eval: line 7: missing operand
reckonwise-eval: line 8: empty brackets"
check reason-argument ''                          0 $'\n2\n'                 'reckonwise-eval: 1<<-1: shift count outside 0 to 2147483647' '1<<-1' 1+1
# Past the float range: x87's ends near 1.19e4932, a double's (armhf, ppc64el) near 1.8e308.
overflowing='1e499^9*1e499'
[[ -n ${RECKONWISE_TEST_DOUBLE_RANGE:-} ]] && overflowing='1e300*1e300'
check reason-overflow ''                          0 $'\n'                    "reckonwise-eval: $overflowing: Floating point overflow" "$overflowing"
[[ -z $windows ]] && check reason-deep     ''                          0 $'\n'                    '*: expression nested more than 65536 levels deep' -- "$(printf -- '-%.0s' $(seq 70000))1"
longArgument="$(printf 'x%.0s' $(seq 100))"
check reason-long     ''                          0 $'\n'                    "reckonwise-eval: $(printf 'x%.0s' $(seq 60))...: unknown name '$(printf 'x%.0s' $(seq 40))...'" "$longArgument"
check quiet           $'1/0\n2\n'                 0 $'\n2\n'                 ''               -q
check quiet-strict    $'1/0\n2\n'                 1 $'\n2\n'                 ''               --quiet --strict
# Input as files hold it: a byte-order mark, comments and blank lines, which never fail
# --strict and keep their output line; "#" starts a comment only on input lines.
check byte-order-mark $'\xef\xbb\xbf1+1\n2\n'       0 $'2\n2\n'                 ''               --strict
check comments        $'# sums\n1+1\n\n   \n  # more\n\t\n3\n' 0 $'\n2\n\n\n\n\n3\n' '' --strict
check no-final-end    $'1+1\n2+2'                 0 $'2\n4\n'                 ''
check hash-argument   ''                          0 $'255\n'                 ''               '#ff'
# "#" followed by a blank, or alone, starts a comment; "#" before a digit is a hexadecimal
# literal on lines as in arguments; "#!" is the interpreter's line only on the first line.
check hash-lines      $'#!/usr/bin/reckonwise-eval\n#ff\n #FFFFFFFF\n#\n#\t10\n#10\n#!1\n' 1 $'\n255\n4294967295\n\n\n16\n\n' \
    "reckonwise-eval: line 7: malformed number '#!1'" --strict
# Lines end at LF, CRLF or a lone CR, in any mix.
check line-ends       $'1+1\r7/2\r\n2*3\n4\r\r5' 0 $'2\n3.5\n6\n4\n\n5\n' ''
# A control character is named, not dropped; the message escapes what it quotes.
if [[ $(printf '3+\0004\n' | "$bin" --strict 2>&1 >/dev/null) != 'reckonwise-eval: line 1: control character \x00 at column 3' ]]; then
    echo "FAIL control-nul: a NUL in a line is not named"
    failed=1
fi
[[ -z $windows ]] && check control-escape  ''                          0 $'\n'               'reckonwise-eval: 1+\\x1b\[2J: control character \\x1b at column 3' $'1+\e[2J'
# Values that are no numbers are printed as such, said, and fail --strict; so does a value
# that the format has no text for.
check nan-inf         $'sqrt(-1)\nln 0\n0^-1\n' 1 $'nan\n-inf\ninf\n' "reckonwise-eval: line 1: not a number
reckonwise-eval: line 2: infinite
reckonwise-eval: line 3: infinite" --strict
check hex-fraction    ''                          1 $'\n0xFF\n'           'reckonwise-eval: 1/3: a non-integer has no hexadecimal text' --strict --format hex 1/3 255
# Reasons in the user's words: the span as typed, the rule that was broken.
check reason-words    $'cosh(1)\n2(3)\npi-1\nformat\n' 0 $'\n\n\n\n' "reckonwise-eval: line 1: unknown name 'cosh'
reckonwise-eval: line 2: values side by side are not multiplied: write 2\\*(3)
reckonwise-eval: line 3: '-' after a name is not an operator: write (pi)-1
reckonwise-eval: line 4: unknown name 'format'"
# The decimal mark: the locale's by default, the option's when given; a mark that could be
# read as part of an expression is refused.
check decimal-c       ''                          0 $'3.5\n'                 ''               '7/2'
check decimal-dot     ''                          0 $'3.5\n'                 ''               --decimal-point . '7/2'
check decimal-comma   ''                          0 $'3,5\n'                 ''               --decimal-point , '7/2'
check decimal-middot  ''                          0 $'3\xc2\xb75\n'           ''               --decimal-point $'\xc2\xb7' '7/2'
for mark in 5 + - e x '*' '(' '#' ' ' $'\xc2\xb2' ''; do
    check "decimal-refused-$mark" '' 2 ''         "*option '--decimal-point' takes one character that is not*" --decimal-point "$mark" 1
done
# A comma locale, generated for the test when the system has none.
if [[ -z ${LOCPATH:-} || ! -e $LOCPATH/de_DE.UTF-8 ]] && command -v localedef >/dev/null; then
    localedef -i de_DE -f UTF-8 "$tmp/de_DE.UTF-8" 2>/dev/null && export LOCPATH="$tmp"
fi
if [[ -n $windows ]]; then
    : # the locale comes from the system's settings there, not from LC_ALL
elif LC_ALL=de_DE.UTF-8 locale decimal_point 2>/dev/null | grep -qx ,; then
    LC_ALL=de_DE.UTF-8 check decimal-locale '' 0 $'3,5\n' '' '7/2'
    LC_ALL=de_DE.UTF-8 check decimal-locale-convert '' 0 $'1,5 ft = 0,4572 m\n' '' --convert length ft m 1.5
    LC_ALL=de_DE.UTF-8 check decimal-locale-option '' 0 $'3.5\n' '' --decimal-point . '7/2'
else
    echo "note: no de_DE.UTF-8 locale could be made; the comma locale rows are skipped"
fi
# A locale that is not installed falls back to ".".
if [[ -z $windows && $(LC_ALL=xx_NONE.UTF-8 "$bin" 7/2 2>&1) != 3.5 ]]; then
    echo "FAIL decimal-missing-locale: not 3.5"
    failed=1
fi
# A directory as input is a read error with its reason, not an empty input.
"$bin" <"$tmp" >"$tmp/out" 2>"$tmp/err"
status=$?
if [[ -z $windows ]] && [[ $status != 1 || $(cat "$tmp/err") != 'reckonwise-eval: read error: Is a directory' ]]; then
    printf 'FAIL directory: status %s, stderr %q\n' "$status" "$(cat "$tmp/err")"
    failed=1
fi

catalogue="$("$bin" --catalogue)"
if [[ $(grep -c '^prefix' <<<"$catalogue") != 29 || $(grep -c '^unit' <<<"$catalogue") != 780 ||
      $(grep -c 'base$' <<<"$catalogue") != 18 ]] ||
    ! grep -qx $'unit\t17\tCurrency (updated 19.4.2010)\t97\tEuro\tEUR\t1\t1\t\t\tbase' <<<"$catalogue"; then
    echo "FAIL catalogue: 29 prefixes, 780 units and 18 base units expected"
    failed=1
fi

# Output that cannot be written ends the run with a message and status 1: a full disk, a
# closed output, a reader gone while SIGPIPE is ignored. With SIGPIPE at its default, the
# signal ends the program silently, as it does the GNU tools.
writeError() {
    local name="$1" want="$2" status="$3" err="$4"
    # shellcheck disable=SC2053
    if [[ $status != 1 || $err != $want ]]; then
        printf 'FAIL %s: status %s, stderr %q\n' "$name" "$status" "$err"
        failed=1
    fi
}
"$bin" 1+1 >/dev/full 2>"$tmp/err"
writeError dev-full 'reckonwise-eval: write error: No space left on device' $? "$(cat "$tmp/err")"
"$bin" 1+1 >&- 2>"$tmp/err"
writeError closed-output 'reckonwise-eval: write error: *' $? "$(cat "$tmp/err")"
(trap "" PIPE; seq 300000 2>/dev/null | "$bin" 2>"$tmp/err" | head -1 >/dev/null; exit "${PIPESTATUS[1]}")
writeError ignored-sigpipe 'reckonwise-eval: write error: Broken pipe' $? "$(cat "$tmp/err")"
seq 300000 2>/dev/null | "$bin" 2>"$tmp/err" | head -1 >/dev/null
status=${PIPESTATUS[1]}
if [[ -n $windows ]]; then
    # No signal there: the gone reader is a write error like any other.
    writeError windows-pipe 'reckonwise-eval: write error: Broken pipe' "$status" "$(cat "$tmp/err")"
elif [[ $status != 141 || -s $tmp/err ]]; then
    echo "FAIL sigpipe: status $status (want 141, silent)"
    failed=1
fi

"$bin" --help >/dev/full 2>"$tmp/err"
writeError help-dev-full 'reckonwise-eval: write error: No space left on device' $? "$(cat "$tmp/err")"
"$bin" --catalogue >/dev/full 2>"$tmp/err"
writeError catalogue-dev-full 'reckonwise-eval: write error: No space left on device' $? "$(cat "$tmp/err")"
seq 100000 | "$bin" >/dev/full 2>"$tmp/err"
writeError stream-dev-full 'reckonwise-eval: write error: No space left on device' $? "$(cat "$tmp/err")"

if [[ $("$bin" --help) != usage:* || $("$bin" -h) != usage:* ]]; then
    echo "FAIL help: --help or -h does not print the usage"
    failed=1
fi
if "$bin" --help | awk 'length > 80 { exit 1 }'; then :; else
    echo "FAIL help: a line of --help is wider than 80 columns"
    failed=1
fi

# A file's lines are written in large blocks, not one system call per line, while a
# coprocess that writes a line and waits gets each answer before the tool waits for more.
if command -v strace >/dev/null && strace -o /dev/null true 2>/dev/null; then
    seq 20000 >"$tmp/lines"
    # (The leak checker of a sanitizer build cannot run under ptrace.)
    ASAN_OPTIONS=detect_leaks=0 strace -f -o "$tmp/trace" -e trace=write "$bin" <"$tmp/lines" >/dev/null
    writes=$(grep -c '^[0-9]* *write(1,' "$tmp/trace")
    if ((writes >= 200)); then
        echo "FAIL write-count: $writes writes for 20000 lines (want fewer than 200)"
        failed=1
    fi
else
    echo "note: strace is not usable here; the write count is not checked"
fi
coproc calculator { "$bin"; }
# Bash forgets a coprocess's variables once it has ended, which may be before the wait.
calculator_pid=$calculator_PID
for expression in 6*7 2^10 7/2; do
    echo "$expression" >&"${calculator[1]}"
    if ! read -r -t 10 answer <&"${calculator[0]}"; then
        echo "FAIL coprocess: no answer to $expression"
        failed=1
        break
    fi
    answers+="$answer "
done
exec {calculator[1]}>&-
wait "$calculator_pid" 2>/dev/null
if [[ ${answers:-} != "42 1024 3.5 " ]]; then
    echo "FAIL coprocess: answers '${answers:-}'"
    failed=1
fi
exit $failed

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Feeds reckonwise-eval the hostile texts the limits exist for (1 MiB of random bytes, a
# 1 MiB literal, 100 000 nested brackets, chains of huge powers, results past the budget),
# the longest ordinary texts of the expression line (long sums and products, 10 000
# brackets, a 32 767-character mixture of operators, functions and brackets), and long
# streams of lines under the cache's ceiling, and prints the wall time and peak memory of
# each run. Needs GNU time (package "time") and python3; builds the release
# reckonwise-eval first.
#
#   scripts/hostile.sh [FORMAT]      (full by default)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/packages.sh"
ensure_packages "${BUILD_PACKAGES[@]}" time python3
cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRECKONWISE_TESTS=OFF -DRECKONWISE_WERROR=ON >/dev/null
cmake --build "$root/build-release" --target reckonwise-eval >/dev/null
eval="$root/build-release/tools/reckonwise-eval"
format=${1:-full}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$work" <<'PY'
import random, sys
random.seed(7)
M = 1 << 20
def write(name, text):
    data = text.encode('utf-8', 'surrogatepass') if isinstance(text, str) else text
    open(f'{sys.argv[1]}/{name}', 'wb').write(data[:M].replace(b'\n', b' ') + b'\n')
write('random-bytes', bytes(random.getrandbits(8) for _ in range(M)))
write('random-operators', ''.join(random.choice('0123456789+-*/^!()<>=&|~ .e') for _ in range(M)))
write('surrogates-and-nul', '\ud800\udfff\x00' * (M // 9))
write('literal-1MiB', '9' * (M - 1))
write('hex-literal-1MiB', '0x' + 'f' * (M - 3))
write('chain-100000', '1+' * 100000 + '1')
write('brackets-100000', '(' * 100000 + '1' + ')' * 100000)
write('power-tower', '^'.join(['9'] * 300000))
write('shift-chain', '<<'.join(['1'] * 300000))
# As much of a chain of huge powers as the expression line holds: 2 978 terms.
write('huge-power-chain', '+'.join(['2^50000000'] * 2979)[:32767])
write('brackets-around-huge', '(' * 50 + '2^50000000' + ')' * 50)
write('bracket-chain-huge', '(' * 20 + '(2^5000000)+1)+1' * 20)
# The longest ordinary texts: each has a value.
write('sum-5000', '+'.join(str(1000 + i % 9000) for i in range(5000)))
write('ones-16000', '+'.join(['1'] * 16000))
write('brackets-10000', '(' * 10000 + '7' + ')' * 10000)
write('product-3000', '*'.join(str(2 + i % 7) for i in range(3000)))
def term(d):
    r = random.random()
    if d > 7 or r < 0.3: return str(random.randint(1, 999))
    if r < 0.45: return random.choice(['sin', 'cos', 'abs', 'atan']) + '(' + expr(d + 1) + ')'
    if r < 0.55: return 'sqrt(abs(' + expr(d + 1) + '))'
    if r < 0.65: return '[' + expr(d + 1) + ']'
    if r < 0.75: return '{' + expr(d + 1) + '}'
    if r < 0.8: return '(' + expr(d + 1) + ')'
    if r < 0.9: return str(random.randint(2, 12)) + '!'
    return '2^' + str(random.randint(1, 30))
def expr(d):
    s = term(d)
    for _ in range(random.randint(0, 4)):
        s += random.choice('+-*+-') + term(d)
    return s
mixture = ''
while True:
    e = expr(0)
    if len(mixture) + 1 + len(e) > 32767 - 8: break
    mixture += ('+' if mixture else '') + e
write('mixture-32767', mixture + '+' + '0' * (32767 - len(mixture) - 1))
for name, text in [('9^9^9', '9^9^9'), ('99999999!', '99999999!'),
                   ('1<<2147483647', '1<<2147483647'), ('2^10000000', '2^10000000'),
                   ('9^99999999', '9^99999999')]:
    write(name, text)
PY

# run NAME INPUT [OPTIONS...]: one line of the table (the result of the input's last line).
run() {
    local name="$1" input="$2"
    shift 2
    /usr/bin/time -o "$work/stats" -f '%e %M' "$eval" --kind --format "$format" "$@" <"$input" >"$work/out" 2>/dev/null || true
    read -r seconds kib <"$work/stats"
    printf '%-24s %10s %12s  %s\n' "$name" "$seconds" "$((kib / 1024))" "$(tail -n 1 "$work/out" | cut -c1-40)"
}

printf '%-24s %10s %12s  %s\n' input seconds "peak MiB" result
for f in "$work"/*; do
    run "$(basename "$f")" "$f"
done

# Long streams: memory stays within the cache's ceiling (--cache-limit 0 keeps nothing
# between lines), and a text gives the same result after its prefixes as alone.
seq 3000000 >"$work/seq"
python3 -c "print('\n'.join(f'2^30000000+{k}' for k in range(20)))" >"$work/powers"
python3 -c "print('+'.join(str(i) for i in range(1000, 3500)))" >"$work/s2500"
python3 -c "print('+'.join(str(i) for i in range(1000, 4000)))" >"$work/s3000"
cat "$work/s2500" "$work/s3000" >"$work/s2500-s3000"
printf '(10^6000000)+1>0\n' >"$work/bracketed"
printf '(10^6000000)+1\n(10^6000000)+1>0\n' >"$work/bracketed-after"
echo
printf '%-24s %10s %12s  %s\n' stream seconds "peak MiB" "result of the last line"
run "seq-3000000" "$work/seq"
run "seq-3000000 limit 0" "$work/seq" --cache-limit 0
run "20 x 2^30000000+k" "$work/powers" --format normal
run "20 x ... limit 0" "$work/powers" --format normal --cache-limit 0
run "s3000 alone" "$work/s3000"
run "s3000 after s2500" "$work/s2500-s3000"
run "(10^6000000)+1>0" "$work/bracketed"
run "... after its prefix" "$work/bracketed-after"

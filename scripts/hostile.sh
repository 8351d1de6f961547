#!/usr/bin/env bash
# Feeds reckonwise-eval the hostile texts the limits exist for (1 MiB of random bytes, a
# 1 MiB literal, 100 000 nested brackets, chains of huge powers, results past the budget)
# and prints the wall time and peak memory of each run. Needs GNU time (package "time")
# and python3; builds the release reckonwise-eval first.
#
#   scripts/hostile.sh [FORMAT]      (full by default)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/packages.sh"
ensure_packages "${BUILD_PACKAGES[@]}" time python3
cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRECKONWISE_TESTS=OFF >/dev/null
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
write('huge-power-chain', '+'.join(['2^50000000'] * 95000))
write('brackets-around-huge', '(' * 50 + '2^50000000' + ')' * 50)
write('bracket-chain-huge', '(' * 20 + '(2^50000000)+1)+1' * 20)
for name, text in [('9^9^9', '9^9^9'), ('99999999!', '99999999!'),
                   ('1<<2147483647', '1<<2147483647'), ('2^10000000', '2^10000000'),
                   ('9^99999999', '9^99999999')]:
    write(name, text)
PY

printf '%-22s %10s %12s  %s\n' input seconds "peak MiB" result
for f in "$work"/*; do
    /usr/bin/time -o "$work/stats" -f '%e %M' "$eval" --kind --format "$format" <"$f" >"$work/out" 2>/dev/null || true
    read -r seconds kib <"$work/stats"
    printf '%-22s %10s %12s  %s\n' "$(basename "$f")" "$seconds" "$((kib / 1024))" "$(cut -c1-40 "$work/out" | head -n 1)"
done

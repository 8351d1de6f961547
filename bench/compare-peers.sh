#!/usr/bin/env bash
# Times reckonwise-eval beside the peer harness (a C program on GMP, Python, bc, qalc) on the
# same inputs, in one run on this machine, and writes bench/RESULTS.md with the medians and
# the ratios to GMP and to the best other peer. The raw rows go to bench/results/.
#
#   bench/compare-peers.sh                       everything (about half an hour)
#   WORKLOADS="mul div" DIGITS="100000" bench/compare-peers.sh      a subset
#
# The knobs of the harness (WORKLOADS, POW2_SIZES, FAC_SIZES, DIGITS, EXPR_SIZES, RUNS,
# TIMEOUT, PEERS, PYTHONS) pass through; the peers default to all of them plus reckonwise.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
harness="${PEER_HARNESS:-$root/../shared/bench-peers}"
. "$root/scripts/packages.sh"
ensure_packages "${BUILD_PACKAGES[@]}" libgmp-dev bc qalc

build="$root/build-release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRECKONWISE_TESTS=OFF >/dev/null
cmake --build "$build" --target reckonwise-eval

work="$(mktemp -d)"
cp -r "$harness" "$work/peers"
cd "$work/peers"
# Reckonwise as one more peer of the harness: the whole process, "Full" format, the
# operands of the two-operand workloads as one expression on standard input.
RW="$build/tools/reckonwise-eval" python3 - <<'PY'
import os
path = "run-peers.sh"
s = open(path).read()
rw = os.environ["RW"]
s = s.replace('    qalc) command -v qalc >/dev/null && PEER_LIST+=(qalc) || echo "skip qalc: not installed" >&2 ;;',
              '    qalc) command -v qalc >/dev/null && PEER_LIST+=(qalc) || echo "skip qalc: not installed" >&2 ;;\n'
              '    rw) PEER_LIST+=(rw) ;;')
s = s.replace('    esac\n    [ ${#CMD[@]} -gt 0 ]',
              '    rw)\n'
              '        case $w in\n'
              f'        pow2) CMD=("{rw}" --format full "2^$n") ;;\n'
              f'        fac) CMD=("{rw}" --format full "$n!") ;;\n'
              f'        mul|div) CMD=("{rw}" --format full); STDIN="$IN/${{w}}_$n.rw" ;;\n'
              f'        expr) CMD=("{rw}"); STDIN="$IN/expr_$n.txt" ;;\n'
              '        esac ;;\n'
              '    esac\n    [ ${#CMD[@]} -gt 0 ]')
s = s.replace('# --- peers ---',
              'for f in "$IN"/mul_*.txt; do paste -sd"*" "$f" > "${f%.txt}.rw"; done\n'
              'for f in "$IN"/div_*.txt; do paste -sd"/" "$f" > "${f%.txt}.rw"; done\n\n# --- peers ---')
assert s.count("PEER_LIST+=(rw)") == 1 and s.count('pow2) CMD=("' + rw) == 1
open(path, "w").write(s)
PY
# Python 3.13 may sit behind a version manager whose shim refuses to run it.
if [ -z "${PYTHONS:-}" ]; then
    PYTHONS=python3
    for candidate in python3.13 "$HOME"/.pyenv/versions/3.13*/bin/python3.13; do
        if "$candidate" -c pass 2>/dev/null; then PYTHONS="python3 $candidate"; break; fi
    done
fi
export PEERS="${PEERS:-gmp py bc qalc rw}" PYTHONS
stamp="$(date -u +%Y%m%d)"
./run-peers.sh "$work/results.tsv"
mkdir -p "$root/bench/results"
cp "$work/results.tsv" "$root/bench/results/peers-$stamp.tsv"
python3 "$root/bench/peer_tables.py" "$work/results.tsv" > "$root/bench/RESULTS.md"
{
    echo
    echo "## This run"
    echo
    echo "PEERS=\"$PEERS\" PYTHONS=\"$PYTHONS\" WORKLOADS=\"${WORKLOADS:-pow2 fac mul div expr}\""
    echo "POW2_SIZES=\"${POW2_SIZES:-default}\" FAC_SIZES=\"${FAC_SIZES:-default}\" DIGITS=\"${DIGITS:-default}\""
    echo "EXPR_SIZES=\"${EXPR_SIZES:-default}\" RUNS=${RUNS:-5} TIMEOUT=${TIMEOUT:-120}"
} >> "$root/bench/RESULTS.md"
echo "wrote bench/RESULTS.md and bench/results/peers-$stamp.tsv"

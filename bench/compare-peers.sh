#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Times reckonwise-eval beside its peers (a C program on GMP, Python, bc, qalc) on the same
# inputs, in one run on this machine, and writes bench/RESULTS.md with the medians and the
# ratios to GMP and to the best other peer; the raw rows go to bench/results/. The programs
# it runs are in bench/peers/ (README.md there).
#
#   bench/compare-peers.sh                                      everything (about half an hour)
#   WORKLOADS="mul div" DIGITS="100000" bench/compare-peers.sh  a subset
#   OUT=/tmp/try.md WORKLOADS=mul DIGITS=1000 RUNS=1 bench/compare-peers.sh
#                       the tables to /tmp/try.md and the rows to /tmp/try.tsv, bench/ untouched
#
# Knobs and their defaults:
#   WORKLOADS   pow2 fac mul div expr
#   POW2_SIZES  10000 100000 1000000 10000000    N of 2^N
#   FAC_SIZES   1000 10000 100000 300000         N of N!
#   DIGITS      1000 10000 100000 1000000        D: a D-digit by D-digit product; the exact
#                                                quotient of a 2D-digit by a D-digit number
#   EXPR_SIZES  1 1000 10000                     K short expressions in one process
#   RUNS        5     timed runs after a warm-up (fewer when a run is slow: peers/time_run.py)
#   TIMEOUT     120   seconds a run; a peer that times out is not run on the larger sizes
#   PEERS       gmp py bc qalc rw                bc and qalc are skipped when missing
#   PYTHONS     python3, and python3.13 when it runs: one peer py<version> each
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
peers_dir="$root/bench/peers"
WORKLOADS="${WORKLOADS:-pow2 fac mul div expr}"
POW2_SIZES="${POW2_SIZES:-10000 100000 1000000 10000000}"
FAC_SIZES="${FAC_SIZES:-1000 10000 100000 300000}"
DIGITS="${DIGITS:-1000 10000 100000 1000000}"
EXPR_SIZES="${EXPR_SIZES:-1 1000 10000}"
RUNS="${RUNS:-5}"
TIMEOUT="${TIMEOUT:-120}"
PEERS="${PEERS:-gmp py bc qalc rw}"
wants() { [[ " $PEERS " == *" $1 "* ]]; }

. "$root/scripts/packages.sh"
ensure_packages "${BUILD_PACKAGES[@]}" libgmp-dev python3 time
optional=()
for p in bc qalc; do wants $p && optional+=($p); done
[ ${#optional[@]} -eq 0 ] || ensure_packages "${optional[@]}" ||
    echo "could not install ${optional[*]}" >&2

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
if wants rw; then
    build="$root/build-release"
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRECKONWISE_TESTS=OFF -DRECKONWISE_WERROR=ON >/dev/null
    cmake --build "$build" --target reckonwise-eval
    rw="$build/tools/reckonwise-eval"
fi
wants gmp && cc -O2 -o "$work/gmp_peer" "$peers_dir/gmp_peer.c" -lgmp -lm
in="$work/inputs"
python3 "$peers_dir/make_inputs.py" "$in" --pow2 "$POW2_SIZES" --fac "$FAC_SIZES" \
    --digits "$DIGITS" --exprs "$EXPR_SIZES"

# Python 3.13 may sit behind a version manager whose shim refuses to run it.
if [ -z "${PYTHONS:-}" ]; then
    PYTHONS=python3
    for candidate in python3.13 "$HOME"/.pyenv/versions/3.13*/bin/python3.13; do
        if "$candidate" -c pass 2>/dev/null; then PYTHONS="python3 $candidate"; break; fi
    done
fi

peer_list=()
declare -A python_of=()
for p in $PEERS; do
    case $p in
    gmp | rw) peer_list+=($p) ;;
    py)
        for candidate in $PYTHONS; do
            # The interpreter itself, not a version manager's shim, which adds to the start-up.
            exe="$("$candidate" -c 'import sys; print(sys.executable)' 2>/dev/null)" ||
                { echo "skip $candidate: does not run" >&2; continue; }
            name="py$("$exe" -c 'import sys; print("%d.%d" % sys.version_info[:2])')"
            [ -n "${python_of[$name]:-}" ] && continue
            python_of[$name]="$exe"
            peer_list+=("$name")
        done ;;
    bc | qalc)
        if command -v $p >/dev/null; then peer_list+=($p); else echo "skip $p: not installed" >&2; fi ;;
    *) echo "unknown peer $p (gmp py bc qalc rw)" >&2; exit 2 ;;
    esac
done

# qalc in exact mode, without scientific notation, at a precision above any result's digit
# count (below it, it prints an approximation). Its -f reads at most 99,999 characters a
# line, so longer operands go to its interactive mode on standard input, which echoes them.
qalc_exact=(qalc -defaults -t -s "exp 0" -s "appr 0" -s "prec 10000000" -s "color 0")
export BC_LINE_LENGTH=0

# Sets cmd, stdin and note for workload $1, size $2 and peer $3.
command_for() {
    local w=$1 n=$2 p=$3
    stdin=/dev/null note=""
    case $p:$w in
    gmp:pow2 | gmp:fac) cmd=("$work/gmp_peer" $w $n) ;;
    gmp:mul | gmp:div) cmd=("$work/gmp_peer" $w "$in/${w}_$n.txt") ;;
    c-ld:expr) cmd=("$work/gmp_peer" expr "$in/expr_$n.txt") ;;
    py*:pow2 | py*:fac) cmd=("${python_of[$p]}" "$peers_dir/py_peer.py" $w $n) ;;
    py*:mul | py*:div) cmd=("${python_of[$p]}" "$peers_dir/py_peer.py" $w "$in/${w}_$n.txt") ;;
    py*:expr) cmd=("${python_of[$p]}" "$peers_dir/py_peer.py" expr "$in/expr_$n.py") ;;
    bc:pow2 | bc:fac) cmd=(bc -q "$in/${w}_$n.bc") ;;
    bc:mul | bc:div) cmd=(bc -q "$in/${w}_$n.expr") ;;
    bc:expr) cmd=(bc -q -l "$in/expr_$n.txt") ;;
    qalc:pow2) cmd=("${qalc_exact[@]}" "2^$n") ;;
    qalc:fac) cmd=("${qalc_exact[@]}" "$n!") ;;
    qalc:mul | qalc:div)
        local file="$in/mul_$n.expr"
        [ $w = mul ] || file="$in/div_$n.qalc"
        if [ "$(wc -L <"$file")" -le 99999 ]; then
            cmd=("${qalc_exact[@]}" -f "$file")
        else
            cmd=("${qalc_exact[@]}") stdin="$file" note=stdin
        fi ;;
    # Short expressions in qalc's ordinary mode: exact mode would leave sqrt(2)*3 as it is.
    qalc:expr) cmd=(qalc -defaults -t -s "color 0" -f "$in/expr_$n.txt") ;;
    rw:pow2) cmd=("$rw" --format full "2^$n") ;;
    rw:fac) cmd=("$rw" --format full "$n!") ;;
    rw:mul | rw:div) cmd=("$rw" --format full) stdin="$in/${w}_$n.expr" ;;
    rw:expr) cmd=("$rw") stdin="$in/expr_$n.txt" ;;
    esac
}

rows="$work/rows.tsv"
printf 'workload\tsize\tpeer\tmedian_s\tpeak_rss_mb\tn\tmin_s\tmax_s\tcpu_s\tstatus\tnote\n' >"$rows"
declare -A timed_out=()
for w in $WORKLOADS; do
    case $w in
    pow2) sizes=$POW2_SIZES ;; fac) sizes=$FAC_SIZES ;; mul | div) sizes=$DIGITS ;;
    expr) sizes=$EXPR_SIZES ;; *) echo "unknown workload $w (pow2 fac mul div expr)" >&2; exit 2 ;;
    esac
    for n in $sizes; do
        for p in "${peer_list[@]}"; do
            [ $w = expr ] && [ $p = gmp ] && p=c-ld
            command_for $w $n $p
            if [ -n "${timed_out[$p:$w]:-}" ]; then
                result="skipped	>$TIMEOUT	-	0	-	-	-"
                note="${note:+$note; }timed out at a smaller size"
            else
                # Every peer must print what the first one to answer printed: the same
                # digits, or for short expressions the same numbers in its own format.
                check=(--answer "$work/answer_${w}_$n")
                [ $w = expr ] && check=(--values "$work/answer_${w}_$n")
                result="$(python3 "$peers_dir/time_run.py" --runs "$RUNS" --timeout "$TIMEOUT" \
                    --stdin "$stdin" "${check[@]}" -- "${cmd[@]}")"
                [[ $result == timeout* ]] && timed_out[$p:$w]=1
            fi
            IFS=$'\t' read -r status median rss count low high cpu <<<"$result"
            printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' $w $n $p "$median" "$rss" \
                "$count" "$low" "$high" "$cpu" "$status" "$note" | tee -a "$rows" >&2
        done
    done
done

if [ -n "${OUT:-}" ]; then
    results="$OUT" saved="${OUT%.md}.tsv"
else
    results="$root/bench/RESULTS.md" saved="$root/bench/results/peers-$(date -u +%Y%m%d).tsv"
fi
mkdir -p "$(dirname "$results")" "$(dirname "$saved")"
cp "$rows" "$saved"
{
    python3 "$peers_dir/tables.py" "$rows"
    echo
    echo "## This run"
    echo
    echo "PEERS=\"$PEERS\" PYTHONS=\"$PYTHONS\" WORKLOADS=\"$WORKLOADS\""
    echo "POW2_SIZES=\"$POW2_SIZES\" FAC_SIZES=\"$FAC_SIZES\" DIGITS=\"$DIGITS\""
    echo "EXPR_SIZES=\"$EXPR_SIZES\" RUNS=$RUNS TIMEOUT=$TIMEOUT"
} >"$results"
echo "wrote $results and $saved"

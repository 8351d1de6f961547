#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# reckonwise-eval on long streams of lines: wall time, processor time and peak memory with the
# default ceiling of a stream's cache and with none, and the write calls for a file of lines.
# Each row is the best of three runs.
#   bench/streams.sh [PATH-TO-reckonwise-eval [PATH-TO-AN-EARLIER-ONE]]
# The earlier program, when given, runs the same rows for comparison.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bin="${1:-$root/build-release/tools/reckonwise-eval}"
earlier="${2:-}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
seq 3000000 >"$work/seq-3000000"
seq 10000000 >"$work/seq-10000000"
yes '2^100' | head -n 1000000 >"$work/2^100 x 1000000" || true
seq 20000 >"$work/seq-20000"

# best WALL USER PEAK-KIB of three runs of: program input options...
best() {
    local program="$1" input="$2"
    shift 2
    local wall user kib best=""
    for _ in 1 2 3; do
        /usr/bin/time -f '%e %U %M' -o "$work/time" "$program" "$@" <"$input" >/dev/null
        read -r wall user kib <"$work/time"
        if [ -z "$best" ] || awk -v a="$wall" -v b="${best%% *}" 'BEGIN { exit !(a < b) }'; then
            best="$wall $user $kib"
        fi
    done
    echo "$best"
}

row() {
    local name="$1" program="$2" input="$3"
    shift 3
    read -r wall user kib <<<"$(best "$program" "$work/$input" "$@")"
    printf '%-12s %-22s %-18s %8s %8s %10s\n' "$name" "$input" "${*:-default}" "$wall" "$user" \
        "$((kib / 1024))"
}

printf '%-12s %-22s %-18s %8s %8s %10s\n' program input options "wall s" "cpu s" "peak MiB"
for input in seq-3000000 seq-10000000 "2^100 x 1000000"; do
    row now "$bin" "$input"
    row now "$bin" "$input" --cache-limit 0
    if [ -n "$earlier" ]; then
        row earlier "$earlier" "$input"
        row earlier "$earlier" "$input" --cache-limit 0
    fi
done
if command -v strace >/dev/null; then
    strace -f -o "$work/trace" -e trace=write "$bin" <"$work/seq-20000" >/dev/null
    echo "write calls for the 20000 lines of seq-20000: $(grep -c '^[0-9]* *write(1,' "$work/trace")"
    if [ -n "$earlier" ]; then
        strace -f -o "$work/trace" -e trace=write "$earlier" <"$work/seq-20000" >/dev/null
        echo "... by the earlier program: $(grep -c '^[0-9]* *write(1,' "$work/trace")"
    fi
fi

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer)
# and runs each for SECONDS (default 60), one after another.
#
#   scripts/fuzz.sh [SECONDS] [TARGET ...]
#   scripts/fuzz.sh --replay [TARGET ...]   every seed input once through its target (CI)
#
# Targets: evaluate_fuzz, text_to_integer_fuzz, conversion_fuzz, evaluator_invariants_fuzz,
# bigint_differential_fuzz (all when none is named).
# Each starts from its seed corpus in tests/fuzz/corpus/<name>/ and keeps what it learns in
# build-fuzz/corpus/<name>/; a crashing input is written to build-fuzz/artifacts/<name>/
# and the script fails. Copy such an input into the seed corpus and add a regression test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/packages.sh"
ensure_packages "${BUILD_PACKAGES[@]}" "${CLANG_PACKAGES[@]}" libgmp-dev

replay=0
if [ "${1:-}" = --replay ]; then
    replay=1
    shift
fi
seconds=60
if [ $replay = 0 ] && [ $# -gt 0 ]; then
    seconds=$1
    shift
fi
targets=${*:-evaluate_fuzz text_to_integer_fuzz conversion_fuzz evaluator_invariants_fuzz bigint_differential_fuzz}
build="$root/build-fuzz"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link -fno-sanitize-recover=undefined" \
    -DRECKONWISE_TESTS=OFF -DRECKONWISE_FUZZ=ON -DRECKONWISE_SANITIZE="address,undefined" \
    -DRECKONWISE_WERROR=ON
# shellcheck disable=SC2086
cmake --build "$build" --target $targets

if [ $replay = 1 ]; then
    # Each seed once, as a regression run: a seed that once crashed must not crash again.
    status=0
    for target in $targets; do
        name=${target%_fuzz}
        if "$build/tests/fuzz/$target" -runs=0 -timeout=60 -rss_limit_mb=4096 \
            "$root/tests/fuzz/corpus/$name" >"$build/replay-$name.log" 2>&1; then
            echo "$target: $(ls "$root/tests/fuzz/corpus/$name" | wc -l) seeds replayed"
        else
            tail -n 40 "$build/replay-$name.log"
            status=1
        fi
    done
    exit $status
fi

# Each target runs in rounds of at most a minute, every round a fresh process that starts
# from the corpus the rounds before it have grown (the evaluator's target also keeps the
# cache under a 64 MiB ceiling), so no round's memory grows with the length of the run.
round=60
status=0
for target in $targets; do
    name=${target%_fuzz}
    mkdir -p "$build/corpus/$name" "$build/artifacts/$name"
    echo "== $target for $seconds s"
    left=$seconds executions=0 peak=0
    while [ "$left" -gt 0 ] && [ $status -eq 0 ]; do
        now=$((left < round ? left : round))
        log="$build/artifacts/$name/last-round.log"
        if ! "$build/tests/fuzz/$target" -max_total_time="$now" -timeout=30 -rss_limit_mb=4096 \
            -max_len=4096 -print_final_stats=1 -artifact_prefix="$build/artifacts/$name/" \
            "$build/corpus/$name" "$root/tests/fuzz/corpus/$name" >"$log" 2>&1; then
            tail -n 60 "$log"
            status=1
        fi
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
        executions=$((executions + ${runs:-0}))
        rss=$(sed -n 's/^stat::peak_rss_mb: *//p' "$log" | tail -n 1)
        [ "${rss:-0}" -gt "$peak" ] && peak=$rss
        left=$((left - now))
    done
    echo "$target: $executions executions, $(ls "$build/corpus/$name" | wc -l) corpus entries, peak $peak MB"
done
exit $status

# SPDX-License-Identifier: MIT
# Sourced by the command-line tests: one run of reckonwise-eval checked against what it must
# print. Needs bin (the program), tmp (a scratch folder) and failed (set to 1 on a failure).

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

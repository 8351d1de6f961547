#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs every example of reckonwise-eval's manual page and compares what it prints with what
# the page shows, so that the page cannot drift from the program.
# Usage: manual_examples_test.sh PATH-TO-reckonwise-eval PATH-TO-reckonwise-eval.1
set -u
bin="$1" page="$2"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/bin"
ln -s "$(realpath "$bin")" "$tmp/bin/reckonwise-eval"

# The example block, in plain text: the roff escapes the page uses, undone.
sed -n '/^\.SH EXAMPLES/,/^\.SH /p' "$page" | sed -n '/^\.nf$/,/^\.fi$/p' | sed '1d;$d' |
    sed -e "s/\\\\(aq/'/g" -e 's/\\-/-/g' -e 's/\\e/\\/g' >"$tmp/examples"

failed=0 count=0 command="" shown=()
run() {
    [ -z "$command" ] && return
    count=$((count + 1))
    local got expected
    expected="$(printf '%s\n' "${shown[@]}")"
    got="$(cd "$tmp" && env -i PATH="$tmp/bin:/usr/bin:/bin" LC_ALL=C HOME="$tmp" bash -c "$command")"
    if [[ $got != "$expected" ]]; then
        printf 'FAIL %s\n--- the page shows\n%s\n--- the program prints\n%s\n' "$command" "$expected" "$got"
        failed=1
    fi
}
while IFS= read -r line; do
    if [[ $line == '$ '* ]]; then
        run
        command="${line#'$ '}" shown=()
    else
        shown+=("$line")
    fi
done <"$tmp/examples"
run
if ((count < 5)); then
    echo "FAIL: only $count examples found in $page"
    failed=1
fi
[ $failed = 0 ] && echo "all $count examples of the manual page print what it shows"
exit $failed

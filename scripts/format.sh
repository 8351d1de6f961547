#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# clang-format over the tracked C and C++ sources (.clang-format at the root).
#   scripts/format.sh           reformats them in place
#   scripts/format.sh --check   lists the files that differ and fails if any does
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.c')
if [ "${1:-}" = --check ]; then
    status=0
    for f in "${files[@]}"; do
        if ! clang-format "$f" | cmp -s - "$f"; then
            echo "not formatted: $f (scripts/format.sh fixes it)"
            status=1
        fi
    done
    exit $status
fi
clang-format -i "${files[@]}"

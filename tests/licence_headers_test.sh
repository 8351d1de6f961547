#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Every tracked source file names its licence in its first lines. Skipped (status 77) when the
# sources are not a git checkout. Usage: licence_headers_test.sh SOURCE-ROOT
root="$1"
git -C "$root" rev-parse --git-dir >/dev/null 2>&1 || exit 77
missing=0
while IFS= read -r f; do
    if ! head -n 3 "$root/$f" | grep -q 'SPDX-License-Identifier: MIT'; then
        echo "no licence line: $f"
        missing=1
    fi
done < <(git -C "$root" ls-files | grep -E '\.(cpp|h|c|py|sh|cmake|in)$|(^|/)CMakeLists\.txt$|^\.ci/run$')
exit $missing

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds everything with assertions enabled and runs every test.
#   scripts/test.sh             the plain suite (what CI runs)
#   scripts/test.sh --sanitize  the suite built with clang, under AddressSanitizer and
#                               UndefinedBehaviorSanitizer (a second compiler's warnings too)
#   scripts/test.sh --tsan      the suite under ThreadSanitizer
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$root/scripts/packages.sh"

mode="${1:-}"
case "$mode" in
"") build="$root/build-test"; sanitize=""; compiler=g++ ;;
--sanitize) build="$root/build-asan"; sanitize="address,undefined"; compiler=clang++ ;;
--tsan) build="$root/build-tsan"; sanitize="thread"; compiler=g++ ;;
*) echo "usage: scripts/test.sh [--sanitize|--tsan]" >&2; exit 2 ;;
esac

ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${DESKTOP_PACKAGES[@]}"
[ "$compiler" = clang++ ] && ensure_packages "${CLANG_PACKAGES[@]}"

# Optimised, but with assertions: the kernels check their preconditions with assert.
# Our own builds treat every warning as an error (RECKONWISE_WERROR).
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER="$compiler" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g" \
    -DRECKONWISE_TESTS=ON -DRECKONWISE_BENCH=ON -DRECKONWISE_SANITIZE="$sanitize" \
    -DRECKONWISE_WERROR=ON
cmake --build "$build"
if [ -z "$mode" ]; then
    # The programs as scripts/run.sh builds them: a Release build warns differently (-O3).
    cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRECKONWISE_TESTS=OFF \
        -DRECKONWISE_WERROR=ON
    cmake --build "$root/build-release"
fi
# A locale with a decimal comma, so that the tests can show that no result text depends on
# the process locale; generated into the build folder, no root needed.
locales="$build/locales"
if [ ! -e "$locales/de_DE.UTF-8" ] && command -v localedef >/dev/null; then
    mkdir -p "$locales"
    localedef -i de_DE -f UTF-8 "$locales/de_DE.UTF-8" 2>/dev/null || true
fi
export LOCPATH="$locales"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Qt's own hand-overs between threads are invisible to ThreadSanitizer (see the file).
export TSAN_OPTIONS="suppressions=$root/tests/tsan.supp"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
# The Debian package: built, unpacked into an empty root, run from there and linted.
if [ -z "$mode" ]; then
    "$root/scripts/package.sh"
fi

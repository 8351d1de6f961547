#!/usr/bin/env bash
# Renders the README's picture of the window (pad and history open) under Xvfb.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$root/scripts/packages.sh"
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" xvfb xauth
build="$root/build-test"
cmake -S "$root" -B "$build" -G Ninja -DRECKONWISE_TESTS=ON >/dev/null
cmake --build "$build" --target reckonwise-screenshot
xvfb-run -a -s "-screen 0 1024x900x24" "$build/tests/reckonwise-screenshot" "$root/docs/window.png"
echo "wrote docs/window.png"

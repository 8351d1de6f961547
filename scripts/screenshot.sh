#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Renders the README's pictures of the window (pad and history open; history and bits open):
# the real program on a desktop of its own (Xvfb and openbox), cut out with its frame and
# title bar.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$root/scripts/packages.sh"
ensure_packages "${BUILD_PACKAGES[@]}" "${DESKTOP_PACKAGES[@]}"
build="$root/build-release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRECKONWISE_TESTS=OFF -DRECKONWISE_WERROR=ON >/dev/null
cmake --build "$build" --target reckonwise
/usr/bin/python3 "$root/tests/desktop/screenshot.py" "$build/app/reckonwise" "$root/docs/window.png"
/usr/bin/python3 "$root/tests/desktop/screenshot.py" "$build/app/reckonwise" "$root/docs/window-bits.png" --bits

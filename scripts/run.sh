#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds Reckonwise in Release mode and starts it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$root/scripts/packages.sh"
ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}"

build="$root/build-release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRECKONWISE_TESTS=OFF -DRECKONWISE_WERROR=ON
cmake --build "$build"

exec "$build/app/reckonwise" "$@"

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package from a Release build, then checks it: its files unpacked into
# an empty root, reckonwise-eval run from there, and lintian over the package.
#   scripts/package.sh            writes build-package/reckonwise_VERSION_ARCH.deb
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$root/scripts/packages.sh"
ensure_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"

# Debian's hardening flags (stack protector, fortified functions, read-only relocations
# bound at start), as dpkg-buildflags gives them to every Debian package.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
build="$root/build-package"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRECKONWISE_TESTS=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" | tail -1
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls "$build"/reckonwise_*.deb)"
echo "built $deb"

# The package's own files, unpacked into an empty root: the programs run from there.
unpacked="$(mktemp -d)"
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
version="$("$unpacked/usr/bin/reckonwise-eval" --version)"
[ "$version" = "reckonwise-eval $(sed -n 's/^project(Reckonwise VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")" ] ||
    { echo "unexpected version line: $version" >&2; exit 1; }
[ "$("$unpacked/usr/bin/reckonwise-eval" '2^70' --format full)" = 1180591620717411303424 ]
for f in usr/bin/reckonwise usr/share/applications/io.github.reckonwise.Reckonwise.desktop \
         usr/share/metainfo/io.github.reckonwise.Reckonwise.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/reckonwise.svg \
         usr/share/icons/hicolor/48x48/apps/reckonwise.png \
         usr/share/man/man1/reckonwise-eval.1.gz usr/share/doc/reckonwise/copyright; do
    [ -e "$unpacked/$f" ] || { echo "missing from the package: /$f" >&2; exit 1; }
done
dpkg-deb -f "$deb" Depends Recommends
echo "unpacked and ran: $version"

lintian --fail-on error,warning "$deb"
echo "lintian: no errors or warnings"

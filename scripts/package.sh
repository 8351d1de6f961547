#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the two Debian packages from a Release build, then checks them:
# - each unpacked into an empty root of its own holds its files and none of the other's, and
#   reckonwise-eval runs from its package's root;
# - reckonwise-eval's dependencies name no Qt library and do name the line-editing library
#   the program opens (a hard dependency, not a recommendation);
# - dpkg installs both together into a scratch root whose package database is a copy of this
#   system's, so the dependencies are resolved as on this system without touching it, and
#   the installed reckonwise-eval runs;
# - lintian finds no error or warning in either.
#   scripts/package.sh    writes build-package/reckonwise_VERSION_ARCH.deb (the window)
#                         and build-package/reckonwise-eval_VERSION_ARCH.deb (the tool)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$root/scripts/packages.sh"
ensure_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"

fail() {
    echo "package check failed: $*" >&2
    exit 1
}

# Debian's hardening flags (stack protector, fortified functions, read-only relocations
# bound at start), as dpkg-buildflags gives them to every Debian package.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
build="$root/build-package"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRECKONWISE_TESTS=OFF \
    -DRECKONWISE_WERROR=ON \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" | tail -1
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB >/dev/null)
version="$(sed -n 's/^project(Reckonwise VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
arch="$(dpkg --print-architecture)"
window_deb="$build/reckonwise_${version}_$arch.deb"
eval_deb="$build/reckonwise-eval_${version}_$arch.deb"
for deb in "$window_deb" "$eval_deb"; do
    [ -f "$deb" ] || fail "cpack wrote no $(basename "$deb")"
    echo "built $deb"
    echo "  Depends: $(dpkg-deb -f "$deb" Depends)"
    echo "  Recommends: $(dpkg-deb -f "$deb" Recommends)"
done

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

# Each package's own files, unpacked into an empty root.
expect_files() { # DEB FILE... : each FILE is in DEB
    local deb="$1" dir
    shift
    dir="$scratch/$(basename "$deb" .deb)"
    for f in "$@"; do
        [ -e "$dir/$f" ] || fail "missing from $(basename "$deb"): /$f"
    done
}
for deb in "$window_deb" "$eval_deb"; do
    dpkg-deb -x "$deb" "$scratch/$(basename "$deb" .deb)"
done
expect_files "$window_deb" usr/bin/reckonwise \
    usr/share/applications/io.github.reckonwise.Reckonwise.desktop \
    usr/share/metainfo/io.github.reckonwise.Reckonwise.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/reckonwise.svg \
    usr/share/icons/hicolor/48x48/apps/reckonwise.png \
    usr/share/man/man1/reckonwise.1.gz \
    usr/share/doc/reckonwise/copyright usr/share/doc/reckonwise/changelog.gz
[ ! -e "$scratch/$(basename "$window_deb" .deb)/usr/bin/reckonwise-eval" ] ||
    fail "the window's package holds reckonwise-eval too"
# The tool's package holds exactly the program, its manual page and its documentation.
eval_files="$(dpkg-deb --fsys-tarfile "$eval_deb" | tar -t | grep -v '/$' | sort | tr '\n' ' ')"
expected="./usr/bin/reckonwise-eval ./usr/share/doc/reckonwise-eval/changelog.gz \
./usr/share/doc/reckonwise-eval/copyright ./usr/share/man/man1/reckonwise-eval.1.gz "
[ "$eval_files" = "$expected" ] || fail "reckonwise-eval's package holds: $eval_files"

# reckonwise-eval from its package's root.
eval_program="$scratch/$(basename "$eval_deb" .deb)/usr/bin/reckonwise-eval"
[ "$("$eval_program" --version)" = "reckonwise-eval $version" ] ||
    fail "unexpected version line: $("$eval_program" --version)"
[ "$("$eval_program" '2^70' --format full)" = 1180591620717411303424 ] ||
    fail "reckonwise-eval from its package does not compute 2^70"
echo "unpacked both; reckonwise-eval ran from its package's root"

# The tool needs no Qt: neither its package's relations nor the program itself name it.
for field in Pre-Depends Depends Recommends; do
    if dpkg-deb -f "$eval_deb" "$field" | grep -qi qt; then
        fail "reckonwise-eval's $field names Qt: $(dpkg-deb -f "$eval_deb" "$field")"
    fi
done
if readelf -d "$eval_program" | grep NEEDED | grep -qi qt; then
    fail "reckonwise-eval links Qt: $(readelf -d "$eval_program" | grep NEEDED)"
fi
# The line-editing library the program opens at a terminal (libedit.so.N, in Debian's
# package libeditN) is a dependency of its own, not one alternative among others.
soname="$(grep -aoE 'libedit\.so\.[0-9]+' "$eval_program" | head -n 1 || true)"
[ -n "$soname" ] || fail "reckonwise-eval was built without line editing"
edit_package="libedit${soname##*.so.}"
dpkg-deb -f "$eval_deb" Depends | tr ',' '\n' | sed 's/^ *//; s/ *(.*//' | grep -qx "$edit_package" ||
    fail "reckonwise-eval opens $soname, but its Depends lack $edit_package"
echo "reckonwise-eval: no Qt in its dependencies; $edit_package in its Depends"

# Both installed by dpkg together, into a scratch root that knows this system's packages:
# dpkg resolves the dependencies and checks that no file belongs to both packages.
installed="$scratch/installed"
mkdir -p "$installed/var/lib/dpkg/info" "$installed/var/lib/dpkg/updates"
cp /var/lib/dpkg/status "$installed/var/lib/dpkg/status"
touch "$installed/var/lib/dpkg/available"
PATH="$PATH:/usr/local/sbin:/usr/sbin:/sbin" dpkg --root="$installed" --force-not-root \
    --log=/dev/null -i "$window_deb" "$eval_deb" >"$scratch/dpkg.log" 2>&1 ||
    { cat "$scratch/dpkg.log" >&2; fail "dpkg could not install both packages"; }
for p in reckonwise reckonwise-eval; do
    dpkg-query --admindir="$installed/var/lib/dpkg" -W -f='${Status}\n' "$p" |
        grep -qx 'install ok installed' || fail "dpkg did not install $p"
done
[ "$("$installed/usr/bin/reckonwise-eval" '6*7')" = 42 ] ||
    fail "the installed reckonwise-eval does not compute 6*7"
echo "dpkg installed both; the installed reckonwise-eval ran"

lintian --fail-on error,warning "$window_deb" "$eval_deb"
echo "lintian: no errors or warnings in either package"

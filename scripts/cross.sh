#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Reckonwise for another platform and runs its tests there, under an emulator:
#   scripts/cross.sh arm64     ARM64 Linux: aarch64-linux-gnu g++ with Debian's arm64 Qt, the
#                              window included; tests under qemu-aarch64-static
#   scripts/cross.sh windows   64-bit Windows: MinGW-w64 g++, the core and reckonwise-eval.exe
#                              (the window needs a Qt for Windows); tests under Wine
#   scripts/cross.sh libcxx    clang with libc++ on this machine, without the window (Debian's
#                              Qt is built against GNU's C++ library)
#   scripts/cross.sh i386|armhf|s390x|ppc64el
#                              32-bit x86 and ARM, big-endian IBM Z and little-endian POWER
#                              Linux: Debian's cross g++ with the target's multiarch GMP and
#                              libedit, without the window; tests under qemu-*-static
# Installs what it needs from Debian, builds into build-cross-TARGET/ (reckonwise-eval is
# left in build-cross-TARGET/tools/) and exits non-zero when a test fails. For arm64 it then
# builds the two Debian packages (build-cross-arm64/*_arm64.deb) and lints them.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$root/scripts/packages.sh"

target="${1:-}"
build="$root/build-cross-$target"
gui=OFF
case "$target" in
arm64)
    toolchain=aarch64-linux-gnu
    gui=ON
    # Qt's build tools (moc, rcc) run on this machine, its libraries are the arm64 ones.
    packages=(g++-aarch64-linux-gnu qemu-user-static qt6-base-dev qt6-base-dev:arm64
        libgmp-dev:arm64 libedit-dev:arm64 "${PACKAGE_PACKAGES[@]}")
    ;;
windows)
    toolchain=x86_64-w64-mingw32
    packages=(g++-mingw-w64-x86-64-posix wine64)
    ;;
libcxx)
    toolchain=clang-libcxx
    packages=(clang libc++-dev libc++abi-dev libgmp-dev libedit-dev)
    ;;
i386 | armhf | ppc64el)
    toolchain=$(case $target in i386) echo i686-linux-gnu ;; armhf) echo arm-linux-gnueabihf ;;
        ppc64el) echo powerpc64le-linux-gnu ;; esac)
    packages=("g++-$toolchain" qemu-user-static "libgmp-dev:$target" "libedit-dev:$target")
    ;;
s390x)
    # Without libedit: Debian's s390x libedit-dev cannot be installed beside the host's
    # ncurses here; reckonwise-eval then reads a terminal as a plain stream.
    toolchain=s390x-linux-gnu
    packages=("g++-$toolchain" qemu-user-static libgmp-dev:s390x)
    ;;
*)
    echo "usage: scripts/cross.sh arm64|windows|libcxx|i386|armhf|s390x|ppc64el" >&2
    exit 2
    ;;
esac

if [[ $target != windows && $target != libcxx ]] && command -v dpkg >/dev/null &&
    ! dpkg --print-foreign-architectures | grep -qx "$target"; then
    sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" dpkg --add-architecture "$target"
fi
# GoogleTest from its sources (the googletest package), built with the target's compiler.
ensure_packages cmake ninja-build pkg-config googletest mandoc python3 "${packages[@]}"

SECONDS=0
# Optimised, with assertions; warnings are errors as in the native build. The tests are
# listed when ctest runs, not after each build, so that Wine's folder exists first.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/$toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2" \
    -DRECKONWISE_GUI="$gui" -DRECKONWISE_TESTS=ON -DRECKONWISE_WERROR=ON \
    -DRECKONWISE_GTEST_SOURCE=/usr/src/googletest -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST
# The differential tests against the target's GMP must not be left out unnoticed (MinGW has
# no GMP: there they are skipped with a message).
if [[ $target != windows ]] && ! grep -q '^GMP_FOUND:INTERNAL=1$' "$build/CMakeCache.txt"; then
    echo "cross.sh: the target's GMP was not found: the differential tests would be left out" >&2
    exit 1
fi
cmake --build "$build"
built=$SECONDS

if [[ $target == windows && ! -e $build/wine/system.reg ]]; then
    # Wine's folder for this build, made once: the first start takes a while.
    env WINEDEBUG=-all WINEPREFIX="$build/wine" /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || true
fi
# A locale with a decimal comma, as scripts/test.sh makes it: the tests show that no result
# text depends on the process locale.
if [[ $target != windows && ! -e $build/locales/de_DE.UTF-8 ]] && command -v localedef >/dev/null; then
    mkdir -p "$build/locales"
    # The locale files are in the target's byte order.
    order=()
    [[ $target == s390x ]] && order=(--big-endian)
    localedef "${order[@]}" -i de_DE -f UTF-8 "$build/locales/de_DE.UTF-8" 2>/dev/null || true
fi
export LOCPATH="$build/locales"
tests=()
# Where long double is a double (armhf) or a pair of doubles (ppc64el), whose range ends near
# 1.8e308, these tests of floats still expect x87's range and digits (1e499, 2^16383*1.5, the
# 18-digit texts): they are left out there, every other test runs.
narrowFloats='EdgeValues\.(LiteralsAtTheBoundaries|InfinitiesAndNotANumber|SubnormalsAndNegativeZeroBecomeZero'
narrowFloats+='|EndsOfTheLongDoubleRange|LongDoubleFailuresAbandonTheEvaluation|SixtyFourBitBoundariesUnderEveryRange'
narrowFloats+='|EveryFormat)|Evaluation\.LiteralsInEveryBase|NumberCache\.FailedCreationIsNotCachedButItsFinishedPartsAre'
narrowFloats+='|RenderFloat\.GeneralStyle'
case $target in
armhf)
    # A double's 53 bits also make more results whole (atan 1, (1/3)*3) and leave fewer
    # digits to the Full texts and the converter's round trips.
    narrowFloats+='|Evaluation\.(FunctionsAndConstants|ArithmeticOperations)'
    narrowFloats+='|NumberCache\.AngleUnitAndValueRangeArePartOfTheKey'
    narrowFloats+='|Catalogue\.TemperatureScalesRoundTripThroughKelvin'
    tests=(-E "^($narrowFloats)\$")
    ;;
ppc64el)
    tests=(-E "^($narrowFloats)\$")
    ;;
esac
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" "${tests[@]}"
if [[ $target == arm64 ]]; then
    # The two Debian packages for arm64, their dependencies computed from the arm64
    # libraries, linted as scripts/package.sh lints the native ones.
    rm -f "$build"/*.deb
    (cd "$build" && DEB_HOST_ARCH=arm64 cpack -G DEB >/dev/null)
    for deb in "$build"/reckonwise_*_arm64.deb "$build"/reckonwise-eval_*_arm64.deb; do
        [ -f "$deb" ] || { echo "cross.sh: cpack wrote no $(basename "$deb")" >&2; exit 1; }
        echo "built $deb: Depends: $(dpkg-deb -f "$deb" Depends)"
    done
    if dpkg-deb -f "$build"/reckonwise-eval_*_arm64.deb Depends | grep -q qt; then
        echo "cross.sh: the arm64 reckonwise-eval package depends on Qt" >&2
        exit 1
    fi
    lintian --fail-on error,warning "$build"/*_arm64.deb
fi
echo "cross.sh $target: built in $((built / 60)) min $((built % 60)) s," \
    "tested in $(((SECONDS - built) / 60)) min $(((SECONDS - built) % 60)) s"

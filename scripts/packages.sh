# SPDX-License-Identifier: MIT
# Sourced by run.sh and test.sh: installs the Debian packages that are missing.
# Usage: ensure_packages pkg...   (apt-get update runs first, only when something is missing)

ensure_packages() {
    if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
        # Not a Debian system: the names below are Debian's; README names the same
        # dependencies for other distributions. CMake stops with its own message if one
        # is missing.
        echo "note: apt-get not found, so nothing is installed; make sure these (Debian names)" \
            "or your distribution's equivalents are present: $*" >&2
        return 0
    fi
    local missing=()
    local p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What every build needs.
# (libedit: line editing for reckonwise-eval at a terminal.)
BUILD_PACKAGES=(cmake ninja-build g++ make pkg-config qt6-base-dev libedit-dev fonts-dejavu-core)
# What the window needs at run time beyond Qt's libraries: the Wayland platform plugin, so
# that a Wayland session runs the window natively rather than through XWayland.
RUN_PACKAGES=(qt6-wayland)
# The second compiler, for the sanitizer suite and the fuzz targets (libFuzzer, runtimes).
CLANG_PACKAGES=(clang libclang-rt-14-dev)
# What scripts/package.sh needs to build and check the Debian package.
PACKAGE_PACKAGES=(dpkg-dev fakeroot file lintian)
# What the tests and benchmarks need on top (GMP is the tests' oracle only).
# (mandoc: the manual pages' linter; python3: the terminal and desktop tests;
# desktop-file-utils and appstream: the desktop entry's and the AppStream file's validators.)
TEST_PACKAGES=(googletest libgtest-dev libgmp-dev libbenchmark-dev mandoc python3
    desktop-file-utils appstream clang-format)
# What the window tests on a desktop need (tests/desktop): a virtual X server, a window
# manager (two, whose title bars differ in height), the accessibility bus, the tools that
# type, click and read the screen, a screen reader (orca, whose speech the tests read from
# its log; speech-dispatcher is its speech server, procps its pgrep), and a Wayland
# compositor that runs without a screen (sway, typed into with wtype; qt6-wayland).
DESKTOP_PACKAGES=(xvfb openbox metacity xdotool imagemagick x11-utils xclip dbus-daemon
    at-spi2-core gir1.2-atspi-2.0 python3-gi orca speech-dispatcher procps sway wtype
    qt6-wayland)

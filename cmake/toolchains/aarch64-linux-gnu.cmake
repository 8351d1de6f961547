# SPDX-License-Identifier: MIT
# ARM64 Linux from x86-64 Debian: the aarch64-linux-gnu cross compiler, the arm64 multiarch
# libraries (Qt, GMP, libedit) and qemu-aarch64-static to run the tests.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(triple aarch64-linux-gnu)

set(CMAKE_C_COMPILER ${triple}-gcc)
set(CMAKE_CXX_COMPILER ${triple}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${triple})
# The multiarch libraries live beside the host's under /usr; the host's own folders must
# not be searched for libraries.
set(CMAKE_FIND_ROOT_PATH /usr/${triple} /usr/lib/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
set(CMAKE_PREFIX_PATH /usr/lib/${triple}/cmake)
# Qt's build tools (moc, rcc, uic) are the host's.
set(QT_HOST_PATH /usr)

# Without -L: the program's own interpreter path (/lib/ld-linux-aarch64.so.1) is the
# multiarch loader, which finds the multiarch libraries; the cross toolchain's sysroot
# beside it would mix two C libraries and hang thread creation.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64-static)

# pkg-config (GMP, libedit) reads the arm64 files only.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/${triple}/pkgconfig:/usr/share/pkgconfig)

# SPDX-License-Identifier: MIT
# What the Debian cross builds for 32-bit and other-endian Linux share, included by their
# toolchain files after they set triple (the compiler's prefix), multiarch (Debian's folder
# of the target's libraries: GMP, libedit) and qemu (the emulator that runs the tests).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${triple}-gcc)
set(CMAKE_CXX_COMPILER ${triple}-g++)
# Debian's folder, which is not the compiler's name on i386 (i386-linux-gnu, i686-linux-gnu).
set(CMAKE_LIBRARY_ARCHITECTURE ${multiarch})
# The multiarch libraries live beside the host's under /usr; the host's own folders must
# not be searched for libraries.
set(CMAKE_FIND_ROOT_PATH /usr/${triple} /usr/lib/${multiarch})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# As for ARM64, without -L and without QEMU_LD_PREFIX: the program's own interpreter path is
# the multiarch loader, which finds the multiarch C library and GMP.
set(CMAKE_CROSSCOMPILING_EMULATOR ${qemu})

# pkg-config (GMP, libedit) reads the target's files only.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/${multiarch}/pkgconfig:/usr/share/pkgconfig)

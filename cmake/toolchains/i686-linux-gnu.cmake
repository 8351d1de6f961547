# SPDX-License-Identifier: MIT
# 32-bit x86 Linux (i386) from x86-64 Debian: the i686-linux-gnu cross compiler, the i386 multiarch libraries
# (GMP, libedit) and qemu-i386-static to run the tests.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(triple i686-linux-gnu)
set(multiarch i386-linux-gnu)
set(qemu qemu-i386-static)
include(${CMAKE_CURRENT_LIST_DIR}/debian-multiarch.cmake)

# SPDX-License-Identifier: MIT
# 64-bit little-endian POWER Linux (ppc64el) from x86-64 Debian: the powerpc64le-linux-gnu cross compiler, the ppc64el multiarch libraries
# (GMP, libedit) and qemu-ppc64le-static to run the tests.
set(CMAKE_SYSTEM_PROCESSOR ppc64le)
set(triple powerpc64le-linux-gnu)
set(multiarch powerpc64le-linux-gnu)
set(qemu qemu-ppc64le-static)
include(${CMAKE_CURRENT_LIST_DIR}/debian-multiarch.cmake)

# SPDX-License-Identifier: MIT
# IBM Z Linux (s390x, big-endian) from x86-64 Debian: the s390x-linux-gnu cross compiler, the s390x multiarch libraries
# (GMP, libedit) and qemu-s390x-static to run the tests.
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(triple s390x-linux-gnu)
set(multiarch s390x-linux-gnu)
set(qemu qemu-s390x-static)
include(${CMAKE_CURRENT_LIST_DIR}/debian-multiarch.cmake)

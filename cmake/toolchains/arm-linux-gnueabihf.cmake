# SPDX-License-Identifier: MIT
# 32-bit ARM Linux with hardware floats (armhf) from x86-64 Debian: the arm-linux-gnueabihf cross compiler, the armhf multiarch libraries
# (GMP, libedit) and qemu-arm-static to run the tests.
set(CMAKE_SYSTEM_PROCESSOR armv7l)
set(triple arm-linux-gnueabihf)
set(multiarch arm-linux-gnueabihf)
set(qemu qemu-arm-static)
include(${CMAKE_CURRENT_LIST_DIR}/debian-multiarch.cmake)

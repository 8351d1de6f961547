# SPDX-License-Identifier: MIT
# clang with LLVM's C++ library (libc++) instead of GNU's: the closest this Linux machine
# comes to macOS's compiler and library.
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_FLAGS_INIT "-stdlib=libc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-stdlib=libc++")

# SPDX-License-Identifier: MIT
# 64-bit Windows from Debian: MinGW-w64's g++ with POSIX threads (std::thread needs them),
# the programs run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Wine's own notes are left out of the programs' standard error; the arguments are read as
# UTF-8 whatever the test's locale (Wine decodes them by the locale's character set); the
# Wine folder is the build's, made once (scripts/cross.sh), even for a test that empties
# the environment.
set(CMAKE_CROSSCOMPILING_EMULATOR env WINEDEBUG=-all LC_ALL=C.UTF-8
    WINEPREFIX=${CMAKE_BINARY_DIR}/wine /usr/lib/wine/wine64)

# pkg-config must not offer the host's Linux libraries (GMP) to the Windows build.
set(ENV{PKG_CONFIG_LIBDIR} /usr/${triple}/lib/pkgconfig)

# SPDX-License-Identifier: GPL-3.0-or-later
# Builds for 64-bit Windows on Linux with Debian's MinGW-w64 (the posix-thread flavour, which
# has std::thread), and runs what it builds, the tests among them, under Wine:
#   cmake -S . -B build-windows -G Ninja --toolchain cmake/MinGW-w64.cmake -DNORUMI_CORE_ONLY=ON
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's runtime is linked into each program, so that it runs with no DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Wine in a prefix of the build's own, silent, and without the .NET and browser components
# whose installers would otherwise be offered in a dialog when the prefix is first made.
find_program(NORUMI_WINE NAMES wine64 wine PATHS /usr/lib/wine REQUIRED)
set(NORUMI_WINEPREFIX ${CMAKE_BINARY_DIR}/wine)
set(CMAKE_CROSSCOMPILING_EMULATOR
    /usr/bin/env WINEPREFIX=${NORUMI_WINEPREFIX} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
    ${NORUMI_WINE})
# Wine shows the host's root as drive Z:, so a path of the build machine prefixed with this is
# the same folder for a program under test.
set(NORUMI_WINE_HOST_DRIVE Z:)

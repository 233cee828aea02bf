# SPDX-License-Identifier: GPL-3.0-or-later
# The hardening a Debian maintainer expects of every program (dpkg-buildflags with
# hardening=+all): a position-independent executable, so that the loader can place it anywhere;
# stack canaries; glibc's checked string and memory functions; and the relocations resolved at
# start, their table then made read-only. Set here rather than taken from dpkg-buildflags, so that
# every build for Linux gets them, whoever builds it.
#
# Left out where they do not belong: the Windows build (MinGW-w64 has neither the ELF linker
# options nor glibc), and the sanitizer build, whose AddressSanitizer checks every access itself
# and replaces the very functions _FORTIFY_SOURCE would check.
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux" OR NORUMI_SANITIZE
   OR NOT CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  return()
endif()

include(CheckPIESupported)
check_pie_supported(LANGUAGES CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

add_compile_options(-fstack-protector-strong)
# The checked functions need the optimiser to know the sizes of buffers; glibc warns without it.
add_compile_options("$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
add_link_options(LINKER:-z,relro LINKER:-z,now)

# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The nybblex developers
#
# The protections that Debian builds its own packages with (dpkg-buildflags with
# DEB_BUILD_MAINT_OPTIONS=hardening=+all), for every target. Only the protections: the
# optimisation level stays the build type's, since GCC vectorises the kernel at -O3 and
# not at Debian's -O2 (1.6 GB/s against 21 GB/s).
option(NYBBLEX_HARDENING "Build with stack protection, fortified C functions, RELRO and PIE" ON)

if(NOT NYBBLEX_HARDENING OR MSVC OR NOT CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    return()
endif()

if(WIN32)
    # Address space layout randomisation, with 64-bit addresses, and no executable data.
    # The linker sets all three today; named here so that a change of default cannot
    # take them away.
    add_link_options(LINKER:--dynamicbase LINKER:--high-entropy-va LINKER:--nxcompat)
    return()
endif()

add_compile_options(-fstack-protector-strong -fstack-clash-protection
                    -Wformat -Werror=format-security)
# The C library's checked variants of fread, memcpy and the like need the optimiser's
# knowledge of object sizes: with -O0 it warns and does nothing. Level 3, one above
# Debian 12's, also checks buffers whose size is known only when the program runs, such
# as the block buffer that fread fills; level 2 leaves that fread unchecked.
add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=3>)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64|i[3-6]86)$")
    add_compile_options(-fcf-protection) # Intel CET: indirect branch tracking, shadow stack
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|arm64)$")
    add_compile_options(-mbranch-protection=standard) # Arm's BTI and return address signing
endif()

# Read-only relocations, bound when the program starts, and a position-independent
# executable, so that the loader can place it anywhere.
add_link_options(LINKER:-z,relro LINKER:-z,now)
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

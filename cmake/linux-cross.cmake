# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The nybblex developers
#
# What the Linux cross toolchains share: Debian's cross compiler for the GNU triple
# nybblex_triple, its C library under /usr/TRIPLE, and qemu-user running the tests
# (qemu-PROCESSOR -L /usr/TRIPLE), so that the whole test suite runs on this machine.
# Included by a toolchain file that sets nybblex_triple, nybblex_qemu,
# nybblex_debian_architecture (the .deb's) and CMAKE_SYSTEM_PROCESSOR.
set(CMAKE_SYSTEM_NAME Linux)

set(CMAKE_C_COMPILER ${nybblex_triple}-gcc)
set(CMAKE_CXX_COMPILER ${nybblex_triple}-g++)

set(CMAKE_FIND_ROOT_PATH /usr/${nybblex_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR ${nybblex_qemu} -L /usr/${nybblex_triple})

# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The nybblex developers
#
# Builds for 32-bit x86 Linux (Debian's i386) with the native compiler and -m32
# (g++-12-multilib). The programs run on this x86-64 kernel as any i386 program does,
# through its real 32-bit system call interface: no emulator stands between them.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(nybblex_debian_architecture i386)

set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)

# The kernel's asm/ headers serve both word sizes; for -m32 the C library's own folders
# reach them through /usr/include/asm, a link made by Debian's gcc-multilib package. That
# package conflicts with the cross compilers, so the same link is made here instead.
set(nybblex_i386_include ${CMAKE_BINARY_DIR}/i386-include)
file(MAKE_DIRECTORY ${nybblex_i386_include})
file(CREATE_LINK /usr/include/x86_64-linux-gnu/asm ${nybblex_i386_include}/asm SYMBOLIC)

set(CMAKE_C_FLAGS_INIT "-m32 -isystem ${nybblex_i386_include}")
set(CMAKE_CXX_FLAGS_INIT "-m32 -isystem ${nybblex_i386_include}")
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -m32)

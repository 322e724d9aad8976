# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The nybblex developers
#
# Cross-builds for IBM Z Linux (s390x), big-endian, so that any assumption about byte order
# shows; with Debian's cross compiler, the tests under qemu-user.
set(nybblex_triple s390x-linux-gnu)
set(nybblex_qemu qemu-s390x)
set(nybblex_debian_architecture s390x)
set(CMAKE_SYSTEM_PROCESSOR s390x)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)

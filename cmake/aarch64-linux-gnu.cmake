# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The nybblex developers
#
# Cross-builds for 64-bit ARM Linux (Debian's arm64) with Debian's cross compiler, and runs
# the tests under qemu-user.
set(nybblex_triple aarch64-linux-gnu)
set(nybblex_qemu qemu-aarch64)
set(nybblex_debian_architecture arm64)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)

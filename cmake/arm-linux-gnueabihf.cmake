# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The nybblex developers
#
# Cross-builds for 32-bit ARM Linux with hardware floating point (Debian's armhf, as on
# 32-bit Raspberry Pi systems) with Debian's cross compiler; the tests run under qemu-user.
set(nybblex_triple arm-linux-gnueabihf)
set(nybblex_qemu qemu-arm)
set(nybblex_debian_architecture armhf)
set(CMAKE_SYSTEM_PROCESSOR armv7l)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)

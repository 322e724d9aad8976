# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The nybblex developers
#
# Writes DIST/SHA256SUMS for every other file in DIST, in the form that
# `sha256sum -c SHA256SUMS` checks, sorted by name so that it is the same every time.
#   cmake -DDIST=folder -P sha256sums.cmake
file(GLOB files RELATIVE ${DIST} ${DIST}/*)
list(REMOVE_ITEM files SHA256SUMS)
list(SORT files)
if(NOT files)
    message(FATAL_ERROR "${DIST} holds no downloads")
endif()
set(sums "")
foreach(name IN LISTS files)
    file(SHA256 ${DIST}/${name} hash)
    string(APPEND sums "${hash}  ${name}\n")
endforeach()
file(WRITE ${DIST}/SHA256SUMS "${sums}")

# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The nybblex developers
#
# The release: every download built in a configuration of its own, from the same
# sources with the same options as the tested presets, packed, and gathered in dist/
# with a SHA256SUMS file that lists them all. The folder is emptied first, so that it
# never holds a package of an earlier build.
include(ExternalProject)

set(dist ${PROJECT_BINARY_DIR}/dist)
add_custom_target(nybblex_empty_dist
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${dist}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dist}
    COMMENT "Emptying ${dist}"
    VERBATIM)

# What the tests check is the default preset's build; the packages are the same
# program, so the release builds no tests or benchmarks of its own.
set(release_options
    -DCMAKE_BUILD_TYPE=Release
    -DNYBBLEX_WARNINGS_AS_ERRORS=ON
    -DNYBBLEX_BUILD_TESTS=OFF
    -DNYBBLEX_BUILD_BENCHMARKS=OFF
    -DNYBBLEX_MAINTAINER=${NYBBLEX_MAINTAINER}
    -DCPACK_OUTPUT_FILE_PREFIX=${dist})

# One download: configure and build in build/release/NAME, then let CPack write the
# package straight into dist/. Extra arguments go to the configuration. CPack gives the
# members of a .deb the permissions that its files get on disk, and a zip's entries the
# local time, so it runs with a fixed umask and in UTC: a package must not depend on
# the umask or time zone of whoever builds it.
function(nybblex_download name)
    ExternalProject_Add(${name}
        SOURCE_DIR ${PROJECT_SOURCE_DIR}
        BINARY_DIR ${PROJECT_BINARY_DIR}/${name}
        CMAKE_ARGS ${release_options} ${ARGN}
        BUILD_ALWAYS ON
        INSTALL_COMMAND sh -c "umask 022 && TZ=UTC0 && export TZ && exec \"$0\" --config \"$1\""
                        ${CMAKE_CPACK_COMMAND} <BINARY_DIR>/CPackConfig.cmake
        DEPENDS nybblex_empty_dist)
    set_property(GLOBAL APPEND PROPERTY nybblex_downloads ${name})
endfunction()

nybblex_download(linux)
nybblex_download(linux-arm64
    -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/aarch64-linux-gnu.cmake)
nybblex_download(linux-armhf
    -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/arm-linux-gnueabihf.cmake)
nybblex_download(windows
    -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake)

get_property(downloads GLOBAL PROPERTY nybblex_downloads)
add_custom_target(nybblex_checksums ALL
    COMMAND ${CMAKE_COMMAND} -DDIST=${dist} -P ${PROJECT_SOURCE_DIR}/cmake/sha256sums.cmake
    DEPENDS ${downloads}
    COMMENT "Listing the downloads in ${dist}/SHA256SUMS"
    VERBATIM)

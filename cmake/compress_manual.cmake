# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The nybblex developers
#
# Run by CPack on its staging folder before it builds the .deb: Debian installs manual
# pages compressed (gzip -9n, so the package is the same from build to build).
file(GLOB_RECURSE pages "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*.[1-9]")
list(FILTER pages INCLUDE REGEX "/man/man[1-9]/[^/]*$")
foreach(page IN LISTS pages)
    execute_process(COMMAND gzip -9nf "${page}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()

# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The nybblex developers
#
# Run by CPack on its staging folder, after the binaries are stripped and before the
# .deb is made, to finish them as Debian's own packages are finished.

# Manual pages are installed compressed (gzip -9n, so the package is the same from
# build to build).
file(GLOB_RECURSE pages "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*.[1-9]")
list(FILTER pages INCLUDE REGEX "/man/man[1-9]/[^/]*$")
foreach(page IN LISTS pages)
    execute_process(COMMAND gzip -9nf "${page}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()

# Programs carry no .comment section: it only names the compilers that made them.
file(GLOB_RECURSE programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
list(FILTER programs INCLUDE REGEX "/bin/[^/]*$")
foreach(program IN LISTS programs)
    execute_process(COMMAND ${CPACK_NYBBLEX_OBJCOPY} --remove-section=.comment "${program}"
                    COMMAND_ERROR_IS_FATAL ANY)
endforeach()

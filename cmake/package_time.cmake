# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The nybblex developers
#
# Read by cpack before it makes a package. Every time stamp in a package comes from
# SOURCE_DATE_EPOCH, never from the clock: when the caller has not set it, it is the
# time of the last commit, or, outside a git checkout, the date of the newest release
# in the changelog.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND git -C ${CPACK_NYBBLEX_SOURCE_DIR} log -1 --format=%ct
                    OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE git_failed ERROR_QUIET)
    if(git_failed EQUAL 0 AND commit_time MATCHES "^[0-9]+$")
        set(ENV{SOURCE_DATE_EPOCH} ${commit_time})
    else()
        set(ENV{SOURCE_DATE_EPOCH} ${CPACK_NYBBLEX_RELEASE_EPOCH})
    endif()
endif()

# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The nybblex developers
#
# CHANGELOG.md is the one place where releases are written down: the build takes its
# version and date from the newest section, and the Debian changelog is made from it.
# Its form, kept simple enough to be read here:
#   ## VERSION - YYYY-MM-DD      one heading per release, newest first
#   - an item                    what a user gets
#     its further lines          indented by two blanks

set(nybblex_release_heading
    "^## ([0-9]+\\.[0-9]+\\.[0-9]+) - ([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")

# Days from 1970-01-01 to a date of the Gregorian calendar from 1970 on (the
# days_from_civil method: the year is shifted to start in March, so that the leap day
# falls at its end).
function(nybblex_days_since_epoch year month day out_var)
    foreach(part year month day)
        string(REGEX REPLACE "^0+([0-9])" "\\1" ${part} "${${part}}") # 08 is not octal
    endforeach()
    if(month GREATER 2)
        set(y ${year})
        math(EXPR shifted_month "${month} - 3")
    else()
        math(EXPR y "${year} - 1")
        math(EXPR shifted_month "${month} + 9")
    endif()
    math(EXPR era "${y} / 400")
    math(EXPR year_of_era "${y} - ${era} * 400")
    math(EXPR day_of_year "(153 * ${shifted_month} + 2) / 5 + ${day} - 1")
    math(EXPR day_of_era
        "${year_of_era} * 365 + ${year_of_era} / 4 - ${year_of_era} / 100 + ${day_of_year}")
    math(EXPR days "${era} * 146097 + ${day_of_era} - 719468")
    set(${out_var} ${days} PARENT_SCOPE)
endfunction()

# The version and date (YYYY-MM-DD) of the newest release in the changelog.
function(nybblex_newest_release changelog version_var date_var)
    file(STRINGS ${changelog} headings REGEX "^## ")
    list(LENGTH headings count)
    if(count EQUAL 0)
        message(FATAL_ERROR "${changelog} has no release heading")
    endif()
    list(GET headings 0 newest)
    if(NOT newest MATCHES "${nybblex_release_heading}")
        message(FATAL_ERROR "${changelog}: '${newest}' is not '## VERSION - YYYY-MM-DD'")
    endif()
    set(${version_var} ${CMAKE_MATCH_1} PARENT_SCOPE)
    set(${date_var} "${CMAKE_MATCH_2}-${CMAKE_MATCH_3}-${CMAKE_MATCH_4}" PARENT_SCOPE)
endfunction()

# Seconds from 1970-01-01 00:00 UTC to the start of a YYYY-MM-DD day.
function(nybblex_date_epoch date out_var)
    string(REPLACE "-" ";" parts "${date}")
    nybblex_days_since_epoch(${parts} days)
    math(EXPR seconds "${days} * 86400")
    set(${out_var} ${seconds} PARENT_SCOPE)
endfunction()

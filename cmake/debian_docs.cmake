# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The nybblex developers
#
# Makes the two files that Debian wants in /usr/share/doc/PACKAGE, from the project's
# own CHANGELOG.md and LICENSE, so that neither is ever written twice:
#   changelog.gz  the changelog in Debian's format, compressed as Debian does (gzip -9n)
#   copyright     the licence in Debian's machine-readable copyright format
#
# cmake -DPACKAGE=name -DMAINTAINER="Name <address>" -DCHANGELOG=CHANGELOG.md
#       -DLICENSE=LICENSE -DOUTPUT_DIR=folder -P debian_docs.cmake
include(${CMAKE_CURRENT_LIST_DIR}/changelog.cmake)

foreach(input PACKAGE MAINTAINER CHANGELOG LICENSE OUTPUT_DIR)
    if(NOT DEFINED ${input})
        message(FATAL_ERROR "debian_docs.cmake needs -D${input}=...")
    endif()
endforeach()

# Splits text into its first line and the rest; the text is handled as one string
# throughout, never as a CMake list, so that a ';' in it stays a character.
macro(take_line text line)
    string(FIND "${${text}}" "\n" end_of_line)
    if(end_of_line EQUAL -1)
        set(${line} "${${text}}")
        set(${text} "")
    else()
        string(SUBSTRING "${${text}}" 0 ${end_of_line} ${line})
        math(EXPR next "${end_of_line} + 1")
        string(SUBSTRING "${${text}}" ${next} -1 ${text})
    endif()
endmacro()

# "Fri, 11 Dec 2026 00:00:00 +0000": releases are dated by the day only.
function(debian_date year month day out_var)
    nybblex_days_since_epoch(${year} ${month} ${day} days)
    math(EXPR weekday "(${days} + 4) % 7") # 1970-01-01 was a Thursday
    set(weekdays Sun Mon Tue Wed Thu Fri Sat)
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(GET weekdays ${weekday} weekday_name)
    math(EXPR month_index "${month} - 1")
    list(GET months ${month_index} month_name)
    set(${out_var} "${weekday_name}, ${day} ${month_name} ${year} 00:00:00 +0000" PARENT_SCOPE)
endfunction()

# One Debian changelog entry per release heading, its items as "  * " lines.
file(READ ${CHANGELOG} text)
set(debian "")
set(trailer "")
set(in_release FALSE)
while(NOT text STREQUAL "")
    take_line(text line)
    if(line MATCHES "^## ")
        if(NOT line MATCHES "${nybblex_release_heading}")
            message(FATAL_ERROR "${CHANGELOG}: '${line}' is not '## VERSION - YYYY-MM-DD'")
        endif()
        debian_date(${CMAKE_MATCH_2} ${CMAKE_MATCH_3} ${CMAKE_MATCH_4} date)
        string(APPEND debian "${trailer}${PACKAGE} (${CMAKE_MATCH_1}) stable; urgency=medium\n\n")
        set(trailer "\n -- ${MAINTAINER}  ${date}\n\n")
        set(in_release TRUE)
    elseif(NOT in_release OR line STREQUAL "")
        # The title and the words before the first release are not part of any release.
    elseif(line MATCHES "^- (.*)$")
        string(APPEND debian "  * ${CMAKE_MATCH_1}\n")
    elseif(line MATCHES "^  (.*)$")
        string(APPEND debian "    ${CMAKE_MATCH_1}\n")
    else()
        message(FATAL_ERROR "${CHANGELOG}: '${line}' is neither '- item' nor its indented line")
    endif()
endwhile()
if(debian STREQUAL "")
    message(FATAL_ERROR "${CHANGELOG} has no release")
endif()
string(REGEX REPLACE "\n\n$" "\n" debian "${debian}${trailer}")
# Markdown's code quotes mean nothing in a plain-text changelog.
string(REPLACE "`" "" debian "${debian}")

file(MAKE_DIRECTORY ${OUTPUT_DIR})
file(WRITE ${OUTPUT_DIR}/changelog "${debian}")
execute_process(COMMAND gzip -9nf ${OUTPUT_DIR}/changelog COMMAND_ERROR_IS_FATAL ANY)

# The copyright line and the licence text both come from LICENSE: its first line is the
# licence's name, then the copyright line, then the text.
file(READ ${LICENSE} text)
take_line(text title)
set(holders "")
set(body "")
set(after_copyright FALSE)
while(NOT text STREQUAL "")
    take_line(text line)
    if(line MATCHES "^Copyright \\(c\\) (.+)$")
        set(holders "${CMAKE_MATCH_1}")
        set(after_copyright TRUE)
    elseif(after_copyright AND NOT (body STREQUAL "" AND line STREQUAL ""))
        # Continuation lines of a field start with a blank; an empty line is " .".
        if(line STREQUAL "")
            string(APPEND body " .\n")
        else()
            string(APPEND body " ${line}\n")
        endif()
    endif()
endwhile()
if(holders STREQUAL "" OR body STREQUAL "")
    message(FATAL_ERROR "${LICENSE} has no 'Copyright (c) ...' line followed by the licence")
endif()
string(REGEX REPLACE " \\.\n$" "" body "${body}")
string(REGEX REPLACE " License$" "" licence_name "${title}")
file(WRITE ${OUTPUT_DIR}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: ${PACKAGE}
Upstream-Contact: ${MAINTAINER}

Files: *
Copyright: ${holders}
License: ${licence_name}

License: ${licence_name}
${body}")

# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The nybblex developers
#
# The Debian changelog and copyright files made from a small changelog and licence:
# dates across a leap day and other centuries (the weekday is Debian's to check),
# Markdown quotes, semicolons, and the refusal of a changelog it cannot read.
#   cmake -DSCRIPT=cmake/debian_docs.cmake -DWORK=folder -P debian_docs_test.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(make_docs changelog_text out_result)
    file(WRITE ${WORK}/CHANGELOG.md "${changelog_text}")
    file(WRITE ${WORK}/LICENSE "Some License\n\nCopyright (c) 1999 A; B\n\nFirst line.\n\nLast line.\n")
    execute_process(
        COMMAND ${CMAKE_COMMAND} -DPACKAGE=pkg "-DMAINTAINER=M <m@example.org>"
                -DCHANGELOG=${WORK}/CHANGELOG.md -DLICENSE=${WORK}/LICENSE
                -DOUTPUT_DIR=${WORK}/out -P ${SCRIPT}
        RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
    set(${out_result} ${result} PARENT_SCOPE)
endfunction()

function(expect_file path expected)
    file(READ ${path} actual)
    if(NOT actual STREQUAL expected)
        message(FATAL_ERROR "${path} holds:\n${actual}\nexpected:\n${expected}")
    endif()
endfunction()

make_docs("# Changelog

Words before the first release.

## 2.0.0 - 2028-02-29

- A leap day; with `code` in it
  and a second line
- Another item

## 1.10.3 - 2000-07-05

- The second

## 0.1.0 - 1999-12-31

- The first
" result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "a well-formed changelog was refused")
endif()
execute_process(COMMAND gzip -dc ${WORK}/out/changelog.gz OUTPUT_FILE ${WORK}/changelog
                COMMAND_ERROR_IS_FATAL ANY)
expect_file(${WORK}/changelog "pkg (2.0.0) stable; urgency=medium

  * A leap day; with code in it
    and a second line
  * Another item

 -- M <m@example.org>  Tue, 29 Feb 2028 00:00:00 +0000

pkg (1.10.3) stable; urgency=medium

  * The second

 -- M <m@example.org>  Wed, 05 Jul 2000 00:00:00 +0000

pkg (0.1.0) stable; urgency=medium

  * The first

 -- M <m@example.org>  Fri, 31 Dec 1999 00:00:00 +0000
")
expect_file(${WORK}/out/copyright "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: pkg
Upstream-Contact: M <m@example.org>

Files: *
Copyright: 1999 A; B
License: Some

License: Some
 First line.
 .
 Last line.
")

# What it cannot turn into Debian's format is refused, never passed on half-read.
foreach(bad IN ITEMS
        "## 1.0 - 2026-12-11\n\n- a version of two numbers\n"
        "## 1.0.0 - 2026-1-1\n\n- a date without leading zeros\n"
        "## 1.0.0 - 2026-12-11\n\nText that is no item.\n"
        "# Changelog\n\nNo release at all.\n")
    make_docs("${bad}" result)
    if(result EQUAL 0)
        message(FATAL_ERROR "this changelog was taken:\n${bad}")
    endif()
endforeach()

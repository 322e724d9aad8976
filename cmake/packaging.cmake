# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The nybblex developers
#
# What `cmake --install` puts where, and the packages CPack makes of it: a .deb from a
# native build, a .zip from the Windows build.
include(GNUInstallDirs)

# Folders made by the install get these permissions whatever the umask of the build,
# as the files do: a package must not depend on who built it.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The manual page carries the version and date of the newest release.
set(manual_page ${PROJECT_BINARY_DIR}/man/nybblex.1)
configure_file(man/nybblex.1.in ${manual_page} @ONLY)

if(WIN32)
    # A Windows download is one folder: the program, the README, the manual as text, the
    # licence, and a batch file that converts a folder. The text files get CR LF, for any
    # Windows editor.
    find_program(GROFF groff REQUIRED)
    set(manual_text ${PROJECT_BINARY_DIR}/nybblex.txt)
    set(license_text ${PROJECT_BINARY_DIR}/LICENSE.txt)
    # Plain ASCII without overstrikes or escapes.
    add_custom_command(OUTPUT ${manual_text}
        COMMAND sh -c "${GROFF} -man -Tascii -P-cbou \"$0\" | sed 's/$/\\r/' > \"$1\""
                ${manual_page} ${manual_text}
        DEPENDS ${manual_page}
        COMMENT "Rendering the manual page as text"
        VERBATIM)
    add_custom_command(OUTPUT ${license_text}
        COMMAND sh -c "sed 's/$/\\r/' \"$0\" > \"$1\"" ${PROJECT_SOURCE_DIR}/LICENSE ${license_text}
        DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE
        VERBATIM)
    add_custom_target(nybblex_documents ALL DEPENDS ${manual_text} ${license_text})

    install(TARGETS nybblex RUNTIME DESTINATION .)
    install(FILES README.md ${manual_text} ${license_text} examples/convert-all.bat
            DESTINATION .)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win64)
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
    # Debian's changelog.gz and copyright, made from CHANGELOG.md and LICENSE.
    set(debian_docs ${PROJECT_BINARY_DIR}/debian-docs)
    add_custom_command(OUTPUT ${debian_docs}/changelog.gz ${debian_docs}/copyright
        COMMAND ${CMAKE_COMMAND} -DPACKAGE=${PROJECT_NAME} -DMAINTAINER=${NYBBLEX_MAINTAINER}
                -DCHANGELOG=${PROJECT_SOURCE_DIR}/CHANGELOG.md
                -DLICENSE=${PROJECT_SOURCE_DIR}/LICENSE -DOUTPUT_DIR=${debian_docs}
                -P ${PROJECT_SOURCE_DIR}/cmake/debian_docs.cmake
        DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_SOURCE_DIR}/LICENSE
                ${PROJECT_SOURCE_DIR}/cmake/debian_docs.cmake
                ${PROJECT_SOURCE_DIR}/cmake/changelog.cmake
        COMMENT "Making the Debian changelog and copyright files"
        VERBATIM)
    add_custom_target(nybblex_documents ALL
        DEPENDS ${debian_docs}/changelog.gz ${debian_docs}/copyright)

    install(TARGETS nybblex RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${manual_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES README.md ${debian_docs}/changelog.gz ${debian_docs}/copyright
            DESTINATION ${CMAKE_INSTALL_DOCDIR})
    set(CPACK_GENERATOR DEB)
endif()

set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "nybblex developers")
set(CPACK_PACKAGE_CONTACT ${NYBBLEX_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "unpack 4-bit nibbles into one byte each")
set(CPACK_PACKAGE_DESCRIPTION
    "nybblex writes every byte of a source file as two bytes of a destination file,
its low nibble first and its high nibble second, so the destination is twice
as long and every byte in it lies between 0x00 and 0x0F. It is meant for
packed 4-bit images that another tool wants one pixel to a byte. It never
writes to the source, refuses a destination that is the source itself, and
reports every read, write and close failure by a fixed line and exit status.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A cross build's package is for the architecture its toolchain file names, not this
# machine's.
if(DEFINED nybblex_debian_architecture)
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${nybblex_debian_architecture})
endif()
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends: the C library version the binary really needs, worked out by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

# Packages take every file time from SOURCE_DATE_EPOCH: set from the last commit when
# the caller has not set it, so that two builds of one commit give the same bytes.
nybblex_date_epoch(${NYBBLEX_RELEASE_DATE} CPACK_NYBBLEX_RELEASE_EPOCH)
set(CPACK_NYBBLEX_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/package_time.cmake)
if(NOT WIN32)
    set(CPACK_NYBBLEX_OBJCOPY ${CMAKE_OBJCOPY})
    set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/deb_staging.cmake)
endif()

include(CPack)

# Where the game goes when installed, and the packages players get.
#
#   cmake --install build/release [--prefix DIR]   the game, menu entry, icons, AppStream
#                                                  data, manual page, licence and changelog
#   (cd build/release && cpack)                    quelmo_<version>_<arch>.deb
#
# On Windows, a zip to unpack anywhere, and in the browser build the site as a zip
# with its page at the top, for any static host or game portal:
#   cmake --build --preset windows --target zip    build/windows/quelmo-<version>-win64.zip
#   cmake --build --preset web --target zip        build/web/quelmo-<version>-web.zip
# tools/release.sh makes all three for a release.

# zip: the installed files under `top` (a folder in the zip, or . for none), written
# by cmake/ZipFolder.cmake in a fixed order, into <binary dir>/<name>.zip.
function(quelmo_zip_target name top built)
  set(stage ${PROJECT_BINARY_DIR}/zip-stage)
  set(strip "")
  if(WIN32)
    set(strip --strip)
  endif()
  add_custom_target(zip
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
    COMMAND ${CMAKE_COMMAND} --install ${PROJECT_BINARY_DIR} --prefix ${stage}/${top} ${strip}
    COMMAND ${CMAKE_COMMAND} -DFOLDER=${stage} -DZIP=${PROJECT_BINARY_DIR}/${name}.zip
            -P ${PROJECT_SOURCE_DIR}/cmake/ZipFolder.cmake
    DEPENDS ${built}
    COMMENT "Writing ${name}.zip"
    VERBATIM)
endfunction()

if(EMSCRIPTEN)
  quelmo_zip_target(quelmo-${PROJECT_VERSION}-web . quelmo-web)
  return()
endif()

if(WIN32)
  install(TARGETS quelmo RUNTIME DESTINATION .)
  configure_file(${PROJECT_SOURCE_DIR}/assets/windows/README.txt.in
                 ${PROJECT_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${PROJECT_BINARY_DIR}/README.txt DESTINATION .)
  install(FILES ${QUELMO_FONT_LICENCE} DESTINATION . RENAME LICENSE-Lato.txt)
  quelmo_zip_target(quelmo-${PROJECT_VERSION}-win64 quelmo-${PROJECT_VERSION}-win64 quelmo)
  return()
endif()

include(GNUInstallDirs)
set(QUELMO_APP_ID org.quelmo.Quelmo)
set(QUELMO_MAINTAINER "Quelmo developers <developers@quelmo.org>" CACHE STRING
    "The Debian package's maintainer, as 'Name <address>'")
set(QUELMO_LINUX_SOURCES ${PROJECT_SOURCE_DIR}/assets/linux)
set(QUELMO_LINUX_MADE ${PROJECT_BINARY_DIR}/linux)
# Debian keeps games apart from other programs, in /usr/games.
set(QUELMO_GAMES_DIR games)
set(QUELMO_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/quelmo)
# The menu entry's icon at each size, from the files made by tools/make-assets.
set(QUELMO_DESKTOP_ICONS 64 quelmo.png 128 quelmo-128.png 256 quelmo-256.png)

# --- the releases, from the changelog ----------------------------------------------
# Each entry opens with "quelmo (VERSION) ..." and closes with " -- NAME <ADDRESS>  DATE"
# (DATE as "Tue, 08 Dec 2026 12:00:00 +0000"); the newest is the project's version.
# The AppStream file lists them and the manual page carries the newest one's date.
set(QUELMO_CHANGELOG ${QUELMO_LINUX_SOURCES}/changelog)
file(READ ${QUELMO_CHANGELOG} changelog)
string(REGEX MATCHALL "(^|\n)quelmo \\(([^)]*)\\)" headers "${changelog}")
string(REGEX MATCHALL "\n -- [^\n]*" trailers "${changelog}")
list(LENGTH headers count)
list(LENGTH trailers trailer_count)
if(count EQUAL 0 OR NOT count EQUAL trailer_count)
  message(FATAL_ERROR "${QUELMO_CHANGELOG}: ${count} entries open with 'quelmo (VERSION)' but "
                      "${trailer_count} close with ' -- NAME <ADDRESS>  DATE'")
endif()
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
set(QUELMO_RELEASES "")
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
  list(GET headers ${i} header)
  list(GET trailers ${i} trailer)
  string(REGEX REPLACE ".*\\((.*)\\)" "\\1" version "${header}")
  if(NOT trailer MATCHES ">  [A-Z][a-z][a-z], ([0-9]?[0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    message(FATAL_ERROR "${QUELMO_CHANGELOG}: the entry of ${version} has no date like "
                        "'Tue, 08 Dec 2026 12:00:00 +0000' in '${trailer}'")
  endif()
  set(day ${CMAKE_MATCH_1})
  set(year ${CMAKE_MATCH_3})
  string(LENGTH "${day}" digits)
  if(digits EQUAL 1)
    set(day 0${day})
  endif()
  list(FIND months ${CMAKE_MATCH_2} month)
  if(month LESS 0)
    message(FATAL_ERROR "${QUELMO_CHANGELOG}: no month '${CMAKE_MATCH_2}' in the entry of ${version}")
  endif()
  math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
  if(month LESS 10)
    set(month 0${month})
  endif()
  if(i EQUAL 0)
    if(NOT version STREQUAL PROJECT_VERSION)
      message(FATAL_ERROR "${QUELMO_CHANGELOG}: the newest entry is ${version}, but the project "
                          "is ${PROJECT_VERSION}: add an entry for it")
    endif()
    set(QUELMO_RELEASE_DATE ${year}-${month}-${day})
  endif()
  string(APPEND QUELMO_RELEASES "    <release version=\"${version}\" date=\"${year}-${month}-${day}\"/>\n")
endforeach()

# --- the licence of the text face, for the copyright file ---------------------------
# Debian's fonts-lato file is in the same machine-readable format: its first paragraph
# gives the copyright, and its licence paragraph goes into ours as it is.
file(READ ${QUELMO_FONT_LICENCE} font_licence)
if(NOT font_licence MATCHES "\nCopyright: ([^\n]*)\nLicense: OFL-1.1\n")
  message(FATAL_ERROR "${QUELMO_FONT_LICENCE} has no 'Copyright:' and 'License: OFL-1.1' "
                      "lines: set QUELMO_FONT_LICENCE to Debian's fonts-lato copyright file")
endif()
string(STRIP "${CMAKE_MATCH_1}" QUELMO_FONT_COPYRIGHT)
string(FIND "${font_licence}" "\nLicense: OFL-1.1\n" start)
math(EXPR start "${start} + 1")
string(SUBSTRING "${font_licence}" ${start} -1 paragraph)
string(FIND "${paragraph}" "\n\n" end)
string(SUBSTRING "${paragraph}" 0 ${end} QUELMO_FONT_LICENCE_PARAGRAPH)
# Lintian counts the licence's trailing blanks as a fault of ours.
string(REGEX REPLACE "[ \t]+\n" "\n" QUELMO_FONT_LICENCE_PARAGRAPH "${QUELMO_FONT_LICENCE_PARAGRAPH}")

# --- the files made from the sources above ---------------------------------------------
configure_file(${QUELMO_LINUX_SOURCES}/${QUELMO_APP_ID}.metainfo.xml.in
               ${QUELMO_LINUX_MADE}/${QUELMO_APP_ID}.metainfo.xml @ONLY)
configure_file(${QUELMO_LINUX_SOURCES}/copyright.in ${QUELMO_LINUX_MADE}/copyright @ONLY)
configure_file(${QUELMO_LINUX_SOURCES}/quelmo.6.in ${QUELMO_LINUX_MADE}/quelmo.6 @ONLY)
# Compressed as Debian asks: the most, and without the file's name and time.
find_program(QUELMO_GZIP gzip REQUIRED)
foreach(pair "${QUELMO_LINUX_MADE}/quelmo.6|quelmo.6.gz" "${QUELMO_CHANGELOG}|changelog.gz")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 in)
  list(GET pair 1 out)
  execute_process(COMMAND ${QUELMO_GZIP} -9n -c ${in} OUTPUT_FILE ${QUELMO_LINUX_MADE}/${out}
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip could not compress ${in}")
  endif()
endforeach()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${QUELMO_CHANGELOG}
             ${QUELMO_FONT_LICENCE})

# --- what is installed -----------------------------------------------------------------
install(TARGETS quelmo RUNTIME DESTINATION ${QUELMO_GAMES_DIR})
# Stripped for the package, the compiler's notes (.comment) too.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment
                    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${QUELMO_GAMES_DIR}/quelmo\"
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()")
install(FILES ${QUELMO_LINUX_SOURCES}/${QUELMO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QUELMO_LINUX_MADE}/${QUELMO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
list(LENGTH QUELMO_DESKTOP_ICONS icon_entries)
math(EXPR last "${icon_entries} - 1")
foreach(i RANGE 0 ${last} 2)
  math(EXPR next "${i} + 1")
  list(GET QUELMO_DESKTOP_ICONS ${i} size)
  list(GET QUELMO_DESKTOP_ICONS ${next} file)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/${file}
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${QUELMO_APP_ID}.png)
endforeach()
install(FILES ${QUELMO_LINUX_MADE}/quelmo.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${QUELMO_LINUX_MADE}/copyright ${QUELMO_LINUX_MADE}/changelog.gz
        DESTINATION ${QUELMO_DOC_DIR})
install(FILES ${QUELMO_LINUX_SOURCES}/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME quelmo)

# --- the Debian package ----------------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quelmo)
set(CPACK_PACKAGE_VENDOR "Quelmo")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "pipe-laying puzzle: lay pipes before the water flows")
# Lines of at most 80 characters, as Debian's tools show them.
set(CPACK_PACKAGE_DESCRIPTION "\
A single-player puzzle in one small window, with a German interface. You
never choose a piece: pipe pieces come in a fixed random order from a queue,
and each click on a free cell of the field lays the next one there.

When the countdown ends, water leaves the coloured start tiles and runs along
the pipes, up to four streams at once, through their pass tiles into their
goals. A stream that meets a closed side, grass or the edge of the field ends
the level. Ten levels, played with the mouse alone.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QUELMO_MAINTAINER})
# Library dependencies (SDL2, Xlib) are read from the binary itself.  The glyphs are
# built in, so FreeType is not among them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)

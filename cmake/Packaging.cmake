# Desktop integration and the Debian package.
#
#   cmake --install build/release [--prefix DIR]   binary, menu entry, icon, AppStream data
#   (cd build/release && cpack)                    quelmo_<version>_<arch>.deb
#
# On Windows, a zip to unpack anywhere:
#   (cd build/windows && cpack)                    quelmo-<version>-win64.zip
if(WIN32)
  configure_file(${PROJECT_SOURCE_DIR}/assets/windows/README.txt.in
                 ${PROJECT_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${PROJECT_BINARY_DIR}/README.txt DESTINATION .)
  # The text face is drawn from Lato, whose licence travels with it.
  set(QUELMO_FONT_LICENCE /usr/share/doc/fonts-lato/copyright CACHE FILEPATH
      "Licence of the text face, shipped with the Windows program")
  install(FILES ${QUELMO_FONT_LICENCE} DESTINATION . RENAME LICENSE-Lato.txt)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_NAME quelmo)
  set(CPACK_PACKAGE_FILE_NAME quelmo-${PROJECT_VERSION}-win64)
  set(CPACK_STRIP_FILES ON)
  include(CPack)
  return()
endif()

include(GNUInstallDirs)

set(QUELMO_APP_ID org.quelmo.Quelmo)
install(FILES ${PROJECT_SOURCE_DIR}/assets/linux/${QUELMO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/assets/linux/${QUELMO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
set(QUELMO_ICON_PNG ${PROJECT_SOURCE_DIR}/assets/quelmo.png)
if(EXISTS ${QUELMO_ICON_PNG})
  install(FILES ${QUELMO_ICON_PNG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps
          RENAME ${QUELMO_APP_ID}.png)
else()
  message(STATUS "No ${QUELMO_ICON_PNG} yet: the menu entry will have no icon")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quelmo)
set(CPACK_PACKAGE_VENDOR "Quelmo")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Pipe-laying puzzle: lay pipes before the water flows")
set(CPACK_PACKAGE_DESCRIPTION "A single-player puzzle in one small window. Pipe pieces \
come in a fixed order from a queue; each click on the field lays the next one, and when \
the countdown runs out the water follows the pipes from every start tile to its goal. \
German interface.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Quelmo developers <quelmo@localhost>")
# Library dependencies (SDL2, Xlib) are read from the binary itself.  The glyphs are
# built in, so FreeType is not among them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)

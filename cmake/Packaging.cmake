# What a distribution's package carries besides the programs and their data: the icon, the
# menu entry, the AppStream metainfo, the stage-file type, the manual pages and the copyright;
# then the Debian package CPack makes of the install ("cpack -G DEB" in the build folder).
set(MORVIK_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

# The application icon in the sizes desktops ask for, drawn with the other pictures.
foreach(size 16 32 48 64 128 256)
  install(FILES ${MORVIK_PROGRAM_DIR}/pictures/icon_${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME ${MORVIK_APP_ID}.png)
endforeach()

# The menu entry is written while installing, straight into the tree installed to, its Exec
# line naming the program under the prefix installed to ("cmake --install --prefix" included).
install(CODE "
  set(MORVIK_DESKTOP_TEMPLATE \"${MORVIK_PACKAGING_DIR}/morvik.desktop.in\")
  set(MORVIK_DESKTOP_OUT \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/${MORVIK_APP_ID}.desktop\")
  set(MORVIK_PROGRAM \"${CMAKE_INSTALL_BINDIR}/morvik\")
  set(MORVIK_APP_ID \"${MORVIK_APP_ID}\")
  message(STATUS \"Installing: \${MORVIK_DESKTOP_OUT}\")
  include(\"${PROJECT_SOURCE_DIR}/cmake/WriteDesktopEntry.cmake\")
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${MORVIK_DESKTOP_OUT}\")
")

# Where the game is published: the metainfo's home page, with the screenshots it lists under
# "screenshots/" (title.png, play.png, editor.png). Whoever hosts the game sets it.
set(MORVIK_HOMEPAGE "https://morvik.github.io" CACHE STRING "The game's home page (no trailing slash)")
configure_file(${MORVIK_PACKAGING_DIR}/morvik.metainfo.xml.in ${CMAKE_BINARY_DIR}/packaging/${MORVIK_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${MORVIK_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${MORVIK_PACKAGING_DIR}/morvik-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
  RENAME ${MORVIK_APP_ID}.xml)

# Manual pages, compressed as Debian keeps them (no name or time stamp in the gzip header,
# so that two builds give the same bytes).
find_program(MORVIK_GZIP gzip REQUIRED)
set(man_pages)
foreach(page morvik.6 morvik-cli.1)
  string(REGEX REPLACE ".*\\.([0-9])$" "\\1" section ${page})
  set(out ${CMAKE_BINARY_DIR}/packaging/man/${page}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging/man
    COMMAND ${MORVIK_GZIP} -9nc ${MORVIK_PACKAGING_DIR}/man/${page} > ${out}
    DEPENDS ${MORVIK_PACKAGING_DIR}/man/${page}
    VERBATIM)
  list(APPEND man_pages ${out})
  install(FILES ${out} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endforeach()
add_custom_target(morvik_man_pages ALL DEPENDS ${man_pages})

# The package's own name, whatever the project's: Debian looks for the copyright there.
install(FILES ${MORVIK_PACKAGING_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/morvik)

# The Debian package. Its dependencies: the shared libraries the programs link (found by
# dpkg-shlibdeps), and what they load or show at run time: Qt's window-system plugins, Qt's
# own Japanese texts and a Japanese font.
set(CPACK_PACKAGE_NAME morvik)
set(CPACK_PACKAGE_VENDOR "the Morvik team")
set(CPACK_PACKAGE_CONTACT "the Morvik team <morvik@users.noreply.github.com>")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}.0~beta")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tile puzzle game: take the flowers in turn and drop every piece into a hole")
set(CPACK_PACKAGE_DESCRIPTION "A single-player tile puzzle with Japanese texts. The hero walks a 10 x 10
field, pushes stones into holes and water, drops PX pieces into holes, takes
yellow and red flowers alternately, digs holes and jumps from jump pads. Three
stories of stages, a stage editor with test play, and morvik-cli, which plays
and solves stages on the command line.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# Installed into the package's tree through DESTDIR, so that what is written while installing
# (the menu entry's Exec line) names /usr, not the tree.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://morvik.github.io/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

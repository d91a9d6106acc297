cmake_minimum_required(VERSION 3.22)
# Makes the Debian package of BUILD_DIR with "cpack -G DEB", unpacks it into a scratch root
# (dpkg-deb -x) and checks it as a distribution would: the file list, the dependencies (the
# shared libraries' packages and the run-time ones), stripped programs, the menu entry.
file(REMOVE_RECURSE "${SCRATCH}")
execute_process(COMMAND "${CPACK}" -G DEB -B "${SCRATCH}/out" WORKING_DIRECTORY "${BUILD_DIR}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cpack failed (${result}):\n${output}")
endif()
file(GLOB debs "${SCRATCH}/out/*.deb")
list(LENGTH debs n)
if(NOT n EQUAL 1)
  message(FATAL_ERROR "expected one package, found: ${debs}\n${output}")
endif()
set(root "${SCRATCH}/root")
execute_process(COMMAND dpkg-deb -x "${debs}" "${root}" RESULT_VARIABLE result ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "dpkg-deb -x failed: ${output}")
endif()

# Every file where a distribution expects it, the programs and their data among them.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${root}" "${root}/*")
foreach(f ${files})
  if(NOT f MATCHES "^usr/(bin/morvik(-cli)?|share/(morvik|applications|metainfo|mime/packages|icons/hicolor|man/man[16]|doc/morvik)/.+)$")
    message(FATAL_ERROR "a file out of place in the package: ${f}")
  endif()
endforeach()
foreach(f usr/bin/morvik usr/bin/morvik-cli usr/share/morvik/mapdata.dat usr/share/morvik/Advice.dat
          usr/share/morvik/morvik20.chm usr/share/morvik/shortest.txt usr/share/morvik/pictures/icon_256.png
          usr/share/applications/${APP_ID}.desktop usr/share/metainfo/${APP_ID}.metainfo.xml
          usr/share/mime/packages/${APP_ID}.xml usr/share/icons/hicolor/48x48/apps/${APP_ID}.png
          usr/share/man/man6/morvik.6.gz usr/share/man/man1/morvik-cli.1.gz usr/share/doc/morvik/copyright)
  if(NOT f IN_LIST files)
    message(FATAL_ERROR "missing from the package: ${f}")
  endif()
endforeach()
list(FILTER files INCLUDE REGEX "^usr/share/morvik/sound/")
if(NOT files)
  message(FATAL_ERROR "no sound in the package")
endif()

# The dependencies: the libraries the programs link, and what the game loads or shows.
execute_process(COMMAND dpkg-deb -f "${debs}" Package Depends Section OUTPUT_VARIABLE control)
foreach(want "Package: morvik" "Section: games" "qt6-qpa-plugins" "qt6-translations-l10n" "fonts-ipafont-gothic"
             "libqt6widgets6" "libsdl2-mixer-2.0-0" "libchm1" "libc6")
  string(FIND "${control}" "${want}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the control file lacks '${want}':\n${control}")
  endif()
endforeach()

# Stripped programs: no symbol table, no debugging sections.
foreach(program morvik morvik-cli)
  execute_process(COMMAND readelf -S --wide "${root}/usr/bin/${program}" OUTPUT_VARIABLE sections RESULT_VARIABLE result)
  if(NOT result EQUAL 0 OR sections MATCHES "\\.symtab|\\.debug_")
    message(FATAL_ERROR "${program} is not stripped:\n${sections}")
  endif()
endforeach()

file(STRINGS "${root}/usr/share/applications/${APP_ID}.desktop" exec REGEX "^Exec=")
if(NOT exec STREQUAL "Exec=/usr/bin/morvik %f")
  message(FATAL_ERROR "the packaged menu entry says '${exec}'")
endif()
file(REMOVE_RECURSE "${SCRATCH}")

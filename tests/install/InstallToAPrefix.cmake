cmake_minimum_required(VERSION 3.22)
# Installs BUILD_DIR with "cmake --install --prefix PREFIX", as a distribution would, and
# checks the layout: the programs in bin, the data under share/morvik (nothing under lib), what
# the desktop's menu leads to, and that the installed game finds its data from bin.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "install failed (${result}):\n${output}")
endif()

function(expect_file path)
  if(NOT EXISTS "${PREFIX}/${path}" OR IS_DIRECTORY "${PREFIX}/${path}" OR IS_SYMLINK "${PREFIX}/${path}")
    message(FATAL_ERROR "not installed as a file: ${PREFIX}/${path}")
  endif()
endfunction()
foreach(path bin/morvik bin/morvik-cli
             share/morvik/mapdata.dat share/morvik/Advice.dat share/morvik/morvik20.chm share/morvik/shortest.txt
             share/morvik/pictures/icon_32.png
             share/applications/${APP_ID}.desktop share/metainfo/${APP_ID}.metainfo.xml
             share/mime/packages/${APP_ID}.xml share/icons/hicolor/256x256/apps/${APP_ID}.png
             share/man/man6/morvik.6.gz share/man/man1/morvik-cli.1.gz share/doc/morvik/copyright)
  expect_file(${path})
endforeach()
file(GLOB sounds "${PREFIX}/share/morvik/sound/*")
if(NOT sounds)
  message(FATAL_ERROR "no sound installed under ${PREFIX}/share/morvik/sound")
endif()
file(GLOB_RECURSE beside_programs "${PREFIX}/bin/*")
list(LENGTH beside_programs n)
if(EXISTS "${PREFIX}/lib" OR NOT n EQUAL 2)
  message(FATAL_ERROR "only the two programs belong in bin, and nothing in lib: ${beside_programs}")
endif()

# The menu entry names the installed game, quoted as the entry's rules ask for the blank in
# the prefix, and hands it the stage file opened.
set(entry "${PREFIX}/share/applications/${APP_ID}.desktop")
file(STRINGS "${entry}" exec REGEX "^Exec=")
if(NOT exec STREQUAL "Exec=\"${PREFIX}/bin/morvik\" %f")
  message(FATAL_ERROR "the menu entry says '${exec}', not 'Exec=\"${PREFIX}/bin/morvik\" %f'")
endif()
file(STRINGS "${entry}" mime REGEX "^MimeType=")
file(READ "${PREFIX}/share/mime/packages/${APP_ID}.xml" types)
if(NOT mime MATCHES "^MimeType=application/x-morvik-stage\\\\?;$" OR NOT types MATCHES "type=\"application/x-morvik-stage\"" OR
   NOT types MATCHES "<glob pattern=\"\\*\\.mvk\"/>")
  message(FATAL_ERROR "the entry's '${mime}' and the stage-file type do not match:\n${types}")
endif()

# The installed command-line tool reads the installed stages.
execute_process(COMMAND "${PREFIX}/bin/morvik-cli" play "${PREFIX}/share/morvik/mapdata.dat" --stage 1 G
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT output MATCHES "\"outcome\": \"giveup\"")
  message(FATAL_ERROR "the installed morvik-cli failed on the installed stages (${result}):\n${output}")
endif()
file(REMOVE_RECURSE "${PREFIX}")

# Installs BUILD_DIR with "cmake --install --prefix PREFIX", as a distribution would, and
# checks what the desktop's menu and the PATH lead to.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "install failed (${result}):\n${output}")
endif()

set(program "${PREFIX}/${PROGRAM_DIR}/morvik")
if(NOT EXISTS "${program}" OR IS_DIRECTORY "${program}")
  message(FATAL_ERROR "the program is not installed at ${program}")
endif()

set(entry "${PREFIX}/${DATA_DIR}/applications/morvik.desktop")
file(STRINGS "${entry}" exec REGEX "^Exec=")
if(NOT exec STREQUAL "Exec=${program}")
  message(FATAL_ERROR "the menu entry says '${exec}', not 'Exec=${program}'")
endif()

file(REAL_PATH "${PREFIX}/${BIN_DIR}/morvik" launched)
file(REAL_PATH "${program}" installed)
if(NOT launched STREQUAL installed)
  message(FATAL_ERROR "the launcher leads to ${launched}, not ${installed}")
endif()
file(REMOVE_RECURSE "${PREFIX}")

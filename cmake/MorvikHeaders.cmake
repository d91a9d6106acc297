# Each library exports only the headers of its own folder: the build tree holds one include
# root per source folder (include-roots/<folder>/<folder> links to the folder), and a library
# hands its root to whoever links it. Including a header of a folder one does not link then
# fails to compile; tests/layers checks the includes against the layering table as well.
function(morvik_own_headers target)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  string(REPLACE "/" "-" root_name "${folder}")
  set(root ${CMAKE_BINARY_DIR}/include-roots/${root_name})
  if(NOT IS_SYMLINK ${root}/${folder})
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC ${root})
endfunction()

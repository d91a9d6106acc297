# Where an install puts the program's parts: the programs in bin, the files they read
# (architecture-independent) in share/morvik. The game finds that folder from its own, so the
# path between the two is built into it, relative whenever the two are.
include(GNUInstallDirs)
set(MORVIK_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/morvik)
if(IS_ABSOLUTE "${CMAKE_INSTALL_DATADIR}")
  set(MORVIK_INSTALLED_DATA "${MORVIK_INSTALL_DIR}")
else()
  file(RELATIVE_PATH MORVIK_INSTALLED_DATA "/prefix/${CMAKE_INSTALL_BINDIR}" "/prefix/${MORVIK_INSTALL_DIR}")
endif()
# The desktop's name for the game: its menu entry, metainfo, icon and stage-file type.
set(MORVIK_APP_ID io.github.morvik.Morvik)

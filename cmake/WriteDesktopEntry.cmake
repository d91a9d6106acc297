# Run while installing: writes the menu entry from its template, its Exec line naming the
# program under the prefix being installed to, and its Icon line the desktop's name for the game.
#   MORVIK_DESKTOP_TEMPLATE  the template, with @MORVIK_DESKTOP_EXEC@
#   MORVIK_DESKTOP_OUT       the entry to write (then installed as a file)
#   MORVIK_PROGRAM           the program, relative to the prefix or absolute
#   MORVIK_APP_ID            the desktop's name for the game (the icon's name)
set(program "${MORVIK_PROGRAM}")
if(NOT IS_ABSOLUTE "${program}")
  set(program "${CMAKE_INSTALL_PREFIX}/${program}")
endif()
# The entry's own quoting: a path with blanks or reserved characters goes in double quotes
# with ", `, $ and \ escaped, and the file's string escapes then double every \; a % stands
# doubled in any case.
string(REPLACE "%" "%%" program "${program}")
if(program MATCHES "[ \t\"`$\\'><~|&;*?#()]")
  string(REPLACE "\\" "\\\\" program "${program}")
  string(REPLACE "\"" "\\\"" program "${program}")
  string(REPLACE "`" "\\`" program "${program}")
  string(REPLACE "$" "\\$" program "${program}")
  string(REPLACE "\\" "\\\\" program "${program}")
  set(program "\"${program}\"")
endif()
set(MORVIK_DESKTOP_EXEC "${program}")
configure_file("${MORVIK_DESKTOP_TEMPLATE}" "${MORVIK_DESKTOP_OUT}" @ONLY)

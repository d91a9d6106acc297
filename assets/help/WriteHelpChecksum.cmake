# Writes the source that records the help file's SHA-256, so that the program knows the file
# it was built with. Run as: cmake -DHELP_FILE=... -DOUT=... -P WriteHelpChecksum.cmake
file(SHA256 "${HELP_FILE}" sum)
file(WRITE "${OUT}" "// Generated at build time from the help file of the program folder.\nnamespace morvik {\nextern const char BuiltHelpSha256[] = \"${sum}\";\n}  // namespace morvik\n")

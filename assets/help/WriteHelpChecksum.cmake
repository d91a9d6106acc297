# Writes the source that records a help file's SHA-256 under the name SYMBOL, so that the program
# knows the file it was built with. Run as: cmake -DHELP_FILE=... -DOUT=... -DSYMBOL=... -P WriteHelpChecksum.cmake
file(SHA256 "${HELP_FILE}" sum)
file(WRITE "${OUT}" "// Generated at build time from a help file of the program folder.\nnamespace morvik {\nextern const char ${SYMBOL}[] = \"${sum}\";\n}  // namespace morvik\n")

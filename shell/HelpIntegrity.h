#pragma once
// The help file is built with the program, and the help library trusts the lengths and
// offsets written inside it: a damaged file could crash the game. So the file is compared
// with the checksum recorded when it was built, and only that very file is opened.
#include <QString>
#include <string_view>

namespace morvik {

// The SHA-256 of the help files built with the program, in lower-case hex: the Japanese one
// and the English one.
extern const char BuiltHelpSha256[];
extern const char BuiltHelpEnSha256[];

// True when the file at path is a regular file whose SHA-256 is expectedSha256.
bool HelpFileMatches(const QString& path, std::string_view expectedSha256 = BuiltHelpSha256);

}  // namespace morvik

#pragma once
// Line handling shared by the stage formats: CR LF (or bare LF) line splitting and the
// number reading of the stage lines.
#include <string>
#include <string_view>
#include <vector>

namespace morvik {

// Lines without their terminators; a final terminator does not start another line.
std::vector<std::string> SplitLines(std::string_view text);

// The value of a text read as a number the lenient way: leading blanks skipped, digits read
// up to the first other character, no digit at all is 0.
int LenientNumber(std::string_view text);

// A block opener: a line beginning with "@" whose last two characters, read as a number,
// give n ("@07" and "@107" open block 7; "@" and "@A" open block 0).
bool IsBlockOpener(std::string_view line, int n);

// The text without trailing blanks, tabs and carriage returns.
std::string_view TrimRight(std::string_view text);

}  // namespace morvik

#pragma once
// Line handling shared by the stage formats: CR LF (or bare LF) line splitting and the
// number reading of the stage lines.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvik {

// Lines without their terminators; a final terminator does not start another line.
std::vector<std::string> SplitLines(std::string_view text);

// A source of lines, taken one at a time so that a reader can stop when it has its block:
// each call puts the next line (without its LF) in line, false at the end.
using NextLine = std::function<bool(std::string& line)>;
// The lines of a text, one by one; the text must outlive the source.
NextLine LinesOf(std::string_view text);

// What makes a line of a stage file unreadable as text, said for the player: a NUL byte or a
// UTF-16 byte-order mark (UTF-16 text), a CR left in a cleaned line (line ends of CR alone).
// Nothing for a good line; first says whether it is the file's first line.
std::optional<std::string> TextFault(std::string_view line, bool first);
// Makes a line as a source gives it ready for the checks and the readers: the CR of a CR LF
// line end goes, and so does a UTF-8 byte-order mark at the start of the first line (the
// rest is plain ASCII).
void CleanLine(std::string& line, bool first);

// The value of a text read as a number the lenient way: leading blanks skipped, digits read
// up to the first other character, no digit at all is 0.
int LenientNumber(std::string_view text);

// A block opener: a line beginning with "@" whose last two characters, read as a number,
// give n ("@07" and "@107" open block 7; "@" and "@A" open block 0).
bool IsBlockOpener(std::string_view line, int n);

// The text without trailing blanks, tabs and carriage returns.
std::string_view TrimRight(std::string_view text);

}  // namespace morvik

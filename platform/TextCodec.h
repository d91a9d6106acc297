#pragma once
// Text files in the system code page are Shift JIS on disk and UTF-8 in memory.
#include <optional>
#include <string>
#include <string_view>

namespace morvik {

// The UTF-8 text of Shift JIS bytes; nothing when the bytes are not valid Shift JIS.
std::optional<std::string> ShiftJisToUtf8(std::string_view bytes);
// The Shift JIS bytes of UTF-8 text; nothing when a character has no Shift JIS form.
std::optional<std::string> Utf8ToShiftJis(std::string_view text);

}  // namespace morvik

#pragma once
// Whole files in and out, bytes unchanged (stage and answer files keep their CR LF).
#include <string>

namespace morvik {

// A stage, map or answer file: a regular file within the stage readers' cap; why (English)
// says what is wrong when it cannot be read.
bool ReadFileText(const std::string& path, std::string& out, std::string* why = nullptr);
bool WriteFileText(const std::string& path, const std::string& text);

}  // namespace morvik

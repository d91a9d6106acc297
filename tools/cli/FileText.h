#pragma once
// Whole files in and out, bytes unchanged (stage and answer files keep their CR LF).
#include <string>

namespace morvik {

bool ReadFileText(const std::string& path, std::string& out);
bool WriteFileText(const std::string& path, const std::string& text);

}  // namespace morvik

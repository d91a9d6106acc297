#include "tools/cli/FileText.h"

#include <fstream>

#include "platform/RegularFile.h"

namespace morvik {

bool ReadFileText(const std::string& path, std::string& out, std::string* why) {
  FileOpenError error;
  auto bytes = ReadRegularFile(path, StageFileMaxBytes, &error);
  if (!bytes) {
    if (why) *why = FileErrorTextEnglish(error);
    return false;
  }
  out = std::move(*bytes);
  return true;
}

bool WriteFileText(const std::string& path, const std::string& text) {
  std::ofstream outFile(path, std::ios::binary | std::ios::trunc);
  if (!outFile) return false;
  outFile.write(text.data(), static_cast<std::streamsize>(text.size()));
  return static_cast<bool>(outFile.flush());
}

}  // namespace morvik

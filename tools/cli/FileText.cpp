#include "tools/cli/FileText.h"

#include <fstream>
#include <sstream>

namespace morvik {

bool ReadFileText(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream ss;
  ss << in.rdbuf();
  out = ss.str();
  return !in.bad();
}

bool WriteFileText(const std::string& path, const std::string& text) {
  std::ofstream outFile(path, std::ios::binary | std::ios::trunc);
  if (!outFile) return false;
  outFile.write(text.data(), static_cast<std::streamsize>(text.size()));
  return static_cast<bool>(outFile.flush());
}

}  // namespace morvik

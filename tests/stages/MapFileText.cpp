#include "tests/stages/MapFileText.h"

#include <fstream>
#include <sstream>

namespace morvik::stagetest {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::vector<int> BlockNumbers(const std::string& text) {
  std::vector<int> numbers;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() == 3 && line[0] == '@') numbers.push_back(std::stoi(line.substr(1)));
  }
  return numbers;
}

}  // namespace morvik::stagetest

#include "stagedata/TextLines.h"

namespace morvik {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::size_t stop = end;
    if (stop > start && text[stop - 1] == '\r') --stop;
    lines.emplace_back(text.substr(start, stop - start));
    start = end + 1;
  }
  return lines;
}

int LenientNumber(std::string_view t) {
  std::size_t i = 0;
  while (i < t.size() && t[i] == ' ') ++i;
  long v = 0;
  for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
    v = v * 10 + (t[i] - '0');
    if (v > 1'000'000) break;
  }
  return static_cast<int>(v);
}

bool IsBlockOpener(std::string_view line, int n) {
  if (line.empty() || line[0] != '@') return false;
  return LenientNumber(line.size() >= 2 ? line.substr(line.size() - 2) : line) == n;
}

std::string_view TrimRight(std::string_view t) {
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t' || t.back() == '\r')) t.remove_suffix(1);
  return t;
}

}  // namespace morvik

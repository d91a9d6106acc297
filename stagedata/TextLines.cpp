#include "stagedata/TextLines.h"

#include "core/Translate.h"

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

NextLine LinesOf(std::string_view text) {
  return [text, pos = std::size_t{0}](std::string& line) mutable {
    if (pos >= text.size()) return false;
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    line.assign(text.substr(pos, end - pos));
    pos = end + 1;
    return true;
  };
}

std::optional<std::string> TextFault(std::string_view line, bool first) {
  const bool utf16Mark = first && line.size() >= 2 &&
                         ((line[0] == '\xFF' && line[1] == '\xFE') || (line[0] == '\xFE' && line[1] == '\xFF'));
  if (utf16Mark || line.find('\0') != std::string_view::npos)
    return translate("StageReader", "UTF-16などで書かれたファイルか、テキストファイルではありません。ステージデータはASCII文字だけのテキストです。");
  if (line.find('\r') != std::string_view::npos)
    return translate("StageReader", "改行がCRだけになっています。行はCR LFで区切ってください。");
  return std::nullopt;
}

void CleanLine(std::string& line, bool first) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (first && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
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

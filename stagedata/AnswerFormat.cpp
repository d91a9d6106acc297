#include "stagedata/AnswerFormat.h"

#include "stagedata/TextLines.h"

namespace morvik {

std::string AnswerRecordText(const AnswerRecord& r) {
  return {static_cast<char>('0' + r.action), static_cast<char>('0' + r.x), static_cast<char>('0' + r.y)};
}

std::string AnswerFileText(std::string_view recordLines) {
  return "[]\r\n<Morvik Answer Data>\r\n\r\n@\r\n" + std::string(recordLines) + "\r\n@\r\n";
}

std::string AnswerFileText(const std::vector<AnswerRecord>& records) {
  std::string lines;
  for (const AnswerRecord& r : records) lines += AnswerRecordText(r) + "\r\n";
  return AnswerFileText(lines);
}

std::optional<std::string> ReadAnswerData(std::string_view fileText) {
  std::string data;
  bool inside = false;
  for (const std::string& raw : SplitLines(fileText)) {
    if (!raw.empty() && raw[0] == '@') {
      inside = !inside;
      continue;
    }
    if (!inside) continue;
    const std::string_view line = TrimRight(raw);
    if (line.empty()) continue;
    // A record is three digits with a known action; anything else would walk the guide astray.
    if (line.size() != 3 || line[0] < '0' || line[0] > '2' || line[1] < '0' || line[1] > '9' || line[2] < '0' ||
        line[2] > '9')
      return std::nullopt;
    data += line;
  }
  if (data.empty() || inside) return std::nullopt;
  return data;
}

std::string AnswerPathFor(const std::string& stagePath) { return stagePath + "a"; }

}  // namespace morvik

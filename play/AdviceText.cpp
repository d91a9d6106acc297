#include "play/AdviceText.h"

#include <cstdio>

#include "stagedata/TextLines.h"

namespace morvik {

Advice FindAdvice(std::string_view fileText, int stageNo) {
  char opener[16];
  std::snprintf(opener, sizeof opener, "@%02d", stageNo);
  Advice out;
  bool inside = false;
  for (const std::string& raw : SplitLines(fileText)) {
    const std::string_view line = TrimRight(raw);
    if (!inside) {
      inside = line == opener;
      continue;
    }
    if (!line.empty() && line[0] == '*') {
      out.found = true;
      return out;
    }
    out.text += std::string(line) + "\r\n";
  }
  out.unterminated = inside;
  out.text.clear();
  return out;
}

}  // namespace morvik

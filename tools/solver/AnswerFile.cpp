#include "tools/solver/AnswerFile.h"

namespace morvik {

std::vector<AnswerRecord> RecordAnswer(Board b, const std::vector<Press>& presses) {
  std::vector<AnswerRecord> out;
  for (Press p : presses) {
    if (b.Ended()) break;
    Script s;
    ApplyPress(b, s, p);
    for (const Effect& e : s.Items()) {
      if (e.kind == Fx::AnswerMove) out.push_back({e.c, e.a, e.b});
      // A dig changes neither the hero's cell nor its facing: the hole is in front.
      if (e.kind == Fx::AnswerDig) out.push_back({1, NextX(b), NextY(b)});
    }
  }
  return out;
}

std::string AnswerFileText(const std::vector<AnswerRecord>& records) {
  std::string t = "[]\r\n<Morvik Answer Data>\r\n\r\n@\r\n";
  for (const AnswerRecord& r : records) {
    t += static_cast<char>('0' + r.action);
    t += static_cast<char>('0' + r.x);
    t += static_cast<char>('0' + r.y);
    t += "\r\n";
  }
  return t + "\r\n@\r\n";
}

std::string AnswerPathFor(const std::string& stagePath) { return stagePath + "a"; }

}  // namespace morvik

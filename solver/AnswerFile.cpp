#include "solver/AnswerFile.h"

namespace morvik {

std::vector<AnswerRecord> RecordAnswer(Board b, const std::vector<Press>& presses) {
  std::vector<AnswerRecord> out;
  for (Press p : presses) {
    if (b.Ended()) break;
    Script s;
    ApplyPress(b, s, p);
    for (const Effect& e : s.Items()) {
      if (e.kind == Fx::AnswerMove) out.push_back({e.c, e.a, e.b});
      if (e.kind == Fx::AnswerDig) out.push_back({1, e.a, e.b});
    }
  }
  return out;
}

}  // namespace morvik

#include "solver/AnswerFile.h"

namespace morvik {

std::vector<AnswerRecord> RecordAnswer(Board b, const std::vector<Move>& presses) {
  std::vector<AnswerRecord> out;
  for (Move p : presses) {
    if (b.Ended()) break;
    Script s;
    ApplyMove(b, s, p);
    for (const Effect& e : s.Items()) {
      if (e.kind == Fx::AnswerMove) out.push_back({e.c, e.a, e.b});
      if (e.kind == Fx::AnswerDig) out.push_back({1, e.a, e.b});
    }
  }
  return out;
}

}  // namespace morvik

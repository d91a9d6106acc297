#include "tools/cli/BoardJson.h"

namespace morvik {

std::string OutcomeName(Outcome o) {
  switch (o) {
    case Outcome::GiveUp: return "giveup";
    case Outcome::Miss: return "miss";
    case Outcome::Clear: return "clear";
    case Outcome::Warp: return "warp";
    case Outcome::None: break;
  }
  return "none";
}

std::string BoardJson(const Board& b) {
  std::string j = "{\"outcome\": \"" + OutcomeName(b.outcome) + "\", \"hero\": [" + std::to_string(b.heroX) + ", " +
                  std::to_string(b.heroY) + ", " + std::to_string(b.heroDir) + "], \"terrain\": [";
  for (int y = 0; y < FieldSize; ++y) {
    j += y ? ", \"" : "\"";
    for (int x = 0; x < FieldSize; ++x) j += CellCodeText(b.T(x, y));
    j += "\"";
  }
  j += "], \"chara\": [";
  for (int y = 0; y < FieldSize; ++y) {
    j += y ? ", [" : "[";
    for (int x = 0; x < FieldSize; ++x) j += (x ? ", \"" : "\"") + CharaCodeText(b.C(x, y)) + "\"";
    j += "]";
  }
  j += "], \"firstFlower\": " + std::to_string(b.firstFlower) + ", \"taken\": {\"yellow\": " + std::to_string(b.yFlowerTaken) +
       ", \"red\": " + std::to_string(b.rFlowerTaken) + ", \"px\": " + std::to_string(b.pxTaken) + "}}";
  return j;
}

}  // namespace morvik

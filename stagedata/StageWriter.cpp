#include "stagedata/StageWriter.h"

#include "core/ModMain.h"

namespace morvik {

namespace {

constexpr const char* kEol = "\r\n";

// Every cell whose test holds, as a position list; "*" when there is none.
template <class Test>
std::string PositionList(Test test) {
  std::string list;
  for (int n = 0; n < CellCount; ++n)
    if (test(n)) list += PosCode(n);
  return list.empty() ? "*" : list;
}

}  // namespace

std::string PosCode(int cell) {
  return std::string{static_cast<char>('0' + cell / 10 % 10), static_cast<char>('0' + cell % 10)};
}

std::string WriteStageBlock(const StageSheet& s, int stageNo) {
  const std::string header = "@" + PosCode(stageNo);
  std::string out = header + kEol;
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) out += CellCodeText(s.terrain[10 * x + y]);
    out += kEol;
  }
  out += std::string("V") + AppVersion + kEol;
  out += PositionList([&](int n) { return s.pieces[n] == Piece::Hero; }) + kEol;
  for (Piece kind : {Piece::Stone, Piece::Yellow, Piece::Red, Piece::PX})
    out += PositionList([&](int n) { return s.pieces[n] == kind; }) + kEol;
  // One list over all four hole codes: only an empty-hole mark lets a pushed object fill a hole.
  out += PositionList([&](int n) { return IsHole(s.terrain[n]); }) + kEol;
  out += (s.firstFlower == 0 ? "0" : "1") + std::string(kEol);
  out += std::to_string(s.music) + kEol;
  out += "END" + header + kEol;
  return out;
}

}  // namespace morvik

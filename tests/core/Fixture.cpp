#include "tests/core/Fixture.h"

#include <stdexcept>

#include "stagedata/StagePicture.h"

namespace morvik::test {

Board MakeBoard(const std::vector<std::string>& rows, int dir, int firstFlower) {
  const PictureResult picture = ReadPartialPicture(rows);
  if (const auto* e = std::get_if<PictureError>(&picture)) throw std::invalid_argument(PictureErrorText(*e));
  const StageSheet& sheet = std::get<StageSheet>(picture);
  Board b;
  int counts[5] = {};
  for (int y = 0; y < FieldSize; ++y)
    for (int x = 0; x < FieldSize; ++x) {
      b.T(x, y) = sheet.terrain[10 * x + y];
      if (IsHole(b.T(x, y))) b.C(x, y) = HoleMark;
      switch (sheet.pieces[10 * x + y]) {
        case Piece::Hero: b.heroX = static_cast<std::int16_t>(x); b.heroY = static_cast<std::int16_t>(y); b.C(x, y) = HeroChara; break;
        case Piece::Stone: b.C(x, y) = MakeChara(CharaKind::Stone, counts[0]++); break;
        case Piece::Yellow: b.C(x, y) = MakeChara(CharaKind::Yellow, counts[1]++); break;
        case Piece::Red: b.C(x, y) = MakeChara(CharaKind::Red, counts[2]++); break;
        case Piece::PX: b.C(x, y) = MakeChara(CharaKind::PX, counts[3]++); break;
        case Piece::None: break;
      }
    }
  b.stoneCount = static_cast<std::int16_t>(counts[0]);
  b.yFlowerCount = static_cast<std::int16_t>(counts[1]);
  b.rFlowerCount = static_cast<std::int16_t>(counts[2]);
  b.pxCount = static_cast<std::int16_t>(counts[3]);
  b.firstFlower = static_cast<std::int16_t>(firstFlower);
  b.heroDir = static_cast<std::int16_t>(dir);
  return b;
}

std::vector<std::string> PictureRows(const Board& b, int rows) {
  std::vector<std::string> all = morvik::PictureRows(SheetOfBoard(b, 0));
  all.resize(rows);
  return all;
}

}  // namespace morvik::test

#pragma once
// A stage the reader took must be one that can be played as counted: every stone, flower and
// PX piece it counts stands on the field exactly once, and the hero stands where it says.
#include "core/Board.h"
#include "tests/fuzz/FuzzCheck.h"

namespace morvik::fuzz {

inline void CheckCounts(const Board& b) {
  int counted[7] = {};
  for (const Chara c : b.chara) ++counted[static_cast<int>(c.kind)];
  FUZZ_CHECK(counted[static_cast<int>(CharaKind::Hero)] == 1);
  FUZZ_CHECK(b.C(b.heroX, b.heroY) == HeroChara);
  FUZZ_CHECK(counted[static_cast<int>(CharaKind::Stone)] == b.stoneCount);
  FUZZ_CHECK(counted[static_cast<int>(CharaKind::Yellow)] == b.yFlowerCount);
  FUZZ_CHECK(counted[static_cast<int>(CharaKind::Red)] == b.rFlowerCount);
  FUZZ_CHECK(counted[static_cast<int>(CharaKind::PX)] == b.pxCount);
  for (int y = 0; y < FieldSize; ++y)
    for (int x = 0; x < FieldSize; ++x) FUZZ_CHECK(IsTerrainCode(b.T(x, y)));
}

}  // namespace morvik::fuzz

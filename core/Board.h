#pragma once
// The board state of one attempt: both layers of the field, the hero, the stage's counts,
// the flower colour due next and the records the step and jump rules keep. Filled by the
// stage reader, changed only by the rules; the play screen draws from it.
#include <array>
#include <cstdint>

#include "core/CellCodes.h"
#include "core/Chara.h"

namespace morvik {

inline constexpr int FieldSize = 10;
inline constexpr int CellPixels = 32;

enum Dir : std::int16_t { DirLeft = 1, DirUp = 2, DirRight = 3, DirDown = 4 };

enum class Outcome : std::int8_t { None = -1, GiveUp = 0, Miss = 1, Clear = 2, Warp = 3 };

constexpr bool OnField(int x, int y) { return x >= 0 && x < FieldSize && y >= 0 && y < FieldSize; }

// The states of a flower slot: the hero is stepping onto a flower not yet due, then stands on
// it; the step after that puts the flower back on the cell the hero leaves.
namespace flowerSlot {
inline constexpr std::int16_t Empty = 0, Entering = 1, HeroOnIt = 2;
}

struct Board {
  std::array<CellCode, FieldSize * FieldSize> terrain{};
  std::array<Chara, FieldSize * FieldSize> chara{};

  std::int16_t heroX = 0, heroY = 0, heroDir = DirDown;
  std::int16_t stoneCount = 0, yFlowerCount = 0, rFlowerCount = 0, pxCount = 0;
  std::int16_t yFlowerTaken = 0, rFlowerTaken = 0, pxTaken = 0;
  std::int16_t firstFlower = 0;  // 0 yellow is due, 1 red

  std::int16_t stepKind = 0;
  // A flower the hero may not take and stands on: its code comes back when the hero leaves
  // (slot states: see flowerSlot).
  std::array<std::int16_t, 3> underState{};
  std::array<Chara, 3> underCode{};
  bool onFlower = false;
  Chara onFlowerCode{};
  bool landedFlower = false;
  Chara landedCode{};
  std::int16_t landedX = 0, landedY = 0;
  bool sliding = false;
  bool padBounce = false;

  // Story stage 16's hidden exit: a jump into the water or hole at (7, 0) warps.
  bool hiddenWarp = false;
  Outcome outcome = Outcome::None;

  CellCode& T(int x, int y) { return terrain[y * FieldSize + x]; }
  CellCode T(int x, int y) const { return terrain[y * FieldSize + x]; }
  Chara& C(int x, int y) { return chara[y * FieldSize + x]; }
  Chara C(int x, int y) const { return chara[y * FieldSize + x]; }
  bool Ended() const { return outcome != Outcome::None; }

  // The reset of a stage start: facing down, no pending step, no flower records, nothing taken.
  void ResetAttempt();

  friend bool operator==(const Board&, const Board&) = default;
};

// The cell in front of the hero; at the border -1 or 10 (never clamped).
int NextX(const Board& b);
int NextY(const Board& b);
bool NextOffField(const Board& b);
// True when the hero, from its cell, faces the field border.
bool FacesBorder(const Board& b);

}  // namespace morvik

#pragma once
// The writer of stage-unit files: one stage block, exactly as the editor saves it. The stage
// is given cell by cell in the editor's numbering (cell 10 x + y: column x, row y), so every
// position list comes out in ascending cell number, column by column from the left.
#include <array>
#include <cstdint>
#include <string>

#include "core/CellCodes.h"

namespace morvik {

inline constexpr int CellCount = 100;
// The editor's "no start position": any cell number of 100 or more.
inline constexpr int NoCell = 120;

// What stands on a cell of the editor's grid; the value is its picture in the tile store
// (None is the transparent picture, also the eraser tool).
enum class Piece : std::uint8_t { Hero = 0, Yellow = 10, Red = 11, Stone = 12, PX = 15, None = 17 };

// A stage as the editor holds it.
struct StageSheet {
  StageSheet() {
    terrain.fill(cell::Light);
    pieces.fill(Piece::None);
  }
  std::array<CellCode, CellCount> terrain;  // by cell number
  std::array<Piece, CellCount> pieces;      // by cell number; at most one Hero
  int firstFlower = 0;                      // 0 yellow first, 1 red first
  int music = 0;                            // 0 to 6

  friend bool operator==(const StageSheet&, const StageSheet&) = default;
};

// "07" for cell 7, "37" for cell 37: column digit, then row digit.
std::string PosCode(int cell);

// The 21 lines of the block numbered stageNo (0 to 99), each ending with CR LF: header,
// terrain rows, version line, hero, stones, yellow and red flowers, PX pieces, the holes
// computed from the terrain, first flower, music and closer.
std::string WriteStageBlock(const StageSheet& stage, int stageNo);

}  // namespace morvik

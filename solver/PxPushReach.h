#pragma once
// Whether a PX piece may still be pushed into a hole, given where it stands and where the
// hero is: a search over the piece's pushes on a relaxed field where every cell that is or may
// become floor is open to the hero (stones and other PX pieces never block it; stones that
// can never move do; a jump pad's lines lead back to it as well as away), and the piece itself
// is the one obstacle. The hero walks and jumps only
// within the cells it can reach round the piece, so a piece whose every push needs the hero on
// its far side, behind it, is lost even where the stage analysis lets it finish. Answers are
// kept by the piece's cell and the hero's region, so it may be asked again and again.
#include <array>
#include <cstdint>

#include "core/Board.h"
#include "solver/StageAnalysis.h"

namespace morvik {

class PxPushReach {
 public:
  PxPushReach(const Board& start, const StageAnalysis& analysis);

  // False when no sequence of pushes can bring the PX piece on `px` into a hole with the hero
  // starting on `hero`.
  bool MayFinish(int px, int hero);

 private:
  static constexpr int kCells = FieldSize * FieldSize;
  static constexpr std::uint8_t kNone = 0xFF;
  // The hero's regions with the piece on `px`: per cell the lowest cell of its region (kNone
  // where the hero never stands), worked out when first asked.
  const std::uint8_t* Regions(int px);

  CellSet heroMay_, pxMay_, target_, pads_;
  std::array<std::array<std::uint8_t, kCells>, kCells> regions_{};
  std::array<bool, kCells> haveRegions_{};
  // By piece and region: 0 not yet known, 1 may finish, 2 lost.
  std::array<std::array<std::uint8_t, kCells>, kCells> known_{};
};

}  // namespace morvik

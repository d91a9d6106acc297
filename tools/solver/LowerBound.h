#pragma once
// A lower bound on the key presses still needed to clear a board, for the best-first
// search. Every part counts presses that any clear must still make, on a relaxed field
// where objects never block and every cell that is or may become floor is open (a hazard
// only while it holds a flower):
// - the hero must enter the cell of every flower left: at least the steps and jumps to the
//   farthest one (a step enters a neighbour, a jump any cell of its pad's row or column);
// - every PX piece needs at least as many pushes as its shortest way into a hole, each of
//   them a press of its own, and a hole dug for each PX piece beyond the open holes;
// - a flower off every pad's row and column can only be taken by a step, one per press,
//   and pushes and digs never take a flower;
// - the flowers off the pads' lines are taken one by one, each where a step ends, in
//   alternating colours: the hero's way from one to the next is at least their distance on
//   the start's field, so the walk is at least the distance to the nearest flower it may
//   take first plus a spanning tree of those flowers whose edges join unlike colours (like
//   ones too while a flower on a pad's line, taken between them, is left), and digs come on
//   top, the hero standing still.
// The field only ever loses open cells, and one press moves the hero one edge of that field,
// pushes one object one cell, digs one hole or takes one such flower, so the bound falls by
// at most one a press (the tree only loses the flower just taken, whose edge to the next
// one bounds the rest): the search may expand states in order of presses made plus bound
// and still stop at a shortest clear.
#include <array>
#include <cstdint>

#include "core/Board.h"
#include "tools/solver/StageAnalysis.h"

namespace morvik {

class LowerBound {
 public:
  static constexpr int Never = 0xFFFF;  // the board can no longer be cleared
  using Mask = unsigned __int128;  // a set of cells, bit y * 10 + x

  // What the bound reads from the field, kept up to date cell by cell as presses change it.
  struct Summary {
    Mask open = 0;     // cells the hero may stand on now or later
    Mask flowers = 0;  // flowers on the field (not one under the hero)
    int pushes = 0, px = 0, openHoles = 0;  // pushes reach Never with a PX piece that is stuck
  };

  LowerBound(const Board& start, const StageAnalysis& analysis);

  Summary Summarize(const Board& b) const;
  // The summary of `to`, which differs from `from` (summarised in s) in the given cells.
  void Update(Summary& s, const Board& from, const Board& to, const std::uint8_t* cells, int n) const;

  // Presses still needed from b, or Never.
  int Of(const Board& b) const { return Of(b, Summarize(b)); }
  int Of(const Board& b, const Summary& s) const;

  // Pushes a PX piece standing on the cell needs to reach a hole (Never when it cannot).
  int PushesToHole(int cell) const { return pxPushes_[cell]; }

 private:
  // Steps and jumps from the hero to the farthest cell of `targets`, or Never.
  int HeroReach(const Board& b, Mask open, Mask targets) const;
  // The walk through the flowers off the pads' lines (see above), or Never.
  int FlowerWalk(const Board& b, Mask flowers) const;
  void Add(Summary& s, const Board& b, int cell, int sign) const;

  std::array<std::uint16_t, FieldSize * FieldSize> pxPushes_{};
  // Presses from one cell to another on the start's field (255: never).
  std::array<std::array<std::uint8_t, FieldSize * FieldSize>, FieldSize * FieldSize> distance_{};
  std::array<Mask, FieldSize * FieldSize> padLine_{};  // per pad: its row and column
  Mask pads_ = 0;
  Mask onPadLine_ = 0;  // cells of every pad's row and column
};

}  // namespace morvik

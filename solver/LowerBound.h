#pragma once
// A lower bound on the key presses still needed to clear a board, for the best-first
// search. Every part counts presses that any clear must still make, on a relaxed field
// where objects never block and every cell that is or may become floor is open (a hazard
// only while it holds a flower; a stone that can never move is a wall):
// - the hero must enter the cell of every flower left: at least the steps and jumps to the
//   farthest one (a step enters a neighbour, a jump any cell of its pad's row or column);
// - every PX piece needs at least as many pushes as its shortest way into a hole, each of
//   them a press of its own, and a hole dug for each PX piece beyond the open holes;
// - a flower off every pad's row and column can only be taken by a step, one per press,
//   and pushes and digs never take a flower;
// - the flowers off the pads' lines are taken one by one, each where a step ends, in
//   alternating colours: the hero's way from one to the next is at least their distance on
//   the start's field (a jump goes the way the hero faces, a turn costs a press), so the walk is at least the distance to the nearest flower it may
//   take first plus a spanning tree of those flowers whose edges join unlike colours (like
//   ones too while a flower on a pad's line, taken between them, is left), and digs come on
//   top, the hero standing still; a PX piece moves only when the hero steps into its cell,
//   pushing it, so its cell joins the walk as a stop in any order (the larger of the walks
//   with and without such stops counts: a stop may also shorten the tree);
// - when every flower of the colour due lies beyond open holes that the hero cannot get
//   round, each such
//   hole must first be filled by a stone of its own (a PX piece leaves a whirl): at least
//   the pushes of the stones into them (one stone a hole), the walk up to the first stone,
//   and then the walk through the flowers from beside one of them, where the last push
//   leaves the hero; the same with every PX piece when the flowers due lie beyond closed
//   gates, which the last of them opens;
// - a hole that cuts some flower off must be filled by a stone all the same, and those
//   pushes never take a flower: they add to the presses counted above for PX pieces, digs
//   and flowers.
// - a hole dug off a pad's neighbours is filled later in a shortest clear (an open one only
//   blocks the hero's way, see Solver.cpp): those beyond the PX pieces left each take a stone
//   push, which counts like the one above (the larger of the two).
// The field only ever loses open cells, and one press moves the hero one edge of that field,
// pushes one object one cell, digs one hole or takes one such flower, so the bound falls by
// at most one a press (the tree only loses the flower just taken, whose edge to the next
// one bounds the rest): the search may expand states in order of presses made plus bound
// and still stop at a shortest clear.
#include <array>
#include <cstdint>
#include <vector>

#include "core/Board.h"
#include "solver/StageAnalysis.h"

namespace morvik {

class LowerBound {
 public:
  static constexpr int Never = 0xFFFF;  // the board can no longer be cleared
  using Mask = unsigned __int128;  // a set of cells, bit y * 10 + x

  // What the bound reads from the field, kept up to date cell by cell as presses change it.
  struct Summary {
    Mask open = 0;     // cells the hero may stand on now or later
    Mask flowers = 0;  // flowers on the field (not one under the hero)
    Mask yellow = 0;   // the yellow ones among them
    Mask stones = 0, pxPieces = 0, holes = 0;  // holes: marked or dug, still open
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
  // The same from every cell at once (255: some target never), worked out backwards from the
  // targets. Most states share their field and flowers with many others and differ in where
  // the hero stands, so the answers are kept by field and targets.
  struct FarEntry {
    Mask open = 0, targets = 0;
    bool used = false;
    std::array<std::uint8_t, FieldSize * FieldSize> far;
  };
  const FarEntry& FarthestFromEveryCell(Mask open, Mask targets) const;
  mutable std::vector<FarEntry> farCache_;
  // Cells the hero may reach over `open`.
  Mask Reach(int hero, Mask open) const;
  Mask GrowOnePress(Mask reach, Mask open, Mask& rayed) const;
  // The walk through the flowers off the pads' lines (see above) starting from any of the
  // cells `from`, or Never; through the cells `px` too, in any order among the flowers.
  int FlowerWalk(const Board& b, Mask flowers, Mask from, Mask px = 0) const;
  int WorkOutFlowerWalk(const Board& b, Mask flowers, Mask from, Mask px) const;
  // The walks last worked out, by flowers, starting cells, PX pieces and the hero's place.
  struct WalkEntry {
    Mask flowers = 0, from = 0, px = 0;
    std::uint16_t place = 0;
    bool used = false;
    int walk = 0;
  };
  mutable std::vector<WalkEntry> walkCache_;
  // Open holes that a stone must fill before the hero may reach some flower, and those before
  // it may reach any of the colour due (the first one taken).
  static constexpr int kMaxHoles = 6;
  struct HoleCut {
    int some[kMaxHoles], all[kMaxHoles];
    int nSome = 0, nAll = 0;
    bool gates = false;  // every flower due lies beyond closed gates
    Mask beside = 0;  // the cells beside the holes in `all`
  };
  HoleCut HolesToFill(const Board& b, const Summary& s, Mask flowers) const;
  // The least pushes filling each hole with a stone of its own, or Never; `approach`: the
  // presses before the first of them.
  int FillPushes(const Summary& s, const int* holes, int nHoles, int hero, int& approach) const;
  // The pushes that fill the holes every flower lies beyond, the walk up to the first stone,
  // and the walk through the flowers from beside a filled hole; 0 when no such hole is open.
  int FillThenWalk(const Board& b, const HoleCut& cut, const Summary& s, Mask flowers) const;
  void Add(Summary& s, const Board& b, int cell, int sign) const;

  struct CutEntry {
    Mask open = 0, holes = 0, flowers = 0;
    std::uint16_t place = 0;  // the hero's cell and the colour due
    bool used = false;
    HoleCut cut;
  };
  // The cuts last found, by field (one search's own: Of is not to be called from two threads).
  mutable std::vector<CutEntry> cutCache_;
  std::array<std::uint16_t, FieldSize * FieldSize> pxPushes_{};
  // Pushes of a stone on a cell into the hole on another (255: never), for the cells that
  // may hold a hole.
  std::array<std::array<std::uint8_t, FieldSize * FieldSize>, FieldSize * FieldSize> stonePushes_{};
  std::array<Mask, FieldSize * FieldSize> beside_{};  // a cell's neighbours that may be floor
  Mask besideDiggable_ = 0;  // cells beside light ground and grass
  Mask gates_ = 0;           // the closed gates at the start
  Mask frozen_ = 0;          // stones that never move: never open
  Mask dugFilled_ = 0;       // cells whose dug holes a shortest clear fills (see Of)
  // Presses from a cell to every cell on the start's field (255: never), from any facing
  // (facing < 0) or from the facing 0 left, 1 up, 2 right, 3 down; worked out when first asked.
  const std::uint8_t* Distances(int from, int facing = -1) const;
  Mask open_ = 0;  // open cells at the start
  mutable std::array<std::array<std::uint8_t, FieldSize * FieldSize>, FieldSize * FieldSize * 5> rows_;
  mutable std::array<bool, FieldSize * FieldSize * 5> haveRow_{};
  std::array<Mask, FieldSize * FieldSize> padLine_{};  // per pad: its row and column
  Mask pads_ = 0;
  Mask onPadLine_ = 0;  // cells of every pad's row and column
};

}  // namespace morvik

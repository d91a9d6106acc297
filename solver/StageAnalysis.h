#pragma once
// What the solver may conclude about a stage without searching it. Every set here is an
// over-approximation of what play can ever do (other objects, flowers and the hero's own
// path are ignored), so a cell left out of a set is certain never to be used that way.
#include <array>
#include <bitset>
#include <string>

#include "core/Board.h"

namespace morvik {

using CellSet = std::bitset<FieldSize * FieldSize>;

constexpr int CellIndex(int x, int y) { return y * FieldSize + x; }

struct StageAnalysis {
  // Cells that are floor or may become floor: holes marked for filling, closed gates that
  // the last PX piece opens. Cracked ice counts until it breaks. Not a stone that can never
  // move (frozenStones).
  CellSet mayBeFloor;
  // Stones that no push can ever move: against walls, or against each other so.
  CellSet frozenStones;
  // Light ground and grass: a hole may be dug there once nothing stands on it.
  CellSet diggable;
  // Cells beside a jump pad. A hole dug there can stop the hero's step off the pad and so
  // turn it towards a jump with one press, so digging there is never pruned.
  CellSet besidePad;
  // Cells a stone or PX piece may ever be pushed onto or into.
  CellSet objectReach;
  // Cells from which a PX piece may still be pushed into a hole (a marked one or one yet to
  // be dug).
  CellSet pxCanFinish;
};

StageAnalysis AnalyseStage(const Board& start);

// Cells the hero may still reach from where it stands on this board: walking over floor
// (whirls and spikes included), marked holes and closed gates, and from any jump pad reached
// every cell of its row and column.
CellSet HeroMayReach(const Board& b);

// True when a flower still on the field stands where the hero can never reach it.
bool FlowerCutOff(const Board& b);

// Why the stage can never be cleared whatever is played, or "" when nothing rules it out:
// no flower and no PX piece, flower counts that cannot alternate from the colour due, a
// flower the hero can never reach, a PX piece that can never reach a hole (from where it and
// the hero stand).
std::string ClearRuledOut(const Board& b, const StageAnalysis& a);

}  // namespace morvik

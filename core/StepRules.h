#pragma once
// Step resolution: what a step onto the cell in front will do (the step kind), and carrying
// the step out on the board once its walk has been shown.
#include <cstdint>

#include "core/Board.h"
#include "core/Effect.h"

namespace morvik {

namespace step {
inline constexpr std::int16_t Impossible = 0, Floor = 1, TakeYellow = 2, TakeRed = 3, PushStone = 4,
                              StoneIntoWater = 5, StoneOntoFlower = 6, StoneIntoHoleLight = 7,
                              OntoWrongFlower = 8, StoneIntoHoleGrass = 9, PushPX = 10, PXIntoWater = 11,
                              PXOntoFlower = 12, PXIntoHoleLight = 13, PXIntoHoleGrass = 14,
                              StoneOffHazard = 15, PXOffHazard = 16, OntoHazard = 17, PXIntoHoleSnow = 18,
                              PXIntoHoleSand = 19, StoneIntoHoleSnow = 20, StoneIntoHoleSand = 21,
                              StoneOntoCrackedIce = 100, PXOntoCrackedIce = 101;
}  // namespace step

// The picture pool that moves with the hero during a step of this kind, or -1 for none.
int MovingPoolOf(int kind);

// The kind of a step onto the cell in front. The cell in front must lie on the field.
// Classifying a stone or PX push already plays its push sound.
std::int16_t ClassifyStep(const Board& b, Script& s);

// Carries out the step of kind b.stepKind.
void ResolveStep(Board& b, Script& s);

}  // namespace morvik

#pragma once
// The walk of one step: four frames a quarter cell apart with alternating feet, the step
// resolved on the fourth.
#include "core/Board.h"
#include "core/Effect.h"

namespace morvik {

inline constexpr int WalkWaitMs = 60;

// Shows the walk of the step b.stepKind (non-zero) and resolves it.
void Walk(Board& b, Script& s);

}  // namespace morvik

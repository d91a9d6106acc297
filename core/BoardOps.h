#pragma once
// Shared board operations that end or open things: the spin-and-fall, opening the gates,
// ending the attempt and counting taken items.
#include "core/Board.h"
#include "core/Effect.h"

namespace morvik {

// The hero spins clockwise from one quarter past its facing until it faces down, then falls.
void FallSpin(const Board& b, Script& s);
// Every closed gate opens; one sound for all of them.
void OpenGates(Board& b, Script& s);
// The attempt ends with this outcome; the rules add nothing after it.
void EndStage(Board& b, Script& s, Outcome o);
// A yellow (0) or red (1) flower was taken or a PX piece (2) filled a hole: count it, flip the
// colour due, open the gates after the last PX piece and detect the clear.
void ItemTaken(Board& b, Script& s, int kind);

}  // namespace morvik

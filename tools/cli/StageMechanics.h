#pragma once
// The mechanics a clear uses, read off the real rules while the clear is replayed: each
// press's change to the board and the effects the rules report for it. The words are the ones
// a stage's idea line names its mechanics in (ideas.txt), so that a tool can check the idea.
#include <string>
#include <vector>

#include "core/Board.h"
#include "core/Move.h"

namespace morvik {

struct ClearUse {
  std::vector<std::string> mechanics;  // in the order of MechanicWords()
  int presses = 0;
  int plainSteps = 0;  // walks onto empty ground that change nothing else
  bool clears = false;
};

// Every mechanic word, each with what makes a press count as using it.
//   jump              a jump from a pad
//   bounce-pad        a landing on a pad that throws the hero on
//   bounce-stone      a landing on a stone that throws the hero one cell on
//   spike-landing     a landing on the spikes (on a stone there: else the jump fails)
//   slide             a landing on ice that slides on
//   slide-stop        a jump that ends on ice before a stone or PX piece, which stopped the slide
//   whirl             a jump that flies over a whirl
//   hero-breaks-ice   cracked ice the hero leaves breaks
//   stone-breaks-ice  a stone pushed onto cracked ice breaks it
//   dig               a hole dug
//   stone-hole        a stone pushed into a hole fills it
//   stone-water       a stone pushed into the water sinks
//   px-hole           a PX piece dropped into a hole
//   gate              the gates open
//   over-flower       the hero walks onto a flower not yet due
//   flowers           a flower taken (every clear does: the idea of the flower stages)
const std::vector<std::string>& MechanicWords();

// Replays `clear` from `start` and names the mechanics it uses.
ClearUse MechanicsOf(const Board& start, const std::vector<Move>& clear);

// The words in square brackets at the end of an idea line ("... [slide, jump]"); unknown words
// are kept, so that a check can name them.
std::vector<std::string> NamedMechanics(const std::string& idea);

}  // namespace morvik

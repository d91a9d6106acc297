#pragma once
// The board after a play as the command line prints it: outcome, hero, both layers,
// the colour due and what was taken.
#include <string>

#include "core/Board.h"

namespace morvik {

std::string OutcomeName(Outcome o);
std::string BoardJson(const Board& b);

}  // namespace morvik

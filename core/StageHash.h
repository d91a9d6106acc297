#pragma once
// A stage's identity as played: a hash of its start (terrain, characters, the hero's cell and
// the flower due first), the same wherever the file lies and whatever number the stage has.
// The player's records are kept under it, so that a record follows its stage when the game is
// moved or the stages are renumbered, and is not taken by another stage.
#include <cstdint>

#include "core/Board.h"

namespace morvik {

std::uint64_t StageHash(const Board& start);

}  // namespace morvik

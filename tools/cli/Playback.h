#pragma once
// Plays moves on a board through the real rules with no window and no waiting, up to the
// last move or the first outcome.
#include <string>
#include <vector>

#include "core/Board.h"
#include "tools/cli/MoveText.h"

namespace morvik {

// Plays one move; false (with the reason) when the move cannot be played at all.
bool PlayMove(Board& b, const Move& m, std::string& error);
// Plays moves until one ends the attempt; returns how many were played.
int PlayMoves(Board& b, const std::vector<Move>& moves, std::string& error);

}  // namespace morvik

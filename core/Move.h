#pragma once
// One move of the hero, as the solver tries it, the command line reads it, the play screen's
// keys choose it and the tests write it: L U R D face and walk, T turn, Z dig, G give up,
// J1 to J5 jump that many cells from a jump pad. ApplyMove plays it through the key commands.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Board.h"
#include "core/Effect.h"

namespace morvik {

enum class Move : std::uint8_t { Left, Up, Right, Down, Turn, Dig, Jump1, Jump2, Jump3, Jump4, Jump5, GiveUp };
inline constexpr int MoveCount = 12;
// A search tries the moves before this count in order: every move but giving up.
inline constexpr int SearchMoveCount = static_cast<int>(Move::GiveUp);

constexpr Move JumpMove(int distance) { return static_cast<Move>(static_cast<int>(Move::Jump1) + distance - 1); }
constexpr bool IsJump(Move m) { return m >= Move::Jump1 && m <= Move::Jump5; }
constexpr int JumpDistanceOf(Move m) { return static_cast<int>(m) - static_cast<int>(Move::Jump1) + 1; }

// Plays one move as the play screen does: a jump starts the meter on a pad and releases it at
// the lowest level of that distance.
void ApplyMove(Board& b, Script& s, Move m);
// Plays moves until one ends the attempt; returns how many were played.
int PlayMoves(Board& b, const std::vector<Move>& moves);

// "L", "G", "J3": the move in the notation; moves joined without separators.
std::string MoveText(Move m);
std::string MovesText(const std::vector<Move>& moves);
// The moves of a text (blanks and commas between moves are allowed), or nothing with the
// error naming the first bad position, counted from 1.
std::optional<std::vector<Move>> ParseMoves(std::string_view text, std::string& error);

}  // namespace morvik

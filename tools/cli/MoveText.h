#pragma once
// The move notation of the command line: L U R D walk, T turn, Z dig, G give up, J1 to J5
// jump that many cells. Blanks and commas between moves are allowed.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvik {

struct Move {
  char kind;        // 'L' 'U' 'R' 'D' 'T' 'Z' 'G' 'J'
  int distance = 0; // for 'J'
  friend bool operator==(const Move&, const Move&) = default;
};

// The moves, or the error text naming the first bad position.
std::optional<std::vector<Move>> ParseMoves(std::string_view text, std::string& error);
std::string MovesText(const std::vector<Move>& moves);

}  // namespace morvik

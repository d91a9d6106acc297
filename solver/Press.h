#pragma once
// The key presses the solver tries, one per press of the move notation of `morvik-cli play`:
// L U R D face and walk, T turn, Z dig, J1 to J5 jump that many cells from a jump pad.
#include <cstdint>
#include <string>
#include <vector>

#include "core/Board.h"
#include "core/Effect.h"

namespace morvik {

enum class Press : std::uint8_t { Left, Up, Right, Down, Turn, Dig, Jump1, Jump2, Jump3, Jump4, Jump5 };
inline constexpr int PressCount = 11;

constexpr Press JumpPress(int distance) { return static_cast<Press>(static_cast<int>(Press::Jump1) + distance - 1); }
constexpr bool IsJump(Press p) { return p >= Press::Jump1; }
constexpr int JumpDistanceOf(Press p) { return static_cast<int>(p) - static_cast<int>(Press::Jump1) + 1; }

// Plays one press through the key commands of the field, as the play screen runs them.
void ApplyPress(Board& b, Script& s, Press p);

// "L", "T", "J3": the press in the move notation; the presses joined without separators.
std::string PressText(Press p);
std::string PressesText(const std::vector<Press>& presses);

}  // namespace morvik

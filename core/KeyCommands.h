#pragma once
// The key commands of the field while the jump meter is idle: the key table, stepping in a
// direction, turning, digging and giving up.
#include "core/Board.h"
#include "core/Effect.h"
#include "core/Move.h"

namespace morvik {

// What a key does while the meter is idle: nothing, a move, or starting the jump meter (the
// meter's level, not the key, then chooses the jump).
struct KeyCommand {
  enum Use : std::uint8_t { None, Play, Meter } use = None;
  Move move = Move::Left;  // for Play
  friend bool operator==(const KeyCommand&, const KeyCommand&) = default;
};

// Virtual key codes of the play screen's keys and the modifier bits (1 Shift, 2 Ctrl, 4 Alt).
namespace vk {
inline constexpr int Left = 37, Up = 38, Right = 39, Down = 40, Delete = 46, X = 88, Z = 90;
inline constexpr int Pad4 = 100, Pad8 = 104, Pad6 = 102, Pad2 = 98, Shift = 16;
}  // namespace vk
inline constexpr int ModShift = 1, ModCtrl = 2, ModAlt = 4;

// What a key does while the meter is idle: Shift alone turns whatever the key; Ctrl and Alt
// change nothing.
KeyCommand CommandForKey(int keyCode, int modifiers);

// Faces dir and, unless the hero faces the border or the step is impossible, walks.
void StepCommand(Board& b, Script& s, int dir);
void TurnCommand(Board& b, Script& s);
void DigCommand(Board& b, Script& s);
void GiveUpCommand(Board& b, Script& s);
// X while the meter is idle: true when the meter may start (the hero stands on a jump pad).
bool StartMeterCommand(const Board& b, Script& s);
// X while the meter shows `level`: the jump of that level's distance, cut at the border.
// Returns the distance jumped (0: refused).
int ReleaseJumpCommand(Board& b, Script& s, int level);
// The lowest meter level whose distance is d (1 to 5).
int LevelForDistance(int d);

}  // namespace morvik

#pragma once
// The jump from a jump pad: the meter's distance table, the flight on its arc and the
// landing chain (stone bounces, ice slides, pad bounces, falls, crashes and the hidden warp).
#include "core/Board.h"
#include "core/Effect.h"

namespace morvik {

inline constexpr int MeterLevels = 7;
inline constexpr int MeterTickMs = 20;
inline constexpr int MeterLevelPauseMs = 300;

// Cells jumped for a meter level 0 to 7: 0, 1, 1, 2, 2, 3, 4, 5.
int JumpDistance(int level);
// Palette number (standard 16-colour CGA) of meter segment `level`, 1 to 7.
int MeterColourNumber(int level);
// The RGB value of a CGA palette number.
unsigned CgaRgb(int number);

// A jump of d cells ahead, cut so that it ends on the border cell at the latest.
int ShortenedJump(const Board& b, int d);

// Take-off, flight and landing of a jump of `distance` cells (1 to 5) in the facing direction.
void Jump(Board& b, Script& s, int distance);
// The landing after the hero moved `shift` cells along one axis (negative: left or up).
void JumpLand(Board& b, Script& s, int shift, bool horizontal, bool vertical);
// Moves the hero's picture and shadow one cell forward in four steps; the cell is unchanged.
void SlideStep(const Board& b, Script& s, int delayMs);

}  // namespace morvik

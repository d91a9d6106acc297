#include "solver/Press.h"

#include "core/KeyCommands.h"

namespace morvik {

void ApplyPress(Board& b, Script& s, Press p) {
  switch (p) {
    case Press::Left: StepCommand(b, s, DirLeft); break;
    case Press::Up: StepCommand(b, s, DirUp); break;
    case Press::Right: StepCommand(b, s, DirRight); break;
    case Press::Down: StepCommand(b, s, DirDown); break;
    case Press::Turn: TurnCommand(b, s); break;
    case Press::Dig: DigCommand(b, s); break;
    default:
      // X starts the meter on a pad; X again releases at the lowest level of that distance.
      if (StartMeterCommand(b, s)) ReleaseJumpCommand(b, s, LevelForDistance(JumpDistanceOf(p)));
      break;
  }
}

std::string PressText(Press p) {
  std::string t(1, IsJump(p) ? 'J' : "LURDTZ"[static_cast<int>(p)]);
  if (IsJump(p)) t += static_cast<char>('0' + JumpDistanceOf(p));
  return t;
}

std::string PressesText(const std::vector<Press>& presses) {
  std::string out;
  for (Press p : presses) out += PressText(p);
  return out;
}

}  // namespace morvik

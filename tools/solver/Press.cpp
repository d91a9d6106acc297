#include "tools/solver/Press.h"

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
  if (IsJump(p)) return "J" + std::to_string(JumpDistanceOf(p));
  return std::string(1, "LURDTZ"[static_cast<int>(p)]);
}

std::string PressesText(const std::vector<Press>& presses) {
  std::string out;
  for (Press p : presses) out += PressText(p);
  return out;
}

}  // namespace morvik

#include "tools/cli/Playback.h"

#include "core/KeyCommands.h"

namespace morvik {

bool PlayMove(Board& b, const Move& m, std::string& error) {
  Script discard(false);
  switch (m.kind) {
    case 'L': StepCommand(b, discard, DirLeft); break;
    case 'U': StepCommand(b, discard, DirUp); break;
    case 'R': StepCommand(b, discard, DirRight); break;
    case 'D': StepCommand(b, discard, DirDown); break;
    case 'T': TurnCommand(b, discard); break;
    case 'Z': DigCommand(b, discard); break;
    case 'G': GiveUpCommand(b, discard); break;
    case 'J':
      if (StartMeterCommand(b, discard)) ReleaseJumpCommand(b, discard, LevelForDistance(m.distance));
      break;
    default:
      error = std::string("unknown move ") + m.kind;
      return false;
  }
  return true;
}

int PlayMoves(Board& b, const std::vector<Move>& moves, std::string& error) {
  int played = 0;
  for (const Move& m : moves) {
    if (b.Ended()) break;
    if (!PlayMove(b, m, error)) return -1;
    ++played;
  }
  return played;
}

}  // namespace morvik

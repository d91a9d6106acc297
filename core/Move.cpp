#include "core/Move.h"

#include "core/KeyCommands.h"

namespace morvik {

void ApplyMove(Board& b, Script& s, Move m) {
  switch (m) {
    case Move::Left: StepCommand(b, s, DirLeft); break;
    case Move::Up: StepCommand(b, s, DirUp); break;
    case Move::Right: StepCommand(b, s, DirRight); break;
    case Move::Down: StepCommand(b, s, DirDown); break;
    case Move::Turn: TurnCommand(b, s); break;
    case Move::Dig: DigCommand(b, s); break;
    case Move::GiveUp: GiveUpCommand(b, s); break;
    default:
      if (StartMeterCommand(b, s)) ReleaseJumpCommand(b, s, LevelForDistance(JumpDistanceOf(m)));
      break;
  }
}

int PlayMoves(Board& b, const std::vector<Move>& moves) {
  Script discard(false);
  int played = 0;
  for (Move m : moves) {
    if (b.Ended()) break;
    ApplyMove(b, discard, m);
    ++played;
  }
  return played;
}

namespace {
// The letters of the moves before the jumps, in the order of Move.
constexpr std::string_view kLetters = "LURDTZ";
}  // namespace

std::string MoveText(Move m) {
  if (m == Move::GiveUp) return "G";
  if (IsJump(m)) return std::string("J") + static_cast<char>('0' + JumpDistanceOf(m));
  return std::string(1, kLetters[static_cast<int>(m)]);
}

std::string MovesText(const std::vector<Move>& moves) {
  std::string out;
  for (Move m : moves) out += MoveText(m);
  return out;
}

std::optional<std::vector<Move>> ParseMoves(std::string_view text, std::string& error) {
  std::vector<Move> moves;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ' ' || c == ',' || c == '\t' || c == '\n' || c == '\r') continue;
    if (c == 'G') {
      moves.push_back(Move::GiveUp);
    } else if (c == 'J') {
      if (i + 1 >= text.size() || text[i + 1] < '1' || text[i + 1] > '5') {
        error = "jump at position " + std::to_string(i + 1) + " needs a distance 1 to 5 (J1 to J5)";
        return std::nullopt;
      }
      moves.push_back(JumpMove(text[++i] - '0'));
    } else if (const std::size_t at = kLetters.find(c); at != std::string_view::npos) {
      moves.push_back(static_cast<Move>(at));
    } else {
      error = "unknown move '" + std::string(1, c) + "' at position " + std::to_string(i + 1);
      return std::nullopt;
    }
  }
  return moves;
}

}  // namespace morvik

#include "tools/cli/MoveText.h"

namespace morvik {

std::optional<std::vector<Move>> ParseMoves(std::string_view text, std::string& error) {
  std::vector<Move> moves;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ' ' || c == ',' || c == '\t' || c == '\n' || c == '\r') continue;
    switch (c) {
      case 'L': case 'U': case 'R': case 'D': case 'T': case 'Z': case 'G':
        moves.push_back({c});
        break;
      case 'J':
        if (i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '5') {
          moves.push_back({'J', text[i + 1] - '0'});
          ++i;
          break;
        }
        error = "jump at position " + std::to_string(i + 1) + " needs a distance 1 to 5 (J1 to J5)";
        return std::nullopt;
      default:
        error = "unknown move '" + std::string(1, c) + "' at position " + std::to_string(i + 1);
        return std::nullopt;
    }
  }
  return moves;
}

std::string MovesText(const std::vector<Move>& moves) {
  std::string out;
  for (const Move& m : moves) {
    out += m.kind;
    if (m.kind == 'J') out += static_cast<char>('0' + m.distance);
  }
  return out;
}

}  // namespace morvik

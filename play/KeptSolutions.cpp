#include "play/KeptSolutions.h"

#include <sstream>

namespace morvik {

std::optional<std::vector<Press>> ParsePresses(std::string_view text) {
  std::vector<Press> presses;
  for (std::size_t i = 0; i < text.size(); ++i) {
    switch (text[i]) {
      case 'L': presses.push_back(Press::Left); break;
      case 'U': presses.push_back(Press::Up); break;
      case 'R': presses.push_back(Press::Right); break;
      case 'D': presses.push_back(Press::Down); break;
      case 'T': presses.push_back(Press::Turn); break;
      case 'Z': presses.push_back(Press::Dig); break;
      case 'J':
        if (i + 1 >= text.size() || text[i + 1] < '1' || text[i + 1] > '5') return std::nullopt;
        presses.push_back(JumpPress(text[++i] - '0'));
        break;
      default: return std::nullopt;
    }
  }
  return presses;
}

void KeptSolutions::Parse(std::string_view text) {
  lines_.clear();
  std::istringstream in{std::string(text)};
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string stage, moves, rest;
    if (!(words >> stage >> moves) || (words >> rest)) continue;
    if (stage.empty() || stage.size() > 4 || stage.find_first_not_of("0123456789") != std::string::npos) continue;
    if (auto presses = ParsePresses(moves)) lines_[std::stoi(stage)] = std::move(*presses);
  }
}

void KeptSolutions::Follow(int stage, const Board& start) {
  positions_.clear();
  if (const auto it = lines_.find(stage); it != lines_.end()) Add(start, it->second);
}

void KeptSolutions::Add(const Board& from, const std::vector<Press>& line) {
  // A line that does not clear from here (the stage was changed) answers nothing.
  std::vector<Position> along;
  Board b = from;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (b.Ended()) return;
    along.push_back({b, {line[i], static_cast<int>(line.size() - i)}});
    Script s;
    ApplyPress(b, s, line[i]);
  }
  if (b.outcome != Outcome::Clear) return;
  for (Position& p : along)
    if (!Find(p.board)) positions_.push_back(std::move(p));
}

std::optional<KeptSolutions::Answer> KeptSolutions::Find(const Board& b) const {
  for (const Position& p : positions_)
    if (p.board == b) return p.answer;
  return std::nullopt;
}

}  // namespace morvik

#include "play/KeptSolutions.h"

#include <algorithm>
#include <sstream>

namespace morvik {

void KeptSolutions::Parse(std::string_view text) {
  lines_.clear();
  std::istringstream in{std::string(text)};
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string stage, moves, rest;
    if (!(words >> stage >> moves) || (words >> rest)) continue;
    if (stage.empty() || stage.size() > 4 || stage.find_first_not_of("0123456789") != std::string::npos) continue;
    std::string error;
    auto line = ParseMoves(moves, error);
    // A kept solution clears the stage; giving up is no part of one.
    if (line && std::find(line->begin(), line->end(), Move::GiveUp) == line->end()) lines_[std::stoi(stage)] = std::move(*line);
  }
}

void KeptSolutions::Follow(int stage, const Board& start) {
  positions_.clear();
  if (const auto it = lines_.find(stage); it != lines_.end()) Add(start, it->second);
}

void KeptSolutions::Add(const Board& from, const std::vector<Move>& line) {
  // A line that does not clear from here (the stage was changed) answers nothing.
  std::vector<Position> along;
  Board b = from;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (b.Ended()) return;
    along.push_back({b, {line[i], static_cast<int>(line.size() - i)}});
    Script s;
    ApplyMove(b, s, line[i]);
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

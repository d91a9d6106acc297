#pragma once
// The shortest solutions the hint can answer from at once: the shipped stages' kept solutions
// ("solutions.txt" in the program folder: "stage moves" lines, moves as L U R D T Z J1-J5) and
// the lines the hint's searches found during this stage. A line is followed from the stage
// start through the real rules, and every position on it keeps its next press and the presses
// still needed; the rest of a shortest line is a shortest line, so any of them is an answer.
// Standard library and the rules only, so that a benchmark can time it without a window.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Board.h"
#include "core/Move.h"

namespace morvik {

class KeptSolutions {
 public:
  struct Answer {
    Move next;
    int left;  // presses still needed, the next one included
  };

  // The solutions file's text; lines that are not "number moves" are skipped.
  void Parse(std::string_view text);
  bool HasLine(int stage) const { return lines_.count(stage) > 0; }
  std::size_t Lines() const { return lines_.size(); }

  // Forgets the positions of the stage before and follows the kept line of `stage` (if any)
  // from `start`, the board as the attempt begins.
  void Follow(int stage, const Board& start);
  // Follows a shortest solution found from `from`.
  void Add(const Board& from, const std::vector<Move>& line);
  // The answer for a position on a followed line.
  std::optional<Answer> Find(const Board& b) const;
  std::size_t Positions() const { return positions_.size(); }

 private:
  struct Position {
    Board board;
    Answer answer;
  };
  std::map<int, std::vector<Move>> lines_;
  std::vector<Position> positions_;
};

}  // namespace morvik

#pragma once
// Answer files: the moves of a clear as the play screen's guide replays them. One record per
// step, dig and jump landing (a landing chain gives one per landing), found by playing the
// presses on the real rules and reading the answer effects they report.
#include <string>
#include <vector>

#include "core/Board.h"
#include "tools/solver/Press.h"

namespace morvik {

struct AnswerRecord {
  int action;  // 0 step, 1 dig, 2 jump landing
  int x, y;    // the cell arrived on, or the cell dug
  friend bool operator==(const AnswerRecord&, const AnswerRecord&) = default;
};

std::vector<AnswerRecord> RecordAnswer(Board start, const std::vector<Press>& presses);

// The whole file: "[]", "<Morvik Answer Data>", an empty line, "@", the records, an empty
// line and "@", every line ended by CR LF.
std::string AnswerFileText(const std::vector<AnswerRecord>& records);

// The answer file that belongs to a stage file: its path with "a" appended.
std::string AnswerPathFor(const std::string& stagePath);

}  // namespace morvik

#pragma once
// The answer of a solution: one record per step, dig and jump landing (a landing chain gives
// one per landing), found by playing the presses on the real rules and reading the answer
// effects they report. The file layout is the stage data's (AnswerFileText).
#include <vector>

#include "core/Board.h"
#include "core/Move.h"
#include "stagedata/AnswerFormat.h"

namespace morvik {

std::vector<AnswerRecord> RecordAnswer(Board start, const std::vector<Move>& presses);

}  // namespace morvik

#pragma once
// What the editor's verdict says about a drawing, in the designer's words: the checks the
// stage reader makes on a saved stage come first (a test play meets the same refusals), then
// the solver's answer on the drawing as the reader would set it up.
#include <cstdint>
#include <string>
#include <vector>

#include "core/Board.h"
#include "stagedata/StageWriter.h"
#include "solver/Solver.h"

namespace morvik {

struct VerdictStart {
  std::string refusal;             // why the drawing is not a stage yet; empty when it is
  Board board;                     // the start of the search when there is no refusal
  std::vector<std::string> block;  // the drawing as block 0, as it would be saved
};
VerdictStart PrepareVerdict(const StageSheet& stage);

// "クリアできます：最短 n 手", "クリアできません（理由：…）", "わかりません（上限）" for a
// search that ended (a cancelled one is never shown), and "調べています… n 状態" meanwhile.
std::string VerdictText(const SolveResult& r);
std::string RefusedText(const std::string& reason);
std::string SearchingText(std::uint64_t states);

// The limits of the editor's searches: a drawing beyond them is "unknown", never a stalled
// machine.
SolverOptions EditorBudget();

}  // namespace morvik

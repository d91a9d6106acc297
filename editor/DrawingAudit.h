#pragma once
// What the stage list says of a stage, found for the drawing in the editor: the difficulty
// figure (the states of the plain breadth-first search, facing counted), the traps along the
// shortest clear and the decoys (objects no shortest clear needs), each search held to the
// editor's limits and stopped by the cancel flag.
#include <atomic>
#include <cstdint>
#include <vector>

#include "editor/StageVerdict.h"

namespace morvik {

struct DrawingFigures {
  std::uint64_t states = 0;
  bool statesWhole = true;        // false: the search stopped at a limit; states is a lower bound
  int traps = 0, trapsUnsettled = 0;
  std::vector<int> decoyCells;    // editor cell numbers (10 x + y)
  int decoysUnsettled = 0;
  bool cancelled = false;
};

DrawingFigures AuditDrawing(const VerdictStart& drawing, const std::vector<Move>& clear, const SolverOptions& budget,
                            const std::atomic<bool>& cancel);

// "難しさ 1234 状態　罠 2　おとり 1 個" (a "+" after a figure the limits left unsettled).
std::string FiguresText(const DrawingFigures& f);

}  // namespace morvik

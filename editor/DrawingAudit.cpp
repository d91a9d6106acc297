#include "editor/DrawingAudit.h"

#include "core/Translate.h"
#include "solver/StageAudit.h"

namespace morvik {

DrawingFigures AuditDrawing(const VerdictStart& drawing, const std::vector<Move>& clear, const SolverOptions& budget,
                            const std::atomic<bool>& cancel) {
  DrawingFigures f;
  SolverOptions whole = budget;
  whole.cancel = &cancel;
  whole.progress = nullptr;
  // The measure the stage list uses: plain breadth-first, the facing always counted.
  whole.bestFirst = false;
  whole.mergeIdleFacing = false;
  const SolveResult r = Solve(drawing.board, whole);
  f.states = r.states;
  f.statesWhole = r.verdict != Verdict::Unknown;
  // The many small searches of traps and decoys get a tenth of the budget each.
  SolverOptions small = budget;
  small.cancel = &cancel;
  small.progress = nullptr;
  small.maxSeconds = budget.maxSeconds / 10;
  const TrapCount traps = CountTraps(drawing.board, clear, small);
  f.traps = traps.traps;
  f.trapsUnsettled = traps.unknown;
  const DecoySearch decoys = FindDecoys(drawing.block, 0, clear, small);
  for (const StageObject& o : decoys.decoys) f.decoyCells.push_back(10 * o.x + o.y);
  f.decoysUnsettled = decoys.unknown;
  f.cancelled = cancel.load();
  return f;
}

std::string FiguresText(const DrawingFigures& f) {
  return Format(translate("DrawingAudit", "難しさ %1 状態　罠 %2　おとり %3 個"),
                {std::to_string(f.states) + (f.statesWhole ? "" : "+"), std::to_string(f.traps) + (f.trapsUnsettled ? "+" : ""),
                 std::to_string(f.decoyCells.size()) + (f.decoysUnsettled ? "+" : "")});
}

}  // namespace morvik

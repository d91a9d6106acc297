#pragma once
// The solver: breadth-first search over key presses on the real rules (effect scripts
// discarded), so the first clear found is a shortest one. Only states no solution needs are
// pruned; see Solver.cpp for the rules and why each is safe.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Board.h"
#include "tools/solver/Press.h"

namespace morvik {

enum class Verdict { Solved, Unsolvable, Unknown };
std::string VerdictName(Verdict v);

struct SolverOptions {
  // Dig only where a stone or PX piece may still be pushed into the hole, and never more
  // open holes than objects left to fill them (cells beside a jump pad excepted).
  bool pruneDigs = true;
  // Drop states from which the stage can no longer be cleared: a PX piece that can never
  // reach a hole, a flower cut off by broken ice; and answer at once for a stage whose
  // flowers cannot alternate or that has nothing to take.
  bool pruneDeadStates = true;
  std::uint64_t maxStates = 0;  // 0: no limit on the states stored
  double maxSeconds = 0;        // 0: no time limit
};

struct SolveResult {
  Verdict verdict = Verdict::Unknown;
  std::vector<Press> presses;  // a shortest solution when solved
  std::uint64_t states = 0;    // distinct states found
  std::uint64_t expanded = 0;  // states whose presses were all tried
  double seconds = 0;
  std::size_t memoryBytes = 0;
  int keyWords = 0;
  std::string reason;          // why without search, or which limit stopped the search
};

// `start` is a board at the start of an attempt, as the stage reader leaves it.
SolveResult Solve(const Board& start, const SolverOptions& options = {});

}  // namespace morvik

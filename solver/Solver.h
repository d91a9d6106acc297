#pragma once
// The solver: a search over key presses on the real rules (effect scripts discarded) that
// finds a shortest solution in presses, or proves that none exists by exploring every
// reachable state. Only states no solution needs are pruned; see Solver.cpp for the rules
// and why each is safe.
//
// Any board between two presses may be the start: a stage as the reader leaves it, or the
// play screen's board in the middle of an attempt (colour due, facing and flower records
// included). Solve keeps no shared mutable state, so a hint may run it on a worker thread:
//
//   std::atomic<bool> cancel{false};          // set from any thread to stop the search
//   SolverOptions o;
//   o.maxSeconds = 1;                         // the hint's budget
//   o.maxMemoryBytes = std::size_t{512} << 20;
//   o.cancel = &cancel;
//   const SolveResult r = Solve(boardCopy, o);  // a copy: the search never touches the game's
//   if (r.verdict == Verdict::Solved) show(r.presses.front());
//   else if (r.verdict == Verdict::Unsolvable) ...  // no clear from this position
//   else ...  // r.stop says why it gave up: Budget, Cancelled, Memory, ...
//
// The cancel flag is read every few hundred states, so a search stops within milliseconds.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Board.h"
#include "core/Move.h"

namespace morvik {

enum class Verdict { Solved, Unsolvable, Unknown };
std::string VerdictName(Verdict v);

// Why a search ended without a verdict.
enum class StopReason { None, Budget, Cancelled, Memory, StateLimit, Unpackable };

struct SolverOptions {
  // Dig only where a stone or PX piece may still be pushed into the hole, and never more
  // open holes than objects left to fill them (cells beside a jump pad excepted).
  bool pruneDigs = true;
  // Drop states from which the stage can no longer be cleared: a PX piece that can never
  // reach a hole, a flower cut off by broken ice; and answer at once for a stage whose
  // flowers cannot alternate or that has nothing to take.
  bool pruneDeadStates = true;
  // Store states that differ in the hero's facing alone as one where no press can read the
  // facing (see Solver.cpp).
  bool mergeIdleFacing = true;
  // Expand states in order of presses made plus a lower bound on the presses still needed
  // (far fewer states); otherwise breadth-first, the plain search the other is checked against.
  bool bestFirst = true;
  std::uint64_t maxStates = 0;       // 0: no limit on the states stored
  double maxSeconds = 0;             // 0: no time limit
  std::size_t maxMemoryBytes = 0;    // 0: no limit on the search's tables
  const std::atomic<bool>* cancel = nullptr;  // may be null
  // When set, the states stored so far, written as often as the cancel flag is read (a
  // window shows the search's progress from another thread).
  std::atomic<std::uint64_t>* progress = nullptr;
  // Keep the tables' memory for the next search (a command solving stage after stage saves
  // the page faults); otherwise it goes back to the system when the search ends.
  bool keepMemory = false;
};

struct SolveResult {
  Verdict verdict = Verdict::Unknown;
  StopReason stop = StopReason::None;  // set when the verdict is Unknown
  std::vector<Move> presses;  // a shortest solution when solved
  std::uint64_t states = 0;    // distinct states found
  std::uint64_t expanded = 0;  // states whose presses were all tried
  double seconds = 0;
  std::size_t memoryBytes = 0;
  int keyWords = 0;
  std::string reason;          // why without search, or which limit stopped the search
};

// `start` is any board between presses; an attempt that has already ended is unsolvable.
SolveResult Solve(const Board& start, const SolverOptions& options = {});

}  // namespace morvik

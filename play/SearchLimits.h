#pragma once
// How long and how large the play screen's searches may grow: they run beside the game on a
// desktop, so each stays well inside its memory and gives up rather than keep the player
// waiting.
#include <cstddef>

#include "play/SolverWorker.h"

namespace morvik {

// The search for a stage's fewest presses when the shipped table does not have it.
inline constexpr double ShortestSearchSeconds = 10;
// Off the kept shortest lines the hint searches this long; any key takes the search back.
inline constexpr double HintSearchSeconds = 5.0;
// A search that needs more memory than this gives up.
inline constexpr std::size_t PlaySearchMemory = std::size_t{512} << 20;

// The job of a search from `from` that gives up after `seconds` or past PlaySearchMemory.
inline SolverWorker::Job PlaySearchFrom(const Board& from, double seconds) {
  return [from, seconds](const std::atomic<bool>& cancel) {
    SolverOptions o;
    o.maxSeconds = seconds;
    o.maxMemoryBytes = PlaySearchMemory;
    o.cancel = &cancel;
    return Solve(from, o);
  };
}

}  // namespace morvik

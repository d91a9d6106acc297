#pragma once
// The solver's commands of morvik-cli:
//   solve FILE [--stage N] [--from MOVES] [--json] [--answer] [LIMITS]
//   verify MAPFILE [--jobs N] [LIMITS]
//   LIMITS: [--max-states N] [--max-seconds S] [--max-memory MB] [--breadth-first]
// verify solves stages on N threads at once (every core unless given); --breadth-first
// runs the plain search the faster one is checked against.
// solve --from plays MOVES first and solves from where they lead. The search's tables are
// held under DefaultMemoryMegabytes unless --max-memory says otherwise; a search stopped by
// a limit reports "unknown" with the counts it reached.
// solve exits 0 when solved, 1 when unsolvable or unknown; verify exits 0 when every stage
// is solved, 1 otherwise; both exit 2 on bad arguments or unreadable files.
#include <iosfwd>
#include <string>
#include <vector>

#include "solver/Solver.h"

namespace morvik {

inline constexpr std::size_t DefaultMemoryMegabytes = 2048;

int SolveMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int VerifyMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// {"verdict": ..., "reason": ..., "moves": ..., "presses": n, "states": n, "expanded": n,
// "seconds": x}; states are those stored, expanded those whose presses were all tried.
std::string SolveJson(const SolveResult& r);
// s as a JSON string, quotes included.
std::string JsonString(const std::string& s);
// The stage numbers of a map file's blocks, in file order, each number once (the first
// block of a number is the one the reader takes).
std::vector<int> MapStageNumbers(const std::vector<std::string>& lines);

}  // namespace morvik

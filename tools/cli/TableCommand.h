#pragma once
// morvik-cli table MAPFILE [--names FILE] [--solutions FILE] [--update LIST] [--stage N]
//                  [--plain-states N] [--guided-states N] [--max-states N] [--max-seconds S]
// The stage list of a map file, one row per stage: the mechanics and the share of plain steps
// of the kept shortest clear, its presses, the states of a plain and of the guided search
// (each stopped at a fixed state limit), the traps along the clear, the decoys (objects whose
// removal changes nothing; "trap" when every push of one leads to a dead end), and the
// fingerprint of what the row was measured from (StageRowHash). --names adds the idea of each
// stage from lines "N text"; --solutions gives the kept shortest solutions ("N moves");
// --update copies the rows of an earlier list whose fingerprint and limits still hold.
// --max-states limits each trap and decoy search. Exits 1 when a stage is unsolvable or not
// settled, its kept solution is no shortest clear, or it holds filler (a decoy that is no
// trap); 2 on bad arguments.
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "core/Board.h"
#include "core/Move.h"
#include "solver/Solver.h"

namespace morvik {

int TableMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The state limit of the list's guided search, unless the command is told another.
inline constexpr std::uint64_t kTableGuidedStates = 20000000;

// The guided search the list measures a stage with: the solver's own bound and pruning on
// `options`, stopped at `states`. A test searches small stages anew with it, so that a solver
// change that moves the list's figures is noticed.
SolveResult TableGuidedSearch(const Board& start, std::uint64_t states = kTableGuidedStates, SolverOptions options = {});

// The presses of a kept solution ("LURJ3..."); false when it holds a give-up or a bad move.
bool PressesOf(const std::string& text, std::vector<Move>& out);

// The fingerprint of a stage list row: the stage block (its number left out), the kept solution
// and the idea line.
std::string StageRowHash(const std::vector<std::string>& block, const std::string& solution, const std::string& idea);

// morvik-cli uses MAPFILE --solutions FILE [--stage N]
// The mechanics each kept solution uses and its plain steps, one line "N: slide, jump (walk
// 12/30)" per stage; exits 1 when a kept solution is missing or does not clear.
int UsesMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// morvik-cli decoys MAPFILE --solutions FILE [--stage N] [--max-seconds S] [--max-states N]
// The decoys of every stage, measured against its kept shortest solution ("N moves" lines):
// one line "N: S 45" per stage. Exits 1 when a stage holds more than one decoy or a removal
// could not be settled within the limits.
int DecoysMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace morvik

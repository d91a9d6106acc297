#pragma once
// The difficulty and the economy of one stage, measured with the solver: how many presses
// its shortest clear takes, the traps along that clear (single presses that leave a board
// which can no longer be cleared although nothing has ended), and the objects whose removal
// changes nothing about the clear.
#include <string>
#include <vector>

#include "core/Board.h"
#include "solver/Solver.h"

namespace morvik {

// One stone, flower, PX piece or empty hole of a stage block: its kind letter (S Y R P E) and cell.
struct StageObject {
  char kind = 'S';
  int x = 0, y = 0;
  std::string Text() const;  // "S 45": kind, column, row
};

struct TrapCount {
  int traps = 0;
  int unknown = 0;  // presses whose result the solver could not settle within its limits
};

struct DecoySearch {
  std::vector<StageObject> decoys;  // objects whose removal leaves a shortest clear as long and still working
  int unknown = 0;                  // removals the solver could not settle within its limits
};

// A plain walk onto empty ground: nothing but the hero moved, and it can walk straight back.
bool PlainWalk(const Board& before, const Board& after);

// The 21 lines of block n of a map file's lines; empty when the file has no such block.
std::vector<std::string> StageBlock(const std::vector<std::string>& lines, int n);
// Every object of a block, in the order of its lists.
std::vector<StageObject> BlockObjects(const std::vector<std::string>& block);
// The block without that object: an emptied hole becomes the plain ground it was dug from.
std::vector<std::string> WithoutObject(std::vector<std::string> block, const StageObject& o);
// The start board of a block read on its own, as story stage n (stage 16 keeps its hidden exit).
bool BlockBoard(const std::vector<std::string>& block, int n, Board& b, std::string& error);

// Traps along one clear: from every board on the way, each press other than the clear's own
// that changes the board and neither ends the attempt nor leaves it solvable.
TrapCount CountTraps(const Board& start, const std::vector<Move>& clear, const SolverOptions& options);

// The objects whose removal neither makes the stage unsolvable, nor breaks `clear`, nor
// shortens the shortest clear.
DecoySearch FindDecoys(const std::vector<std::string>& block, int n, const std::vector<Move>& clear,
                       const SolverOptions& options);

// Whether object `o` of the start board is a named trap rather than filler: along `clear`,
// some press moves it, and every press that moves it leaves a board that can no longer be
// cleared. Unknown when a search could not settle within the limits.
enum class TrapVerdict { NotTrap, Trap, Unknown };
TrapVerdict DecoyTrap(const Board& start, const std::vector<Move>& clear, const StageObject& o,
                      const SolverOptions& options);

}  // namespace morvik

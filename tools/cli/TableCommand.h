#pragma once
// morvik-cli table MAPFILE [--names FILE] [--solutions FILE] [--stage N] [--max-seconds S] [--max-states N]
// The difficulty table of a map file, one row per stage: shortest presses, states the solver
// explored, traps along the shortest clear, and decoys (objects whose removal changes
// nothing). --names adds the idea of each stage from lines "N text"; --solutions gives kept
// shortest solutions ("N moves") to measure by when a search is cut short by the limits. Exits 1 when a stage is
// unsolvable or unsettled, or holds more than one decoy; 2 on bad arguments.
#include <iosfwd>
#include <string>
#include <vector>

namespace morvik {

int TableMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// morvik-cli decoys MAPFILE --solutions FILE [--stage N] [--max-seconds S] [--max-states N]
// The decoys of every stage, measured against its kept shortest solution ("N moves" lines):
// one line "N: S 45" per stage. Exits 1 when a stage holds more than one decoy or a removal
// could not be settled within the limits.
int DecoysMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace morvik

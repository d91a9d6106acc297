#pragma once
// morvik-cli table MAPFILE [--names FILE] [--stage N] [--max-seconds S] [--max-states N]
// The difficulty table of a map file, one row per stage: shortest presses, states the solver
// explored, traps along the shortest clear, and decoys (objects whose removal changes
// nothing). --names adds the idea of each stage from lines "N text". Exits 1 when a stage is
// unsolvable or unsettled, or holds more than one decoy; 2 on bad arguments.
#include <iosfwd>
#include <string>
#include <vector>

namespace morvik {

int TableMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace morvik

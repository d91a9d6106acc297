// How long a hint takes: positions sampled along the shortest solutions of the shipped stages
// (solutions.txt played on mapdata.dat), each solved as the play screen's hint solves it, with
// its one-second budget. Prints the median and the 95th percentile of the answer times, how
// many answers the budget cut off, whether each answer agrees with the solution's remaining
// length, and the peak memory of the process.
//   hint_timing MAPFILE SOLUTIONS [SAMPLES] [SECONDS]
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/Move.h"
#include "stagedata/StageReader.h"
#include "solver/Solver.h"

using namespace morvik;

namespace {

struct Position {
  int stage;
  int step;
  int remaining;  // presses of the solution still to play
  Board board;
};

long PeakKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: hint_timing MAPFILE SOLUTIONS [SAMPLES] [SECONDS]\n";
    return 2;
  }
  std::ifstream mapFile(argv[1], std::ios::binary);
  const std::string mapText((std::istreambuf_iterator<char>(mapFile)), {});
  const int samples = argc > 3 ? std::atoi(argv[3]) : 200;
  const double budget = argc > 4 ? std::atof(argv[4]) : 1.0;

  std::vector<Position> all;
  std::ifstream solutions(argv[2]);
  std::string line;
  while (std::getline(solutions, line)) {
    std::istringstream in(line);
    std::string stageText, movesText;
    if (!(in >> stageText >> movesText) || stageText.find_first_not_of("0123456789") != std::string::npos) continue;  // comments, 16w, 28v
    const int stage = std::stoi(stageText);
    const StageResult r = ReadStage(std::string_view(mapText), {stage, false, false});
    if (!std::holds_alternative<LoadedStage>(r)) continue;
    Board b = std::get<LoadedStage>(r).board;
    std::string error;
    const auto moves = ParseMoves(movesText, error);
    if (!moves) continue;
    for (std::size_t i = 0; i < moves->size() && !b.Ended(); ++i) {
      all.push_back({stage, static_cast<int>(i), static_cast<int>(moves->size() - i), b});
      PlayMoves(b, {(*moves)[i]});
    }
  }
  std::mt19937 rng(12);
  std::shuffle(all.begin(), all.end(), rng);
  if (static_cast<int>(all.size()) > samples) all.resize(samples);

  std::vector<double> times;
  int cut = 0, wrong = 0, unsolvable = 0;
  std::size_t largest = 0;
  for (const Position& p : all) {
    SolverOptions o;
    o.maxSeconds = budget;
    o.maxMemoryBytes = std::size_t{512} << 20;
    const SolveResult r = Solve(p.board, o);
    times.push_back(r.seconds);
    largest = std::max(largest, r.memoryBytes);
    if (r.verdict == Verdict::Unknown) ++cut;
    if (r.verdict == Verdict::Unsolvable) ++unsolvable;
    if (r.verdict == Verdict::Solved && static_cast<int>(r.presses.size()) > p.remaining) {
      ++wrong;
      std::printf("stage %d after %d presses: %zu presses found, the solution has %d left\n", p.stage, p.step, r.presses.size(), p.remaining);
    }
  }
  std::sort(times.begin(), times.end());
  auto at = [&](double q) { return times.empty() ? 0.0 : times[std::min(times.size() - 1, static_cast<std::size_t>(q * times.size()))]; };
  std::printf("positions %zu of %zu stages' solutions, budget %.1f s\n", times.size(), all.size(), budget);
  std::printf("median %.3f s, 95th percentile %.3f s, slowest %.3f s\n", at(0.5), at(0.95), times.empty() ? 0 : times.back());
  std::printf("cut off by the budget %d, unsolvable (wrong) %d, longer than the solution (wrong) %d\n", cut, unsolvable, wrong);
  std::printf("largest search memory %.1f MB, process peak %.1f MB\n", largest / 1e6, PeakKilobytes() / 1e3);
  return 0;
}

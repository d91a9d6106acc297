// The solver on a whole map file, one core (not a Google Benchmark):
//   solver_sampling MAPFILE [--positions N] [--check] [--solutions VERIFYOUTPUT]
// Solves every stage from its start (or takes the shortest solutions from the output of
// `morvik-cli verify`, each played back to a clear), then from N positions (200 unless given) spread evenly
// along those shortest solutions, as a hint would from a player's position, and reports the
// times (wall and this thread's processor time) as median, 95th percentile and maximum. A
// position k presses into a solution of n must give n - k presses that play back to a clear;
// any other answer is counted wrong. --check also runs the plain breadth-first search on
// every stage and counts a stage whose verdict or number of presses differs.
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "stagedata/StageReader.h"
#include "stagedata/TextLines.h"
#include "tools/cli/FileText.h"
#include "tools/cli/SolveCommand.h"
#include "solver/Solver.h"

using namespace morvik;

namespace {

double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Timed {
  SolveResult result;
  double wall = 0, cpu = 0;
};

Timed TimedSolve(const Board& b, const SolverOptions& o) {
  Timed t;
  const double cpu0 = ThreadSeconds();
  const auto wall0 = std::chrono::steady_clock::now();
  t.result = Solve(b, o);
  t.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
  t.cpu = ThreadSeconds() - cpu0;
  return t;
}

bool ClearsFrom(Board b, const std::vector<Move>& presses) {
  Script discard(false);
  for (const Move p : presses) {
    if (b.Ended()) return false;
    ApplyMove(b, discard, p);
  }
  return b.outcome == Outcome::Clear;
}

void Report(const char* what, std::vector<double> v) {
  if (v.empty()) return;
  std::sort(v.begin(), v.end());
  auto at = [&](double q) { return v[std::min(v.size() - 1, static_cast<std::size_t>(q * static_cast<double>(v.size())))]; };
  std::printf("%s: median %.3f s, 95%% %.3f s, max %.3f s, under 1 s: %zu of %zu\n", what, at(0.5), at(0.95), v.back(),
              static_cast<std::size_t>(std::count_if(v.begin(), v.end(), [](double x) { return x < 1.0; })), v.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: solver_sampling MAPFILE [--positions N] [--check]\n");
    return 2;
  }
  int positions = 200;
  bool check = false;
  std::string known;  // verify's lines: "stage NN: solved, P presses MOVES, ..."
  for (int i = 2; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--positions" && i + 1 < argc) positions = std::max(1, std::atoi(argv[++i]));
    else if (a == "--check") check = true;
    else if (a == "--solutions" && i + 1 < argc && !ReadFileText(argv[++i], known)) {
      std::fprintf(stderr, "cannot read %s\n", argv[i]);
      return 2;
    }
  }
  std::string text;
  if (!ReadFileText(argv[1], text)) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 2;
  }
  const std::vector<std::string> lines = SplitLines(text);
  SolverOptions o;
  o.maxMemoryBytes = std::size_t{2048} << 20;
  SolverOptions plain = o;
  plain.bestFirst = false;

  struct Solved {
    Board start;
    std::vector<Move> presses;
  };
  std::vector<Solved> solved;
  std::vector<double> startWall, startCpu;
  int differ = 0, notSolved = 0;
  double expandedPerCpu = 0, cpuTotal = 0;
  for (const int n : MapStageNumbers(lines)) {
    const StageRequest request{n, false, false};
    const StageResult loaded = ReadStage(lines, request);
    if (!std::holds_alternative<LoadedStage>(loaded)) continue;
    Board start = std::get<LoadedStage>(loaded).board;
    start.hiddenWarp = n == 16;
    if (!known.empty()) {
      char label[24];
      std::snprintf(label, sizeof label, "stage %02d: solved, ", n);
      const std::size_t at = known.find(label);
      std::vector<Move> presses;
      if (at != std::string::npos) {
        const std::size_t movesAt = known.find(" presses ", at) + 9;
        std::string error;
        if (auto moves = ParseMoves(known.substr(movesAt, known.find(',', movesAt) - movesAt), error))
          presses = std::move(*moves);
      }
      if (!presses.empty() && ClearsFrom(start, presses)) solved.push_back({start, presses});
      else ++notSolved;
      continue;
    }
    const Timed t = TimedSolve(start, o);
    startWall.push_back(t.wall);
    startCpu.push_back(t.cpu);
    expandedPerCpu += static_cast<double>(t.result.expanded);
    cpuTotal += t.cpu;
    std::printf("stage %02d: %s, %zu presses, %llu states, %.3f s (cpu %.3f s)", n, VerdictName(t.result.verdict).c_str(),
                t.result.presses.size(), static_cast<unsigned long long>(t.result.states), t.wall, t.cpu);
    if (check) {
      const Timed p = TimedSolve(start, plain);
      const bool same = p.result.verdict == t.result.verdict && p.result.presses.size() == t.result.presses.size();
      differ += !same;
      std::printf("; plain: %s, %zu presses, %llu states, cpu %.3f s%s", VerdictName(p.result.verdict).c_str(),
                  p.result.presses.size(), static_cast<unsigned long long>(p.result.states), p.cpu,
                  same ? "" : "  DIFFERENT");
    }
    std::printf("\n");
    std::fflush(stdout);
    if (t.result.verdict == Verdict::Solved && ClearsFrom(start, t.result.presses)) {
      solved.push_back({start, t.result.presses});
    } else {
      ++notSolved;
    }
  }
  Report("from the start (wall)", startWall);
  Report("from the start (cpu)", startCpu);
  std::printf("expanded states per cpu second: %.0f\n", cpuTotal > 0 ? expandedPerCpu / cpuTotal : 0.0);
  if (check) std::printf("stages where the plain search differs: %d\n", differ);

  // Positions spread evenly over every press of every solution.
  std::size_t total = 0;
  for (const Solved& s : solved) total += s.presses.size();
  std::vector<double> wall, cpu;
  int wrong = 0;
  for (int j = 0; j < positions && total > 0; ++j) {
    std::size_t at = (total * static_cast<std::size_t>(j)) / static_cast<std::size_t>(positions);
    const Solved* s = solved.data();
    while (at >= s->presses.size()) at -= (s++)->presses.size();
    Board b = s->start;
    Script discard(false);
    for (std::size_t k = 0; k < at; ++k) ApplyMove(b, discard, s->presses[k]);
    const Timed t = TimedSolve(b, o);
    wall.push_back(t.wall);
    cpu.push_back(t.cpu);
    const bool right = t.result.verdict == Verdict::Solved && t.result.presses.size() == s->presses.size() - at &&
                       ClearsFrom(b, t.result.presses);
    wrong += !right;
  }
  Report("from sampled positions (wall)", wall);
  Report("from sampled positions (cpu)", cpu);
  std::printf("stages not solved: %d; sampled positions answered wrongly or not at all: %d\n", notSolved, wrong);
  return notSolved || wrong || differ ? 1 : 0;
}

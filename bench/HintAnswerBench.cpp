// How fast the play screen's hint answers on the shipped stages, with the hint's own parts:
// - on the kept lines: every position along the kept shortest solution of every stage, each
//   answered as the hint does the first time it is asked in a stage (the line followed from
//   the stage start, then the position looked up); the slowest answer is reported;
// - one press off them: positions reached by one press other than the line's from a position
//   on it, sampled with a fixed seed, each searched with the hint's budget; the median, the
//   95th percentile and the slowest time are reported, and how many found no answer in time.
// Run it while the machine is busy, as a player's may be.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <random>
#include <ctime>

#include "play/SearchLimits.h"
#include "play/KeptSolutions.h"
#include "stagedata/StageReader.h"
#include "solver/Solver.h"

namespace morvik {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

struct Shipped {
  std::string map = ReadAll(MORVIK_STAGES_DIR "/mapdata.dat");
  std::string solutions = ReadAll(MORVIK_STAGES_DIR "/solutions.txt");
  std::vector<std::pair<int, Board>> starts;  // every stage with a kept line, as it starts
  KeptSolutions kept;
  Shipped() {
    kept.Parse(solutions);
    for (int stage = 1; stage <= 99; ++stage) {
      if (!kept.HasLine(stage)) continue;
      const StageResult r = ReadStage(std::string_view(map), {stage, false, false});
      if (!std::holds_alternative<LoadedStage>(r)) continue;
      Board b = std::get<LoadedStage>(r).board;
      b.hiddenWarp = stage == 16;  // as the story plays it
      starts.emplace_back(stage, b);
    }
  }
};

const Shipped& Stages() {
  static const Shipped s;
  return s;
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The processor time of this thread: what the search itself took, however busy the machine.
double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9;
}

// Every position along the kept lines: its line followed afresh, then looked up.
void BM_HintOnKeptLines(benchmark::State& state) {
  const Shipped& s = Stages();
  double slowest = 0, total = 0;
  int positions = 0, unanswered = 0;
  for (auto _ : state) {
    for (const auto& [stage, start] : s.starts) {
      KeptSolutions probe = s.kept;
      probe.Follow(stage, start);
      std::vector<Board> along;
      Board b = start;
      for (std::optional<KeptSolutions::Answer> a; !b.Ended() && (a = probe.Find(b));) {
        along.push_back(b);
        Script sc;
        ApplyMove(b, sc, a->next);
      }
      for (const Board& at : along) {
        const auto began = std::chrono::steady_clock::now();
        KeptSolutions fresh = s.kept;
        fresh.Follow(stage, start);
        const auto answer = fresh.Find(at);
        benchmark::DoNotOptimize(answer);
        const double t = Seconds(began);
        slowest = std::max(slowest, t);
        total += t;
        ++positions;
        unanswered += !answer;
      }
    }
  }
  state.counters["stages"] = static_cast<double>(s.starts.size());
  state.counters["positions"] = positions / static_cast<double>(state.iterations());
  state.counters["slowest_ms"] = slowest * 1e3;
  state.counters["mean_ms"] = positions ? total / positions * 1e3 : 0;
  state.counters["unanswered"] = unanswered;
}
BENCHMARK(BM_HintOnKeptLines)->Unit(benchmark::kMillisecond)->Iterations(1);

// Positions one press off the kept lines, searched as the hint searches them.
void BM_HintOnePressOff(benchmark::State& state) {
  const Shipped& s = Stages();
  std::vector<Board> off;
  for (const auto& [stage, start] : s.starts) {
    KeptSolutions probe = s.kept;
    probe.Follow(stage, start);
    Board b = start;
    for (std::optional<KeptSolutions::Answer> a; !b.Ended() && (a = probe.Find(b));) {
      for (int p = 0; p < SearchMoveCount; ++p) {
        if (static_cast<Move>(p) == a->next) continue;
        Board aside = b;
        Script sc;
        ApplyMove(aside, sc, static_cast<Move>(p));
        if (!(aside == b) && !aside.Ended() && !probe.Find(aside)) off.push_back(aside);
      }
      Script sc;
      ApplyMove(b, sc, a->next);
    }
  }
  std::mt19937 rng(19);
  std::shuffle(off.begin(), off.end(), rng);
  off.resize(std::min<std::size_t>(off.size(), static_cast<std::size_t>(state.range(0))));
  std::vector<double> times, cpu;
  int unanswered = 0;
  for (auto _ : state) {
    for (const Board& b : off) {
      SolverOptions o;
      o.maxSeconds = HintSearchSeconds;
      o.maxMemoryBytes = std::size_t{512} << 20;
      const auto began = std::chrono::steady_clock::now();
      const double cpuBegan = ThreadSeconds();
      const SolveResult r = Solve(b, o);
      times.push_back(Seconds(began));
      cpu.push_back(ThreadSeconds() - cpuBegan);
      unanswered += r.verdict == Verdict::Unknown;
    }
  }
  std::sort(times.begin(), times.end());
  std::sort(cpu.begin(), cpu.end());
  auto at = [](const std::vector<double>& v, double q) {
    return v.empty() ? 0.0 : v[std::min(v.size() - 1, static_cast<std::size_t>(q * v.size()))];
  };
  state.counters["positions"] = static_cast<double>(off.size());
  state.counters["median_s"] = at(times, 0.5);
  state.counters["p95_s"] = at(times, 0.95);
  state.counters["slowest_s"] = times.empty() ? 0 : times.back();
  state.counters["cpu_p95_s"] = at(cpu, 0.95);
  state.counters["unanswered"] = unanswered;
}
BENCHMARK(BM_HintOnePressOff)->Arg(200)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace morvik

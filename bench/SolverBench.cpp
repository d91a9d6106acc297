// Speed and memory of the solver: expanded states per second on typical stages, and the
// bytes held per stored state on a search that stores ten million.
#include <benchmark/benchmark.h>

#include "stagedata/StageReader.h"
#include "solver/Solver.h"

namespace morvik {
namespace {

// Jump pads, ice, cracked ice, gates, a PX piece and marked holes.
constexpr const char* kPads =
    "@01\r\n"
    "31312222222624142231\r\n"
    "22222222222222222235\r\n"
    "21213621395557212121\r\n"
    "21212121212121213233\r\n"
    "50515051372023251333\r\n"
    "62636450512020202032\r\n"
    "52525252522820292032\r\n"
    "52535358525252525252\r\n"
    "60523854565261525260\r\n"
    "60605252525252526060\r\n"
    "V2.00 beta\r\n55\r\n67\r\n16\r\n61\r\n85\r\n28427084\r\n0\r\n3\r\nEND@01\r\n";

// Open grass and sand with a stone: digging everywhere.
constexpr const char* kOpen =
    "@01\r\n"
    "21212121212121212121\r\n"
    "21323232212133333321\r\n"
    "21323332212133213321\r\n"
    "21323232212133333321\r\n"
    "21212121202021212121\r\n"
    "22222222202022222222\r\n"
    "22323222202022535822\r\n"
    "22323222282022535822\r\n"
    "22222222202022222222\r\n"
    "22222222202022222222\r\n"
    "V2.00 beta\r\n49\r\n54\r\n08\r\n98\r\n*\r\n*\r\n1\r\n5\r\nEND@01\r\n";

// Two stones and a PX piece in a walled yard of light ground and grass, flowers at the far
// end: the search runs long before it finds the clear.
constexpr const char* kYard =
    "@01\r\n"
    "30303030303030303030\r\n"
    "30202020222220202030\r\n"
    "30202020222220202030\r\n"
    "30202030303030202030\r\n"
    "30222220202020222230\r\n"
    "30222220212120222230\r\n"
    "30202020212120202030\r\n"
    "30202020202020202030\r\n"
    "30202020202020202030\r\n"
    "30303030303030303030\r\n"
    "V2.00 beta\r\n11\r\n3344\r\n87\r\n18\r\n65\r\n*\r\n0\r\n1\r\nEND@01\r\n";

Board Load(const char* text) { return std::get<LoadedStage>(ReadStage(std::string_view(text), {1, false, false})).board; }

// Argument 0: the plain breadth-first search; 1: the best-first search.
void Run(benchmark::State& state, const char* text, std::uint64_t maxStates) {
  const Board start = Load(text);
  SolverOptions o;
  o.maxStates = maxStates;
  o.bestFirst = state.range(0) != 0;
  o.keepMemory = true;
  SolveResult r;
  std::uint64_t expanded = 0;
  for (auto _ : state) {
    r = Solve(start, o);
    expanded += r.expanded;
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(expanded));
  state.counters["states"] = static_cast<double>(r.states);
  state.counters["bytes_per_state"] = static_cast<double>(r.memoryBytes) / static_cast<double>(r.states);
  state.counters["key_words"] = r.keyWords;
  state.counters["presses"] = static_cast<double>(r.presses.size());
  state.SetLabel(VerdictName(r.verdict));
}

void BM_SolvePads(benchmark::State& state) { Run(state, kPads, 0); }
BENCHMARK(BM_SolvePads)->Unit(benchmark::kMillisecond)->Arg(0)->Arg(1);
void BM_SolveOpen(benchmark::State& state) { Run(state, kOpen, 0); }
BENCHMARK(BM_SolveOpen)->Unit(benchmark::kMillisecond)->Arg(0)->Arg(1);
void BM_SolveYard(benchmark::State& state) { Run(state, kYard, 3000000); }
BENCHMARK(BM_SolveYard)->Unit(benchmark::kMillisecond)->Arg(0)->Arg(1);
// Ten million states stored: the memory figure.
void BM_TenMillionStates(benchmark::State& state) { Run(state, kYard, 10000000); }
BENCHMARK(BM_TenMillionStates)->Unit(benchmark::kMillisecond)->Iterations(1)->Arg(0)->Arg(1);

}  // namespace
}  // namespace morvik

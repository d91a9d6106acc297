// Speed of the pure rules: classifying and resolving steps with the effect script discarded,
// as the solver runs them.
#include <benchmark/benchmark.h>

#include "core/StepRules.h"
#include "stagedata/StageReader.h"

namespace morvik {
namespace {

constexpr const char* kStage =
    "@01\r\n"
    "20202020202020202020\r\n"
    "20222222222222222220\r\n"
    "20222121212121212220\r\n"
    "20222153535353532120\r\n"
    "20222153202020532120\r\n"
    "20222153202020532120\r\n"
    "20222153535353532120\r\n"
    "20222121212121212220\r\n"
    "20222222222222222220\r\n"
    "20202020202020202020\r\n"
    "V2.00 beta\r\n"
    "55\r\n"
    "1133\r\n"
    "2277\r\n"
    "2772\r\n"
    "*\r\n"
    "*\r\n"
    "0\r\n"
    "0\r\n"
    "END@01\r\n";

// A walk round the field with pushes, flower steps and wrong-colour flowers (yellow on 22 and
// 77, red on 27 and 72: two flowers never share a cell); the board is reloaded whenever an
// attempt ends.
void BM_ClassifyAndResolve(benchmark::State& state) {
  const auto loaded = std::get<LoadedStage>(ReadStage(std::string_view(kStage), {1, false, false}));
  Board b = loaded.board;
  Script s(false);
  const int dirs[] = {DirRight, DirRight, DirDown, DirDown, DirLeft, DirLeft, DirUp, DirUp, DirRight, DirDown, DirLeft, DirUp};
  std::size_t i = 0;
  std::int64_t steps = 0;
  for (auto _ : state) {
    b.heroDir = static_cast<std::int16_t>(dirs[i++ % std::size(dirs)]);
    if (!NextOffField(b)) {
      b.stepKind = ClassifyStep(b, s);
      if (b.stepKind != 0) ResolveStep(b, s);
      if (b.Ended()) b = loaded.board;
    }
    ++steps;
    benchmark::DoNotOptimize(b.heroX);
  }
  state.SetItemsProcessed(steps);
}
BENCHMARK(BM_ClassifyAndResolve);

void BM_ReadStage(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadStage(std::string_view(kStage), {1, false, false}));
}
BENCHMARK(BM_ReadStage);

}  // namespace
}  // namespace morvik

// The solver on stages it was never tuned on (bench/unseen/unseen.dat, or any map file): each
// stage solved in turn on this one thread, with its verdict, presses, states, CPU seconds
// and the process's peak memory after it (and the search tables' own count); then the totals and the slowest stage. CPU time,
// not wall time, so that other work on the machine does not count. Not a timed test.
//
//   unseen_bench MAPFILE [--max-seconds S] [--max-mb M] [--stage N]
#include <sys/resource.h>

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "stagedata/StageReader.h"
#include "stagedata/TextLines.h"
#include "tools/cli/FileText.h"
#include "tools/cli/SolveCommand.h"
#include "solver/Solver.h"
#include "solver/StageAudit.h"

namespace {

double ThreadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

long PeakMegabytes() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss / 1024;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace morvik;
  if (argc < 2) {
    std::fprintf(stderr, "usage: unseen_bench MAPFILE [--max-seconds S] [--max-mb M] [--stage N]\n");
    return 2;
  }
  SolverOptions o;
  o.maxMemoryBytes = DefaultMemoryMegabytes << 20;  // as morvik-cli verify
  int only = -1;
  for (int i = 2; i + 1 < argc; i += 2) {
    const std::string k = argv[i];
    if (k == "--max-seconds") o.maxSeconds = std::stod(argv[i + 1]);
    else if (k == "--max-mb") o.maxMemoryBytes = std::stoul(argv[i + 1]) << 20;
    else if (k == "--stage") only = std::stoi(argv[i + 1]);
  }
  std::string text;
  if (!ReadFileText(argv[1], text)) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 2;
  }
  const std::vector<std::string> lines = SplitLines(text);
  double total = 0, worst = 0;
  int worstStage = -1, solved = 0, unsolvable = 0, unknown = 0;
  std::printf("stage verdict presses states cpu_s peak_mb tables_mb key_words\n");
  for (int n : MapStageNumbers(lines)) {
    if (only >= 0 && n != only) continue;
    Board b;
    std::string error;
    if (!BlockBoard(StageBlock(lines, n), n, b, error)) {
      std::printf("%02d unreadable %s\n", n, error.c_str());
      continue;
    }
    const double before = ThreadCpuSeconds();
    const SolveResult r = Solve(b, o);
    const double took = ThreadCpuSeconds() - before;
    total += took;
    if (took > worst) worst = took, worstStage = n;
    solved += r.verdict == Verdict::Solved;
    unsolvable += r.verdict == Verdict::Unsolvable;
    unknown += r.verdict == Verdict::Unknown;
    std::printf("%02d %s %zu %llu %.3f %ld %zu %d%s%s\n", n, VerdictName(r.verdict).c_str(), r.presses.size(),
                static_cast<unsigned long long>(r.states), took, PeakMegabytes(), r.memoryBytes >> 20, r.keyWords,
                r.reason.empty() ? "" : " ",
                r.reason.c_str());
    std::fflush(stdout);
  }
  std::printf("total cpu %.2f s; worst stage %02d %.2f s; peak %ld MB; %d solved, %d unsolvable, %d unknown\n", total,
              worstStage, worst, PeakMegabytes(), solved, unsolvable, unknown);
  return 0;
}

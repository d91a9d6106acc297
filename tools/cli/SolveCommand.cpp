#include "tools/cli/SolveCommand.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <ostream>
#include <thread>

#include "core/Stories.h"
#include "stagedata/StageReader.h"
#include "stagedata/TextLines.h"
#include "tools/cli/CommandLine.h"
#include "tools/cli/FileText.h"
#include "solver/AnswerFile.h"

namespace morvik {

namespace {

int DefaultJobs() { return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u)); }

struct SolveArgs {
  std::string file;
  int stage = -1;  // -1: the file is a stage-unit file
  bool json = false, answer = false;
  std::string from;  // moves played before the search starts
  bool hasFrom = false;
  int jobs = DefaultJobs();
  SolverOptions options;
  SolveArgs() {
    options.maxMemoryBytes = DefaultMemoryMegabytes << 20;
    options.keepMemory = true;
  }
};

bool ParseCount(const std::string& s, std::uint64_t& v) {
  if (s.empty() || s.size() > 18 || s.find_first_not_of("0123456789") != std::string::npos) return false;
  v = std::stoull(s);
  return true;
}

bool ParseSeconds(const std::string& s, double& v) {
  char* end = nullptr;
  v = std::strtod(s.c_str(), &end);
  return !s.empty() && end == s.c_str() + s.size() && v > 0;
}

// Fills a from args[1...]; "" when fine, else the complaint.
// Options may stand anywhere before "--"; after it every word is the file.
std::string ParseArgs(const std::vector<std::string>& args, bool allowStageOptions, SolveArgs& a) {
  bool options = true;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& s = args[i];
    const bool hasValue = i + 1 < args.size();
    if (!options) {
      if (!a.file.empty()) return "unexpected argument '" + s + "'";
      a.file = s;
    } else if (s == "--") {
      options = false;
    } else if (s == "--max-states" && hasValue) {
      if (!ParseCount(args[++i], a.options.maxStates) || a.options.maxStates == 0) return "--max-states needs a count";
    } else if (s == "--max-seconds" && hasValue) {
      if (!ParseSeconds(args[++i], a.options.maxSeconds)) return "--max-seconds needs a time in seconds";
    } else if (s == "--max-memory" && hasValue) {
      std::uint64_t mb = 0;
      if (!ParseCount(args[++i], mb) || mb == 0 || mb > (std::uint64_t{1} << 30))
        return "--max-memory needs a size in megabytes";
      a.options.maxMemoryBytes = static_cast<std::size_t>(mb) << 20;
    } else if (!allowStageOptions && s == "--jobs" && hasValue) {
      std::uint64_t n = 0;
      if (!ParseCount(args[++i], n) || n == 0 || n > 64) return "--jobs needs a count 1 to 64";
      a.jobs = static_cast<int>(n);
    } else if (s == "--breadth-first") {
      a.options.bestFirst = false;
    } else if (s == "--no-pruning") {
      a.options.pruneDigs = a.options.pruneDeadStates = a.options.mergeIdleFacing = false;
    } else if (allowStageOptions && s == "--stage" && hasValue) {
      if ((a.stage = ParseStageNumber(args[++i])) < 0) return "--stage needs a stage number 0 to 99";
    } else if (allowStageOptions && s == "--from" && hasValue) {
      a.from = args[++i];
      a.hasFrom = true;
    } else if (allowStageOptions && s == "--json") {
      a.json = true;
    } else if (allowStageOptions && s == "--answer") {
      a.answer = true;
    } else if (s.size() > 1 && s[0] == '-') {
      return "unknown option '" + s + "'" + (hasValue ? "" : " (or its value is missing)");
    } else if (a.file.empty()) {
      a.file = s;
    } else {
      return "unexpected argument '" + s + "'";
    }
  }
  return a.file.empty() ? "no file given" : "";
}

std::string Fixed(double v, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  return buf;
}

// The board of a stage, as play starts it; false (with the message) when it cannot be read.
bool LoadBoard(const std::vector<std::string>& lines, int stage, const std::string& file, Board& b, std::string& error) {
  const StageRequest request{stage < 0 ? 0 : stage, stage < 0, false};
  const StageResult result = ReadStage(lines, request);
  if (const auto* e = std::get_if<StageError>(&result)) {
    error = StageErrorMessage(*e, file);
    return false;
  }
  b = std::get<LoadedStage>(result).board;
  b.hiddenWarp = !request.unitPlay && request.stageNo == HiddenExitStage;
  return true;
}

}  // namespace

std::string JsonString(const std::string& s) {
  std::string out = "\"";
  for (const char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
      out += buf;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string SolveJson(const SolveResult& r) {
  return "{\"verdict\": " + JsonString(VerdictName(r.verdict)) + ", \"reason\": " + JsonString(r.reason) +
         ", \"moves\": " + JsonString(MovesText(r.presses)) + ", \"presses\": " + std::to_string(r.presses.size()) +
         ", \"states\": " + std::to_string(r.states) + ", \"expanded\": " + std::to_string(r.expanded) +
         ", \"seconds\": " + Fixed(r.seconds, 3) + "}";
}

std::vector<int> MapStageNumbers(const std::vector<std::string>& lines) {
  std::vector<int> out;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    const std::string& l = lines[i];
    if (l.empty() || l[0] != '@') continue;
    const int n = LenientNumber(l.size() >= 2 ? std::string_view(l).substr(l.size() - 2) : std::string_view(l));
    bool seen = false;
    for (int m : out) seen |= m == n;
    if (!seen) out.push_back(n);
  }
  return out;
}

int SolveMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  SolveArgs a;
  if (const std::string e = ParseArgs(args, true, a); !e.empty()) {
    err << "morvik-cli solve: " << e << "\n";
    return 2;
  }
  if (a.answer && a.stage >= 0) {
    err << "morvik-cli solve: --answer needs a stage-unit file (no --stage)\n";
    return 2;
  }
  if (a.answer && a.hasFrom) {
    err << "morvik-cli solve: --answer records a solution from the stage start (no --from)\n";
    return 2;
  }
  std::vector<Move> fromMoves;
  if (a.hasFrom) {
    std::string error;
    auto moves = ParseMoves(a.from, error);
    if (!moves) {
      err << "morvik-cli solve: --from: " << error << "\n";
      return 2;
    }
    fromMoves = std::move(*moves);
  }
  std::string text, error;
  if (std::string why; !ReadFileText(a.file, text, &why)) {
    err << "morvik-cli: " << a.file << ": " << why << "\n";
    return 2;
  }
  Board start;
  if (!LoadBoard(SplitLines(text), a.stage, a.file, start, error)) {
    err << "morvik-cli: " << error << "\n";
    return 2;
  }
  if (!fromMoves.empty()) {
    const int played = PlayMoves(start, fromMoves);
    if (start.Ended()) {
      err << "morvik-cli solve: --from: the attempt ends at move " << played << " ("
          << (start.outcome == Outcome::Clear ? "clear" : "no clear") << "), nothing left to solve\n";
      return 2;
    }
  }
  const SolveResult r = Solve(start, a.options);
  if (a.json) {
    out << SolveJson(r) << "\n";
  } else {
    out << VerdictName(r.verdict);
    if (!r.reason.empty()) out << " (" << r.reason << ")";
    out << "\n";
    if (r.verdict == Verdict::Solved) out << "moves: " << MovesText(r.presses) << "\npresses: " << r.presses.size() << "\n";
    out << "states: " << r.states << "\nexpanded: " << r.expanded << "\nseconds: " << Fixed(r.seconds, 3) << "\n";
  }
  if (a.answer && r.verdict == Verdict::Solved) {
    const std::string path = AnswerPathFor(a.file);
    if (!WriteFileText(path, AnswerFileText(RecordAnswer(start, r.presses)))) {
      err << "morvik-cli: cannot write " << path << "\n";
      return 2;
    }
    if (!a.json) out << "answer: " << path << "\n";
  }
  return r.verdict == Verdict::Solved ? 0 : 1;
}

int VerifyMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  SolveArgs a;
  if (const std::string e = ParseArgs(args, false, a); !e.empty()) {
    err << "morvik-cli verify: " << e << "\n";
    return 2;
  }
  std::string text;
  if (std::string why; !ReadFileText(a.file, text, &why)) {
    err << "morvik-cli: " << a.file << ": " << why << "\n";
    return 2;
  }
  const std::vector<std::string> lines = SplitLines(text);
  const std::vector<int> stages = MapStageNumbers(lines);
  if (stages.empty()) {
    err << "morvik-cli verify: " << a.file << " holds no stage\n";
    return 2;
  }
  // Stages are solved on `jobs` threads, each taking the next stage not yet started; the
  // lines come out in file order as soon as every stage before them is done.
  const auto began = std::chrono::steady_clock::now();
  std::vector<std::string> reports(stages.size());
  std::vector<char> done(stages.size(), 0), solved(stages.size(), 0);
  std::vector<double> seconds(stages.size(), 0);
  std::atomic<std::size_t> next{0};
  std::mutex lock;
  std::size_t printed = 0;
  auto work = [&] {
    for (std::size_t k = next++; k < stages.size(); k = next++) {
      std::string error, line;
      Board start;
      char label[16];
      std::snprintf(label, sizeof label, "stage %02d: ", stages[k]);
      line = label;
      bool ok = false;
      double took = 0;
      if (!LoadBoard(lines, stages[k], a.file, start, error)) {
        line += "unreadable: " + error + "\n";
      } else {
        const SolveResult r = Solve(start, a.options);
        took = r.seconds;
        ok = r.verdict == Verdict::Solved;
        line += VerdictName(r.verdict);
        if (ok) line += ", " + std::to_string(r.presses.size()) + " presses " + MovesText(r.presses);
        if (!r.reason.empty()) line += " (" + r.reason + ")";
        line += ", " + std::to_string(r.states) + " states, " + Fixed(r.seconds, 3) + " s\n";
      }
      std::lock_guard<std::mutex> g(lock);
      reports[k] = std::move(line);
      solved[k] = ok;
      seconds[k] = took;
      done[k] = 1;
      for (; printed < stages.size() && done[printed]; ++printed) out << reports[printed] << std::flush;
    }
  };
  const int jobs = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(a.jobs), stages.size()));
  std::vector<std::thread> threads;
  for (int j = 1; j < jobs; ++j) threads.emplace_back(work);
  work();
  for (std::thread& t : threads) t.join();

  std::size_t failed = 0;
  double total = 0;
  for (std::size_t k = 0; k < stages.size(); ++k) {
    failed += !solved[k];
    total += seconds[k];
  }
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  out << stages.size() - failed << " of " << stages.size() << " stages solved in " << Fixed(total, 3) << " s ("
      << Fixed(wall, 3) << " s on " << jobs << (jobs == 1 ? " thread" : " threads") << ")\n";
  return failed ? 1 : 0;
}

}  // namespace morvik

#include "tools/cli/TableCommand.h"

#include <map>
#include <ostream>

#include "stagedata/TextLines.h"
#include "tools/cli/FileText.h"
#include "tools/cli/SolveCommand.h"
#include "tools/cli/StageAudit.h"

namespace morvik {

namespace {

struct TableArgs {
  std::string file, names;
  int stage = -1;
  SolverOptions options;
};

std::string ParseTableArgs(const std::vector<std::string>& args, TableArgs& a) {
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& s = args[i];
    const bool hasValue = i + 1 < args.size();
    const std::string v = hasValue ? args[i + 1] : "";
    const bool digits = !v.empty() && v.size() <= 9 && v.find_first_not_of("0123456789") == std::string::npos;
    if (s == "--names" && hasValue) {
      a.names = args[++i];
    } else if (s == "--stage" && hasValue) {
      if (!digits || v.size() > 2) return "--stage needs a stage number 0 to 99";
      a.stage = std::stoi(args[++i]);
    } else if (s == "--max-seconds" && hasValue) {
      char* end = nullptr;
      a.options.maxSeconds = std::strtod(v.c_str(), &end);
      if (v.empty() || end != v.c_str() + v.size() || a.options.maxSeconds <= 0) return "--max-seconds needs a time in seconds";
      ++i;
    } else if (s == "--max-states" && hasValue) {
      if (!digits || std::stoull(v) == 0) return "--max-states needs a count";
      a.options.maxStates = std::stoull(args[++i]);
    } else if (!s.empty() && s[0] == '-') {
      return "unknown option " + s;
    } else if (a.file.empty()) {
      a.file = s;
    } else {
      return "unexpected argument " + s;
    }
  }
  return a.file.empty() ? "no file given" : "";
}

// "N text" lines; '#' lines and blank lines are comments.
std::map<int, std::string> ReadNames(const std::string& text) {
  std::map<int, std::string> out;
  for (const std::string& line : SplitLines(text)) {
    if (line.empty() || line[0] == '#') continue;
    const auto space = line.find(' ');
    if (space == std::string::npos || space == 0 || line.find_first_not_of("0123456789") != space) continue;
    out[std::stoi(line.substr(0, space))] = std::string(TrimRight(line.substr(space + 1)));
  }
  return out;
}

}  // namespace

int TableMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  TableArgs a;
  if (const std::string e = ParseTableArgs(args, a); !e.empty()) {
    err << "morvik-cli table: " << e << "\n";
    return 2;
  }
  std::string text, namesText;
  if (!ReadFileText(a.file, text)) {
    err << "morvik-cli: cannot read " << a.file << "\n";
    return 2;
  }
  if (!a.names.empty() && !ReadFileText(a.names, namesText)) {
    err << "morvik-cli: cannot read " << a.names << "\n";
    return 2;
  }
  const std::map<int, std::string> names = ReadNames(namesText);
  const std::vector<std::string> lines = SplitLines(text);
  std::vector<int> stages = MapStageNumbers(lines);
  if (a.stage >= 0) stages = {a.stage};
  out << "| stage | idea | presses | states | traps | decoy |\r\n|---:|---|---:|---:|---:|---|\r\n";
  int failed = 0;
  for (int n : stages) {
    const std::vector<std::string> block = StageBlock(lines, n);
    Board start;
    std::string error;
    const auto name = names.find(n);
    out << "| " << n << " | " << (name == names.end() ? "" : name->second) << " | ";
    if (block.empty() || !BlockBoard(block, n, start, error)) {
      out << "unreadable: " << (block.empty() ? "no block" : error) << " | | | |\r\n";
      ++failed;
      continue;
    }
    const SolveResult r = Solve(start, a.options);
    if (r.verdict != Verdict::Solved) {
      out << VerdictName(r.verdict) << " | " << r.states << " | | |\r\n";
      ++failed;
      continue;
    }
    const TrapCount traps = CountTraps(start, r.presses, a.options);
    const DecoySearch decoys = FindDecoys(block, n, r.presses, a.options);
    out << r.presses.size() << " | " << r.states << " | " << traps.traps;
    if (traps.unknown) out << " (+" << traps.unknown << "?)";
    out << " | ";
    for (std::size_t i = 0; i < decoys.decoys.size(); ++i) out << (i ? ", " : "") << decoys.decoys[i].Text();
    if (decoys.decoys.empty()) out << "-";
    if (decoys.unknown) out << " (" << decoys.unknown << " unsettled)";
    out << " |\r\n";
    failed += decoys.decoys.size() > 1 || decoys.unknown > 0;
  }
  return failed ? 1 : 0;
}

}  // namespace morvik

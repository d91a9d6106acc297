#include "tools/cli/TableCommand.h"

#include <map>
#include <ostream>

#include "stagedata/TextLines.h"
#include "tools/cli/FileText.h"
#include "tools/cli/SolveCommand.h"
#include "solver/StageAudit.h"
#include "core/Effect.h"
#include "core/Move.h"

namespace morvik {

namespace {

struct TableArgs {
  std::string file, names, solutions;
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
    } else if (s == "--solutions" && hasValue) {
      a.solutions = args[++i];
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

// The presses of a kept solution; false when it holds a give-up or a bad move.
bool PressesOf(const std::string& text, std::vector<Move>& out) {
  std::string error;
  const auto moves = ParseMoves(text, error);
  if (!moves) return false;
  for (Move m : *moves)
    if (m == Move::GiveUp) return false;
  out = std::move(*moves);
  return true;
}

}  // namespace

int DecoysMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  TableArgs a;
  if (const std::string e = ParseTableArgs(args, a); !e.empty() || a.solutions.empty()) {
    err << "morvik-cli decoys: " << (e.empty() ? "--solutions FILE needed" : e) << "\n";
    return 2;
  }
  std::string text, solutionsText;
  if (!ReadFileText(a.file, text) || !ReadFileText(a.solutions, solutionsText)) {
    err << "morvik-cli: cannot read " << a.file << " or " << a.solutions << "\n";
    return 2;
  }
  // A kept solution is a shortest one, so no search is needed to know its length.
  const std::map<int, std::string> solutions = ReadNames(solutionsText);
  const std::vector<std::string> lines = SplitLines(text);
  std::vector<int> stages = MapStageNumbers(lines);
  if (a.stage >= 0) stages = {a.stage};
  int failed = 0;
  for (int n : stages) {
    const std::vector<std::string> block = StageBlock(lines, n);
    const auto kept = solutions.find(n);
    std::vector<Move> clear;
    out << n << ":";
    if (block.empty() || kept == solutions.end() || !PressesOf(kept->second, clear)) {
      out << " no block or no kept solution\n";
      ++failed;
      continue;
    }
    const DecoySearch decoys = FindDecoys(block, n, clear, a.options);
    for (std::size_t i = 0; i < decoys.decoys.size(); ++i) out << (i ? ", " : " ") << decoys.decoys[i].Text();
    if (decoys.unknown) out << " (" << decoys.unknown << " unsettled)";
    out << "\n";
    failed += decoys.decoys.size() > 1 || decoys.unknown > 0;
  }
  return failed ? 1 : 0;
}

int TableMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  TableArgs a;
  if (const std::string e = ParseTableArgs(args, a); !e.empty()) {
    err << "morvik-cli table: " << e << "\n";
    return 2;
  }
  std::string text, namesText, solutionsText;
  if (!ReadFileText(a.file, text)) {
    err << "morvik-cli: cannot read " << a.file << "\n";
    return 2;
  }
  if ((!a.names.empty() && !ReadFileText(a.names, namesText)) ||
      (!a.solutions.empty() && !ReadFileText(a.solutions, solutionsText))) {
    err << "morvik-cli: cannot read " << a.names << " or " << a.solutions << "\n";
    return 2;
  }
  const std::map<int, std::string> names = ReadNames(namesText);
  const std::map<int, std::string> solutions = ReadNames(solutionsText);
  const std::vector<std::string> lines = SplitLines(text);
  std::vector<int> stages = MapStageNumbers(lines);
  if (a.stage >= 0) stages = {a.stage};
  out << "Stages of " << a.file.substr(a.file.find_last_of('/') + 1)
      << ", written by morvik-cli table: the presses of a shortest clear, the states a breadth-first search explored to find it,"
         " the traps along it (presses after which the stage can no longer be cleared although nothing has ended;"
         " \"+n?\" for presses the solver could not settle within its limits) and the decoys (objects whose removal"
         " changes nothing about the clear).\r\n\r\n"
      << "| stage | idea | presses | states | traps | decoy |\r\n|---:|---|---:|---:|---:|---|\r\n";
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
    // The search for the clear itself gets ten times the limits of the many small searches
    // that count traps and decoys, so that its states are measured whole where they can be.
    // It is the plain breadth-first search, whose states measure the size of the stage's
    // search and do not depend on how well a bound guides it.
    SolverOptions whole = a.options;
    whole.maxSeconds *= 10;
    whole.maxStates *= 10;
    whole.bestFirst = false;
    // The facing counts on every stage, so that the measure stays that of the plain search
    // on stages with and without pads alike.
    whole.mergeIdleFacing = false;
    SolveResult r = Solve(start, whole);
    std::string states = std::to_string(r.states);
    // A search cut short by the limits leaves the kept shortest solution to measure by; the
    // states are then only a lower bound.
    const auto kept = solutions.find(n);
    if (r.verdict == Verdict::Unknown && kept != solutions.end() && PressesOf(kept->second, r.presses)) {
      Board played = start;
      Script discard(false);
      for (Move p : r.presses) ApplyMove(played, discard, p);
      if (played.outcome == Outcome::Clear) {
        r.verdict = Verdict::Solved;
        states = "> " + states;
      }
    }
    if (r.verdict != Verdict::Solved) {
      out << VerdictName(r.verdict) << " | " << states << " | | |\r\n";
      ++failed;
      continue;
    }
    const TrapCount traps = CountTraps(start, r.presses, a.options);
    const DecoySearch decoys = FindDecoys(block, n, r.presses, a.options);
    out << r.presses.size() << " | " << states << " | " << traps.traps;
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

#include "tools/cli/TableCommand.h"

#include <cctype>
#include <cstdint>
#include <map>
#include <ostream>

#include "stagedata/TextLines.h"
#include "tools/cli/FileText.h"
#include "tools/cli/SolveCommand.h"
#include "tools/cli/StageMechanics.h"
#include "solver/StageAudit.h"
#include "core/Effect.h"
#include "core/Move.h"

namespace morvik {

namespace {

// The table's fixed state limits: the plain search and each of the many small searches that
// count traps and settle decoys (the guided search's is kTableGuidedStates).
constexpr std::uint64_t kPlainStates = 2000000, kTableSearchStates = 2000000;

struct TableArgs {
  std::string file, names, solutions, update;
  int stage = -1;
  std::uint64_t plainStates = kPlainStates, guidedStates = kTableGuidedStates;
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
    } else if (s == "--update" && hasValue) {
      a.update = args[++i];
    } else if ((s == "--plain-states" || s == "--guided-states") && hasValue) {
      if (!digits || std::stoull(v) == 0) return s + " needs a count";
      (s == "--plain-states" ? a.plainStates : a.guidedStates) = std::stoull(args[++i]);
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

SolveResult TableGuidedSearch(const Board& start, std::uint64_t states, SolverOptions options) {
  options.maxStates = states;
  return Solve(start, options);
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

namespace {

// What the commands over the kept solutions read: the map's lines, the kept solutions by
// stage and the stages asked for (all, or --stage N).
struct KeptStages {
  TableArgs args;
  std::vector<std::string> lines;
  std::map<int, std::string> solutions;
  std::vector<int> stages;
};

// False, with the reason written for the user, when the arguments or the files cannot be read.
bool ReadKeptStages(const char* command, const std::vector<std::string>& args, std::ostream& err, KeptStages& k) {
  if (const std::string e = ParseTableArgs(args, k.args); !e.empty() || k.args.solutions.empty()) {
    err << "morvik-cli " << command << ": " << (e.empty() ? "--solutions FILE needed" : e) << "\n";
    return false;
  }
  std::string text, solutionsText;
  if (!ReadFileText(k.args.file, text) || !ReadFileText(k.args.solutions, solutionsText)) {
    err << "morvik-cli: cannot read " << k.args.file << " or " << k.args.solutions << "\n";
    return false;
  }
  k.solutions = ReadNames(solutionsText);
  k.lines = SplitLines(text);
  k.stages = k.args.stage >= 0 ? std::vector<int>{k.args.stage} : MapStageNumbers(k.lines);
  return true;
}

}  // namespace

int DecoysMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  KeptStages k;
  if (!ReadKeptStages("decoys", args, err, k)) return 2;
  // A kept solution is a shortest one, so no search is needed to know its length.
  const TableArgs& a = k.args;
  const std::map<int, std::string>& solutions = k.solutions;
  const std::vector<std::string>& lines = k.lines;
  int failed = 0;
  for (int n : k.stages) {
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

namespace {

// FNV-1a over the bytes, as 16 hex digits: the fingerprint of what a row was measured from.
std::string Fingerprint(const std::string& text) {
  std::uint64_t h = 14695981039346656037ull;
  for (unsigned char c : text) {
    h ^= c;
    h *= 1099511628211ull;
  }
  static const char digits[] = "0123456789abcdef";
  std::string out(16, '0');
  for (int i = 15; i >= 0; --i, h >>= 4) out[i] = digits[h & 15];
  return out;
}

// "slide, jump | 42 %": the mechanics column and the share of plain steps.
std::string UsesText(const ClearUse& use) {
  std::string out;
  for (std::size_t i = 0; i < use.mechanics.size(); ++i) out += (i ? ", " : "") + use.mechanics[i];
  const int share = use.presses ? (100 * use.plainSteps + use.presses / 2) / use.presses : 0;
  return out + " | " + std::to_string(share) + " %";
}

std::string FixedFigure(const SolveResult& r) {
  return (r.verdict == Verdict::Unknown ? "> " : "") + std::to_string(r.states);
}

// The rows of an earlier list by stage, with the limits line they were measured under.
std::map<int, std::string> EarlierRows(const std::string& text, std::string& limits) {
  std::map<int, std::string> rows;
  for (const std::string& line : SplitLines(text)) {
    if (line.rfind("Limits: ", 0) == 0) limits = std::string(TrimRight(line));
    if (line.size() < 4 || line.compare(0, 2, "| ") != 0 || !std::isdigit(static_cast<unsigned char>(line[2]))) continue;
    rows[std::stoi(line.substr(2))] = std::string(TrimRight(line));
  }
  return rows;
}

}  // namespace

std::string StageRowHash(const std::vector<std::string>& block, const std::string& solution, const std::string& idea) {
  // The opener and closer name the stage's number alone: a stage moved to another number by
  // reordering a story keeps its row.
  std::string text;
  for (std::size_t i = 1; i + 1 < block.size(); ++i) text += std::string(TrimRight(block[i])) + "\n";
  return Fingerprint(text + solution + "\n" + idea);
}

int UsesMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  KeptStages k;
  if (!ReadKeptStages("uses", args, err, k)) return 2;
  const std::map<int, std::string>& solutions = k.solutions;
  const std::vector<std::string>& lines = k.lines;
  int failed = 0;
  for (int n : k.stages) {
    Board start;
    std::string error;
    std::vector<Move> clear;
    const auto kept = solutions.find(n);
    out << n << ":";
    if (!BlockBoard(StageBlock(lines, n), n, start, error) || kept == solutions.end() || !PressesOf(kept->second, clear)) {
      out << " no block or no kept solution\n";
      ++failed;
      continue;
    }
    const ClearUse use = MechanicsOf(start, clear);
    for (std::size_t i = 0; i < use.mechanics.size(); ++i) out << (i ? ", " : " ") << use.mechanics[i];
    out << " (walk " << use.plainSteps << "/" << use.presses << ")" << (use.clears ? "" : " does not clear") << "\n";
    failed += !use.clears;
  }
  return failed ? 1 : 0;
}

int TableMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  TableArgs a;
  if (const std::string e = ParseTableArgs(args, a); !e.empty()) {
    err << "morvik-cli table: " << e << "\n";
    return 2;
  }
  std::string text, namesText, solutionsText, earlierText;
  if (!ReadFileText(a.file, text)) {
    err << "morvik-cli: cannot read " << a.file << "\n";
    return 2;
  }
  if ((!a.names.empty() && !ReadFileText(a.names, namesText)) ||
      (!a.solutions.empty() && !ReadFileText(a.solutions, solutionsText))) {
    err << "morvik-cli: cannot read " << a.names << " or " << a.solutions << "\n";
    return 2;
  }
  if (!a.update.empty()) ReadFileText(a.update, earlierText);  // no earlier list: measure every row
  // Fixed state limits, so that the same stage gives the same figures on any machine and load.
  if (a.options.maxStates == 0) a.options.maxStates = kTableSearchStates;
  const std::string limits = "Limits: plain search " + std::to_string(a.plainStates) + " states, guided search " +
                             std::to_string(a.guidedStates) + " states, each trap and decoy search " +
                             std::to_string(a.options.maxStates) + " states (five times that on a second try)" +
                             (a.options.maxSeconds > 0 ? ", " + std::to_string(a.options.maxSeconds) + " s" : "") + ".";
  std::string earlierLimits;
  std::map<int, std::string> earlier = EarlierRows(earlierText, earlierLimits);
  if (earlierLimits != limits) earlier.clear();
  const std::map<int, std::string> names = ReadNames(namesText);
  const std::map<int, std::string> solutions = ReadNames(solutionsText);
  const std::vector<std::string> lines = SplitLines(text);
  std::vector<int> stages = MapStageNumbers(lines);
  if (a.stage >= 0) stages = {a.stage};
  out << "Stages of " << a.file.substr(a.file.find_last_of('/') + 1)
      << ", written by morvik-cli table: the mechanics the kept shortest clear uses (the idea names its own in"
         " brackets), its share of plain steps, its presses, the states a plain breadth-first search and the"
         " guided search explored to find a shortest clear (\"> n\": stopped at the limit), the traps along it"
         " (presses after which the stage can no longer be cleared although nothing has ended; \"+n?\" for presses"
         " not settled within the limits), the decoys (objects whose removal changes nothing about the clear;"
         " \"trap\": every push of it along the clear leads to a dead end) and the fingerprint of the stage block,"
         " kept solution and idea the row was measured from.\r\n\r\n"
      << limits << "\r\n\r\n"
      << "| stage | idea | uses | walk | presses | plain | guided | traps | decoy | block |\r\n"
         "|---:|---|---|---:|---:|---:|---:|---:|---|---|\r\n";
  int failed = 0;
  for (int n : stages) {
    const std::vector<std::string> block = StageBlock(lines, n);
    const auto name = names.find(n);
    const auto kept = solutions.find(n);
    const std::string idea = name == names.end() ? "" : name->second;
    const std::string hash = StageRowHash(block, kept == solutions.end() ? "" : kept->second, idea);
    Board start;
    std::string error;
    if (block.empty() || !BlockBoard(block, n, start, error)) {
      out << "| " << n << " | " << idea << " | unreadable: " << (block.empty() ? "no block" : error) << " | | | | | | | "
          << hash << " |\r\n";
      ++failed;
      continue;
    }
    // A row still fresh for its stage keeps its search figures; the mechanics and the walking
    // share are replayed anew, which takes no search.
    std::vector<Move> keptClear;
    const bool hasKept = kept != solutions.end() && PressesOf(kept->second, keptClear);
    if (const auto row = earlier.find(n); hasKept && row != earlier.end() && row->second.size() > 18 &&
                                          row->second.compare(row->second.size() - 18, 18, hash + " |") == 0) {
      std::size_t cut = 0;
      for (int bars = 0; bars < 4 && cut != std::string::npos; ++bars) cut = row->second.find('|', cut + 1);
      if (cut != std::string::npos) {
        const ClearUse use = MechanicsOf(start, keptClear);
        out << "| " << n << " | " << idea << " | " << UsesText(use) << " " << row->second.substr(cut) << "\r\n";
        failed += row->second.find("unsettled") != std::string::npos || row->second.find("?)") != std::string::npos;
        continue;
      }
    }
    out << "| " << n << " | " << idea << " | ";
    // The plain search measures the size of the stage's search whatever bound guides it; the
    // facing counts on every stage, so that stages with and without pads measure alike.
    SolverOptions plain = a.options;
    plain.maxStates = a.plainStates;
    plain.bestFirst = false;
    plain.mergeIdleFacing = false;
    const SolveResult p = Solve(start, plain);
    const SolveResult g = TableGuidedSearch(start, a.guidedStates, a.options);
    std::vector<Move> clear = keptClear;
    if (!hasKept) clear = g.verdict == Verdict::Solved ? g.presses : p.presses;
    const ClearUse use = MechanicsOf(start, clear);
    const SolveResult& found = g.verdict == Verdict::Solved ? g : p;
    std::string why;
    if (p.verdict == Verdict::Unsolvable || g.verdict == Verdict::Unsolvable) why = "unsolvable";
    else if (!use.clears) why = hasKept ? "the kept solution does not clear" : "unknown";
    else if (found.verdict == Verdict::Solved && found.presses.size() < clear.size()) why = "the kept solution is not a shortest";
    if (!why.empty()) {
      out << why << " | | | " << FixedFigure(p) << " | " << FixedFigure(g) << " | | | " << hash << " |\r\n";
      ++failed;
      continue;
    }
    const TrapCount traps = CountTraps(start, clear, a.options);
    const DecoySearch decoys = FindDecoys(block, n, clear, a.options);
    out << UsesText(use) << " | " << clear.size() << " | " << FixedFigure(p) << " | " << FixedFigure(g) << " | " << traps.traps;
    if (traps.unknown) out << " (+" << traps.unknown << "?)";
    out << " | ";
    int unsettled = decoys.unknown, filler = 0;
    for (std::size_t i = 0; i < decoys.decoys.size(); ++i) {
      const TrapVerdict t = DecoyTrap(start, clear, decoys.decoys[i], a.options);
      out << (i ? ", " : "") << decoys.decoys[i].Text() << (t == TrapVerdict::Trap ? " trap" : "");
      filler += t == TrapVerdict::NotTrap;
      unsettled += t == TrapVerdict::Unknown;
    }
    if (decoys.decoys.empty()) out << "-";
    if (unsettled) out << " (" << unsettled << " unsettled)";
    out << " | " << hash << " |\r\n";
    failed += filler > 0 || unsettled > 0 || traps.unknown > 0;
  }
  return failed ? 1 : 0;
}

}  // namespace morvik

// The stage list beside the map file (written by `morvik-cli table`) names every stage of
// the map file with the length of its kept solution, is fresh for every stage and for the
// solver (the small guided searches are run again), shows no filler,
// each idea's mechanics are used by its kept solution, and every story is
// ordered by the difficulty the list reports: the mean over five stages rises through the
// story, and a stage easier than the one before it (a breather) comes at most once in five.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "stagedata/TextLines.h"
#include "tests/stages/MapFileText.h"
#include "solver/StageAudit.h"
#include "tools/cli/StageMechanics.h"
#include "tools/cli/TableCommand.h"

namespace morvik {
namespace {

using stagetest::BlockNumbers;
using stagetest::kMap;
using stagetest::ReadAll;

const std::string kDir = std::string(MORVIK_STAGES_DIR);

// "N text" lines of a stage file beside the map (solutions, ideas).
std::map<int, std::string> NumberedLines(const std::string& file) {
  std::map<int, std::string> out;
  std::istringstream in(ReadAll(kDir + "/" + file));
  std::string line;
  while (std::getline(in, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    const auto space = line.find(' ');
    if (space != std::string::npos && space > 0 && line.find_first_not_of("0123456789") == space)
      out[std::stoi(line.substr(0, space))] = line.substr(space + 1);
  }
  return out;
}

struct ListRow {
  int stage = 0;
  std::string idea, uses;
  int walk = 0;  // the share of plain steps, in per cent
  int presses = 0;
  std::string plain;  // "n", or "> n" for a search stopped at the limit
  double guided = 0;
  std::string traps, decoy, hash;
};

std::string Trim(const std::string& s) {
  const auto a = s.find_first_not_of(' ');
  const auto b = s.find_last_not_of(' ');
  return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

// | stage | idea | uses | walk | presses | plain | guided | traps | decoy | block |
std::vector<ListRow> StageList() {
  std::vector<ListRow> rows;
  std::istringstream in(ReadAll(kDir + "/stages.md"));
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() < 3 || line.compare(0, 2, "| ") != 0 || !std::isdigit(static_cast<unsigned char>(line[2]))) continue;
    std::vector<std::string> f;
    std::istringstream cells(line.substr(1));
    for (std::string cell; std::getline(cells, cell, '|');) f.push_back(Trim(cell));
    if (f.size() != 10) {
      ADD_FAILURE() << "a row without ten columns: " << line;
      continue;
    }
    const std::string guided = f[6].rfind("> ", 0) == 0 ? f[6].substr(2) : f[6];
    rows.push_back({std::stoi(f[0]), f[1], f[2], std::atoi(f[3].c_str()), std::atoi(f[4].c_str()), f[5],
                    std::atof(guided.c_str()), f[7], f[8], f[9]});
  }
  return rows;
}

// The difficulty figure: the size of the guided search, on a log scale, and the length of the clear.
double Difficulty(const ListRow& r) { return std::log10(std::max(1.0, r.guided)) + r.presses / 20.0; }

int SearchMoveCount(const std::string& moves) {
  int n = 0;
  for (char c : moves) n += c != 'J' && c != ' ';  // "J3" is one press: count its digit
  return n;
}

TEST(StageList, NamesEveryStageWithTheLengthOfItsKeptSolution) {
  std::vector<int> blocks;
  std::istringstream map(ReadAll(kDir + "/mapdata.dat"));
  std::string line;
  while (std::getline(map, line))
    if (line.size() >= 3 && line[0] == '@') blocks.push_back(std::stoi(line.substr(1, 2)));
  std::map<int, std::string> kept = NumberedLines("solutions.txt");
  const std::vector<ListRow> rows = StageList();
  ASSERT_EQ(rows.size(), blocks.size()) << "the list and the map file name different stages";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].stage, blocks[i]);
    EXPECT_EQ(rows[i].presses, SearchMoveCount(kept[rows[i].stage])) << "stage " << rows[i].stage << ": stale list";
  }
}

// Each row was measured from the stage block, kept solution and idea it stands beside: a
// stage, solution or idea changed without `cmake --build build --target stage_list` fails here.
TEST(StageList, EveryRowIsFreshForItsStageSolutionAndIdea) {
  const std::vector<std::string> lines = SplitLines(ReadAll(kDir + "/mapdata.dat"));
  const std::map<int, std::string> kept = NumberedLines("solutions.txt");
  const std::map<int, std::string> ideas = NumberedLines("ideas.txt");
  EXPECT_NE(ReadAll(kDir + "/stages.md").find("\nLimits: "), std::string::npos) << "the list names no state limits";
  for (const ListRow& r : StageList()) {
    const auto solution = kept.find(r.stage);
    const auto idea = ideas.find(r.stage);
    ASSERT_TRUE(solution != kept.end() && idea != ideas.end()) << "stage " << r.stage << " has no kept solution or idea";
    EXPECT_EQ(r.idea, idea->second) << "stage " << r.stage;
    EXPECT_EQ(r.hash, StageRowHash(StageBlock(lines, r.stage), solution->second, idea->second))
        << "stage " << r.stage << ": stale row, rebuild the stage list";
  }
}

// The guided figures are the solver's own: a change to its bound, its pruning or its state keys
// moves them while every row's fingerprint still holds. The stages whose guided search is small
// are searched anew, under the list's limit, and must explore exactly the states the list says.
TEST(StageList, SmallGuidedSearchesExploreWhatTheListSays) {
  constexpr double kSmall = 50000;  // the stages searched anew: about two seconds in all, sanitized
  const std::vector<std::string> lines = SplitLines(ReadAll(kDir + "/mapdata.dat"));
  bool searched = false;
  for (const ListRow& r : StageList()) {
    if (r.guided >= kSmall) continue;
    Board start;
    std::string error;
    ASSERT_TRUE(BlockBoard(StageBlock(lines, r.stage), r.stage, start, error)) << error;
    const SolveResult g = TableGuidedSearch(start);
    EXPECT_EQ(g.verdict, Verdict::Solved) << "stage " << r.stage;
    EXPECT_EQ(static_cast<double>(g.states), r.guided)
        << "stage " << r.stage << ": the guided search explores " << g.states << " states, the list says " << r.guided
        << ": rebuild the stage list, whole (without --update, which keeps rows whose fingerprint holds)";
    searched = true;
  }
  EXPECT_TRUE(searched) << "no stage of the list has a small guided search";
}

// The idea of a stage is true: its kept shortest solution, replayed on the real rules, uses
// every mechanic the idea names in brackets.
TEST(StageList, EveryKeptSolutionUsesTheMechanicsItsIdeaNames) {
  const std::vector<std::string> lines = SplitLines(ReadAll(kDir + "/mapdata.dat"));
  const std::map<int, std::string> kept = NumberedLines("solutions.txt");
  const std::vector<std::string>& words = MechanicWords();
  for (const auto& [n, idea] : NumberedLines("ideas.txt")) {
    SCOPED_TRACE("stage " + std::to_string(n) + ": " + idea);
    const std::vector<std::string> named = NamedMechanics(idea);
    EXPECT_FALSE(named.empty()) << "the idea names no mechanic";
    Board start;
    std::string error;
    std::vector<Move> clear;
    ASSERT_TRUE(BlockBoard(StageBlock(lines, n), n, start, error)) << error;
    ASSERT_TRUE(kept.count(n) && PressesOf(kept.at(n), clear));
    const ClearUse use = MechanicsOf(start, clear);
    EXPECT_TRUE(use.clears);
    for (const std::string& w : named) {
      EXPECT_NE(std::find(words.begin(), words.end(), w), words.end()) << "no such mechanic: " << w;
      EXPECT_NE(std::find(use.mechanics.begin(), use.mechanics.end(), w), use.mechanics.end())
          << "the kept solution never uses " << w;
    }
  }
}

// No filler: every stone, flower, PX piece and empty hole is needed by the shortest clear,
// except an object every push of which leads to a dead end (a trap, marked in the list); and
// every trap and decoy search of the list was settled within its limits.
TEST(StageList, NoFillerAndEverySearchSettled) {
  for (const ListRow& r : StageList()) {
    SCOPED_TRACE("stage " + std::to_string(r.stage));
    EXPECT_EQ(r.decoy.find("unsettled"), std::string::npos) << r.decoy;
    EXPECT_EQ(r.traps.find('?'), std::string::npos) << r.traps;
    if (r.decoy == "-") continue;
    std::istringstream each(r.decoy);
    for (std::string d; std::getline(each, d, ',');)
      EXPECT_NE(d.find("trap"), std::string::npos) << "a decoy that is no trap: " << d;
  }
}

// The running mean over five stages never falls (a stage is at least as hard as the one five
// before it), and at most one of any five stages in a row is easier than the one before it.
void ExpectRisingCurve(const std::vector<ListRow>& rows, int first, int last, int outside = 0) {
  std::vector<double> d;
  std::vector<int> stage;
  for (const ListRow& r : rows)
    if (r.stage >= first && r.stage <= last && r.stage != outside) {
      d.push_back(Difficulty(r));
      stage.push_back(r.stage);
    }
  ASSERT_EQ(static_cast<int>(d.size()), last - first + 1 - (outside >= first && outside <= last));
  for (std::size_t i = 0; i + 5 < d.size(); ++i) {
    double a = 0, b = 0;
    for (int k = 0; k < 5; ++k) a += d[i + k], b += d[i + 1 + k];
    EXPECT_GE(b, a) << "the mean over five falls after stage " << stage[i];
  }
  for (std::size_t i = 0; i + 5 <= d.size(); ++i) {
    int drops = 0;
    for (std::size_t k = i + 1; k < i + 5; ++k) drops += d[k] < d[k - 1];
    EXPECT_LE(drops, 1) << "more than one breather in the five stages from " << stage[i];
  }
}

TEST(StageList, UserAndSuperStoriesGrowHarder) {
  const std::vector<ListRow> rows = StageList();
  for (const auto& [first, last] : {std::pair{31, 43}, std::pair{61, 81}}) {
    SCOPED_TRACE("stages " + std::to_string(first) + " to " + std::to_string(last));
    ExpectRisingCurve(rows, first, last);
  }
}

// The main story is held to the same curve, tutorial included: a stage that teaches a rule
// is no easier than the stage five before it. Stage 25, the secret garden the hidden exit of
// stage 16 warps to, is a reward walk and stands outside the climb; the stages around it are
// compared as if it were not there.
TEST(StageList, MainStoryGrowsHarder) { ExpectRisingCurve(StageList(), 1, 30, 25); }

double MedianStates(const std::vector<ListRow>& rows, int first, int last) {
  std::vector<double> s;
  for (const ListRow& r : rows)
    if (r.stage >= first && r.stage <= last) s.push_back(r.guided);
  if (s.empty()) return 0;
  std::sort(s.begin(), s.end());
  const std::size_t n = s.size();
  return n % 2 ? s[n / 2] : (s[n / 2 - 1] + s[n / 2]) / 2;
}

double MeanTraps(const std::vector<ListRow>& rows, int first, int last) {
  double sum = 0;
  int n = 0;
  for (const ListRow& r : rows)
    if (r.stage >= first && r.stage <= last) sum += std::atoi(r.traps.c_str()), ++n;
  return n ? sum / n : 0;
}

// The super story is the hardest of the game: its stages make the guided search at least
// twice as large as the last stages of the main story do, taking the median of each, and lay
// at least as many traps on average.
TEST(StageList, SuperStoryIsTwiceTheEndOfTheMainStory) {
  const std::vector<ListRow> rows = StageList();
  const double mainEnd = MedianStates(rows, 21, 30);
  const double super = MedianStates(rows, 61, 81);
  ASSERT_GT(mainEnd, 0) << "no main stages 21 to 30 in the list";
  EXPECT_GE(super, 2 * mainEnd) << "median guided states: super story " << super << ", main stages 21-30 " << mainEnd;
  const double superTraps = MeanTraps(rows, 61, 81), mainEndTraps = MeanTraps(rows, 21, 30);
  EXPECT_GE(superTraps, mainEndTraps) << "mean traps: super story " << superTraps << ", main stages 21-30 " << mainEndTraps;
}

}  // namespace
}  // namespace morvik

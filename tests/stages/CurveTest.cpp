// The stage list beside the map file (written by `morvik-cli table`) names every stage of
// the map file with the length of its kept solution and at most one decoy, and every story is
// ordered by the difficulty the list reports: the mean over five stages rises through the
// story, and a stage easier than the one before it (a breather) comes at most once in five.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/stages/MapFileText.h"

namespace morvik {
namespace {

using stagetest::BlockNumbers;
using stagetest::kMap;
using stagetest::ReadAll;

const std::string kDir = std::string(MORVIK_STAGES_DIR);

struct ListRow {
  int stage = 0;
  int presses = 0;
  double states = 0;
  std::string decoy;  // "-", or the objects whose removal changes nothing
};

std::vector<ListRow> StageList() {
  std::vector<ListRow> rows;
  std::istringstream in(ReadAll(kDir + "/stages.md"));
  std::string line;
  // | stage | idea | presses | states | traps | decoy |; the states may read "> n" for a
  // search cut short by the limits.
  const std::regex row(R"(^\| (\d+) \|[^|]*\| (\d+) \| (?:> )?(\d+) \|[^|]*\| ([^|]*) \|)");
  while (std::getline(in, line)) {
    std::smatch m;
    if (std::regex_search(line, m, row))
      rows.push_back({std::stoi(m[1]), std::stoi(m[2]), std::stod(m[3]), m[4].str()});
  }
  return rows;
}

// The difficulty figure: the size of the search, on a log scale, and the length of the clear.
double Difficulty(const ListRow& r) { return std::log10(std::max(1.0, r.states)) + r.presses / 20.0; }

int PressCount(const std::string& moves) {
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
  std::map<int, std::string> kept;
  std::istringstream sol(ReadAll(kDir + "/solutions.txt"));
  while (std::getline(sol, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto space = line.find(' ');
    if (space != std::string::npos && line.find_first_not_of("0123456789") == space)
      kept[std::stoi(line.substr(0, space))] = line.substr(space + 1);
  }
  const std::vector<ListRow> rows = StageList();
  ASSERT_EQ(rows.size(), blocks.size()) << "the list and the map file name different stages";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].stage, blocks[i]);
    EXPECT_EQ(rows[i].presses, PressCount(kept[rows[i].stage])) << "stage " << rows[i].stage << ": stale list";
  }
}

// Every stone, flower, PX piece and empty hole matters: at most one object per stage may be
// taken away without changing the clear, and that one is named in the list as a decoy.
TEST(StageList, EveryObjectMattersButOneNamedDecoy) {
  for (const ListRow& r : StageList()) {
    EXPECT_EQ(r.decoy.find(','), std::string::npos) << "stage " << r.stage << " has more than one decoy: " << r.decoy;
    // A removal the solver could not settle within the list's limits is shown there as
    // "unsettled"; it is reported here, not counted as a decoy.
    if (r.decoy.find("unsettled") != std::string::npos) std::printf("stage %d: %s\n", r.stage, r.decoy.c_str());
  }
}

// The running mean over five stages never falls (a stage is at least as hard as the one five
// before it), and at most one of any five stages in a row is easier than the one before it.
void ExpectRisingCurve(const std::vector<ListRow>& rows, int first, int last) {
  std::vector<double> d;
  for (const ListRow& r : rows)
    if (r.stage >= first && r.stage <= last) d.push_back(Difficulty(r));
  ASSERT_EQ(static_cast<int>(d.size()), last - first + 1);
  for (std::size_t i = 0; i + 5 < d.size(); ++i) {
    double a = 0, b = 0;
    for (int k = 0; k < 5; ++k) a += d[i + k], b += d[i + 1 + k];
    EXPECT_GE(b, a) << "the mean over five falls after stage " << first + static_cast<int>(i);
  }
  for (std::size_t i = 0; i + 5 <= d.size(); ++i) {
    int drops = 0;
    for (std::size_t k = i + 1; k < i + 5; ++k) drops += d[k] < d[k - 1];
    EXPECT_LE(drops, 1) << "more than one breather in the five stages from " << first + static_cast<int>(i);
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
// is no easier than the stage five before it.
TEST(StageList, MainStoryGrowsHarder) { ExpectRisingCurve(StageList(), 1, 30); }

double MedianStates(const std::vector<ListRow>& rows, int first, int last) {
  std::vector<double> s;
  for (const ListRow& r : rows)
    if (r.stage >= first && r.stage <= last) s.push_back(r.states);
  if (s.empty()) return 0;
  std::sort(s.begin(), s.end());
  const std::size_t n = s.size();
  return n % 2 ? s[n / 2] : (s[n / 2 - 1] + s[n / 2]) / 2;
}

// The super story is the hardest of the game: its stages make the search at least three
// times as large as the last stages of the main story do, taking the median of each.
TEST(StageList, SuperStoryIsThreeTimesTheEndOfTheMainStory) {
  const std::vector<ListRow> rows = StageList();
  const double mainEnd = MedianStates(rows, 21, 30);
  const double super = MedianStates(rows, 61, 81);
  ASSERT_GT(mainEnd, 0) << "no main stages 21 to 30 in the list";
  EXPECT_GE(super, 3 * mainEnd) << "median states: super story " << super << ", main stages 21-30 " << mainEnd;
}

}  // namespace
}  // namespace morvik

// The stories of the main map file: every stage reads, every stage has a kept solution, and
// every solution played through `morvik-cli play` with the real rules clears its stage.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/Move.h"
#include "stagedata/StageReader.h"
#include "tests/stages/MapFileText.h"
#include "tests/support/ScratchDir.h"

namespace morvik {
namespace {

using stagetest::BlockNumbers;
using stagetest::kMap;
using stagetest::ReadAll;

const std::string kSolutions = std::string(MORVIK_STAGES_DIR) + "/solutions.txt";

// "16 RRUJ3" lines; a key with a letter after the number ("16w") names another route.
std::map<std::string, std::string> Solutions() {
  std::map<std::string, std::string> out;
  std::istringstream in(ReadAll(kSolutions));
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const auto space = line.find(' ');
    if (space == std::string::npos) continue;
    out[line.substr(0, space)] = line.substr(space + 1);
  }
  return out;
}

std::string Cli(const std::string& args) {
  const std::string cmd = std::string(MORVIK_CLI) + " " + args + " 2>&1";
  FILE* f = popen(cmd.c_str(), "r");
  if (!f) return "";
  std::string out;
  std::array<char, 4096> buf{};
  while (std::size_t n = fread(buf.data(), 1, buf.size(), f)) out.append(buf.data(), n);
  pclose(f);
  return out;
}

std::string Outcome(const std::string& json) {
  const std::string key = "\"outcome\": \"";
  const auto at = json.find(key);
  if (at == std::string::npos) return "(no board: " + json + ")";
  return json.substr(at + key.size(), json.find('"', at + key.size()) - at - key.size());
}

TEST(Stories, FileIsAsciiWithCrLfLines) {
  const std::string text = ReadAll(kMap);
  ASSERT_FALSE(text.empty());
  for (std::size_t i = 0; i < text.size(); ++i) {
    ASSERT_LT(static_cast<unsigned char>(text[i]), 0x80u) << "byte " << i;
    if (text[i] == '\n') {
      ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at byte " << i;
    }
  }
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST(Stories, MainStoryHasStagesOneToThirtyOnceEach) {
  const std::vector<int> numbers = BlockNumbers(ReadAll(kMap));
  std::set<int> seen;
  for (int n : numbers) EXPECT_TRUE(seen.insert(n).second) << "stage " << n << " twice";
  for (int n = 1; n <= 30; ++n) EXPECT_TRUE(seen.count(n)) << "stage " << n << " missing";
  EXPECT_FALSE(seen.count(0)) << "block 0 belongs to the editor's test play";
}

// Story play runs from a clear to the next number, so a story that is present must hold every
// stage from its first to its last: main 1 to 30, user 31 to 43, super 61 to 81.
TEST(Stories, EachStoryRunsWithoutGaps) {
  const std::vector<int> numbers = BlockNumbers(ReadAll(kMap));
  const std::set<int> seen(numbers.begin(), numbers.end());
  const std::array<std::pair<int, int>, 3> stories{{{1, 30}, {31, 43}, {61, 81}}};
  for (int n : numbers) {
    bool inStory = false;
    for (const auto& [first, last] : stories) inStory = inStory || (n >= first && n <= last);
    EXPECT_TRUE(inStory) << "stage " << n << " belongs to no story";
  }
  for (const auto& [first, last] : stories) {
    if (!seen.count(first)) continue;
    for (int n = first; n <= last; ++n) EXPECT_TRUE(seen.count(n)) << "stage " << n << " missing from its story";
  }
}

TEST(Stories, EveryStageReadsWithMusicAndItemsToTake) {
  const std::string text = ReadAll(kMap);
  for (int n : BlockNumbers(text)) {
    SCOPED_TRACE("stage " + std::to_string(n));
    const StageResult r = ReadStage(std::string_view(text), StageRequest{n, false, false});
    const auto* stage = std::get_if<LoadedStage>(&r);
    ASSERT_NE(stage, nullptr) << std::get<StageError>(r).reason;
    EXPECT_GE(stage->music, 0);
    EXPECT_LE(stage->music, 6);
    const Board& b = stage->board;
    EXPECT_GT(b.yFlowerCount + b.rFlowerCount + b.pxCount, 0) << "nothing to take: never cleared";
    // Flowers alternate from the named colour, so the counts may differ by one at most.
    const int due = b.firstFlower == 0 ? b.yFlowerCount : b.rFlowerCount;
    const int other = b.firstFlower == 0 ? b.rFlowerCount : b.yFlowerCount;
    EXPECT_TRUE(due == other || due == other + 1) << b.yFlowerCount << " yellow, " << b.rFlowerCount << " red";
    // The hero starts on ground it could walk onto, never on water, a hole or a mountain.
    EXPECT_TRUE(IsFloor(b.T(b.heroX, b.heroY))) << "hero starts on cell code " << static_cast<int>(b.T(b.heroX, b.heroY));
    // Every hole waits for a stone or a PX piece.
    for (int y = 0; y < FieldSize; ++y)
      for (int x = 0; x < FieldSize; ++x)
        if (IsHole(b.T(x, y))) {
          EXPECT_EQ(b.C(x, y), HoleMark) << "hole at " << x << ", " << y;
        }
  }
}

TEST(Stories, EverySolutionClearsItsStage) {
  const std::vector<int> numbers = BlockNumbers(ReadAll(kMap));
  const auto solutions = Solutions();
  for (int n : numbers) {
    SCOPED_TRACE("stage " + std::to_string(n));
    const auto it = solutions.find(std::to_string(n));
    ASSERT_NE(it, solutions.end()) << "no solution kept";
    EXPECT_EQ(Outcome(Cli("play " + kMap + " --stage " + std::to_string(n) + " " + it->second)), "clear")
        << it->second;
  }
  for (const auto& [key, moves] : solutions) {
    if (key.find_first_not_of("0123456789") != std::string::npos) continue;
    EXPECT_NE(std::find(numbers.begin(), numbers.end(), std::stoi(key)), numbers.end())
        << "solution for a stage the map does not hold: " << key;
  }
}

TEST(Stories, StageSixteenHidesTheExitToStageTwentyFive) {
  const std::string text = ReadAll(kMap);
  const StageResult r = ReadStage(std::string_view(text), StageRequest{16, false, false});
  ASSERT_TRUE(std::holds_alternative<LoadedStage>(r));
  const Board& b = std::get<LoadedStage>(r).board;
  EXPECT_TRUE(IsWater(b.T(7, 0)) || IsHole(b.T(7, 0))) << "cell (7, 0) must swallow a jump";
  const auto solutions = Solutions();
  const auto warp = solutions.find("16w");
  ASSERT_NE(warp, solutions.end()) << "no route to the hidden exit kept";
  EXPECT_EQ(Outcome(Cli("play " + kMap + " --stage 16 " + warp->second)), "warp");
  // The same jump in a stage-unit play is an ordinary fall.
  const test::ScratchDir scratch;
  ASSERT_TRUE(scratch.Ok());
  const std::string unit = scratch.Path("stage16.mvk");
  {
    std::ofstream out(unit, std::ios::binary);
    const auto open = text.find("@16\r\n");
    ASSERT_NE(open, std::string::npos);
    out << text.substr(open, text.find("END@16\r\n", open) + 8 - open);
  }
  EXPECT_EQ(Outcome(Cli("play " + unit + " " + warp->second)), "miss");
}

// The first jump stages forgive a missed meter: the jumps a newcomer makes first (those of the
// kept solution) land safely at every power of the meter, and where the stage asks for an exact
// jump, one released a level early or late (a cell short or long) still lands safely.
TEST(Stories, FirstJumpStagesForgiveAMissedMeter) {
  struct Lesson {
    int stage;
    int everyPower;  // how many of the first jumps of the kept solution take any power safely
    bool oneLevel;   // every later jump of the kept solution forgives a meter missed by one level
  };
  const std::string text = ReadAll(kMap);
  const auto solutions = Solutions();
  for (const Lesson& lesson : {Lesson{11, 2, false}, Lesson{14, 1, true}, Lesson{15, 1, true}, Lesson{16, 0, true}}) {
    SCOPED_TRACE("stage " + std::to_string(lesson.stage));
    const StageResult r = ReadStage(std::string_view(text), StageRequest{lesson.stage, false, false});
    ASSERT_TRUE(std::holds_alternative<LoadedStage>(r));
    std::string error;
    const auto moves = ParseMoves(solutions.at(std::to_string(lesson.stage)), error);
    ASSERT_TRUE(moves) << error;
    Board here = std::get<LoadedStage>(r).board;
    Script discard(false);
    int jumps = 0;
    for (Move m : *moves) {
      if (IsJump(m)) {
        const int kept = JumpDistanceOf(m);
        for (int d = 1; d <= 5; ++d) {
          if (jumps >= lesson.everyPower && (!lesson.oneLevel || std::abs(d - kept) > 1)) continue;
          Board tried = here;
          ApplyMove(tried, discard, JumpMove(d));
          EXPECT_NE(tried.outcome, Outcome::Miss)
              << "jump " << jumps + 1 << " from (" << here.heroX << ", " << here.heroY << ") at J" << d << " (kept J" << kept << ")";
        }
        ++jumps;
      }
      ApplyMove(here, discard, m);
    }
    EXPECT_EQ(here.outcome, Outcome::Clear);
    EXPECT_GT(jumps, lesson.everyPower);
  }
}

// The visitor of stage 28 sleeps on the top right cell; the hero must be able to stand there.
TEST(Stories, StageTwentyEightLetsTheHeroReachTheVisitor) {
  const auto solutions = Solutions();
  const auto route = solutions.find("28v");
  ASSERT_NE(route, solutions.end()) << "no route to the visitor kept";
  const std::string json = Cli("play " + kMap + " --stage 28 " + route->second);
  EXPECT_EQ(Outcome(json), "none") << "the route must not end the stage";
  EXPECT_NE(json.find("\"hero\": [9, 0,"), std::string::npos) << json.substr(0, 80);
}

}  // namespace
}  // namespace morvik

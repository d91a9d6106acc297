// One step of the hero to the right, classified and resolved: the kind, the effects in order,
// the first row of both layers afterwards and the outcome.
#include <gtest/gtest.h>

#include "core/StepRules.h"
#include "tests/core/Fixture.h"

namespace morvik {
namespace {

struct StepCase {
  const char* name;
  std::string terrain;   // row 0; characters on light ground unless `charas` is given
  std::string charas;    // row 0 characters on other ground
  int firstFlower;
  int kind;
  std::string effects;
  std::string terrainAfter;
  std::string charaAfter;
  Outcome outcome;
};

const std::string Walked = "Answer 1,0/0";
const std::string Spin = "Pose 1 | Pose 8 | Pose 5 | Pose 6 | Pose 1 | Sound 4 | Pose 41";

const StepCase kCases[] = {
    {"Floor", "H.", "", 0, 1, "Sound 0 | " + Walked, "..", ".H", Outcome::None},
    {"TakeYellow", "HYY", "", 0, 2, "Sound 8 | Hide Y0 | " + Walked + " | Taken 0 | Next 11", "...", ".HY", Outcome::None},
    {"TakeRed", "HRR", "", 1, 3, "Sound 9 | Hide R0 | " + Walked + " | Taken 1 | Next 10", "...", ".HR", Outcome::None},
    {"TakeLastFlowerClears", "HY", "", 0, 2, "Sound 8 | Hide Y0 | " + Walked + " | Taken 0 | End 2", "..", ".H", Outcome::Clear},
    {"LastYellowWhileRedRemains", "HYR", "", 0, 2, "Sound 8 | Hide Y0 | " + Walked + " | Taken 0 | Next 11", "...", ".HR", Outcome::None},
    {"WrongColourHidesFlowerUnderHero", "HR", "", 0, 8, Walked, "..", ".H", Outcome::None},
    {"PushStone", "HS.", "", 0, 4, "Sound 1 | " + Walked, "...", ".HS", Outcome::None},
    {"StoneIntoWater", "HSw", "", 0, 5, Walked + " | HideOnly S0 | Sound 2 | InWater 2,0/75", "..w", ".H.", Outcome::None},
    {"StoneIntoDeepWater", "HSW", "", 0, 5, Walked + " | HideOnly S0 | Sound 2 | InWater 2,0/75", "..W", ".H.", Outcome::None},
    {"StoneOntoFlower", "HSY", "", 0, 6, "Sound 3 | " + Walked + " | End 1", "...", ".HS", Outcome::Miss},
    {"StoneIntoLightHole", "HSo", "", 0, 7, "Sound 4 | " + Walked + " | Paint 2,0=23 | Hide S0", "..f", ".H.", Outcome::None},
    {"StoneIntoGrassHole", "HSh", "", 0, 9, "Sound 4 | " + Walked + " | Paint 2,0=24 | Hide S0", "..F", ".H.", Outcome::None},
    {"StoneIntoSnowHole", "HSn", "", 0, 20, "Sound 4 | " + Walked + " | Paint 2,0=54 | Hide S0", "..k", ".H.", Outcome::None},
    {"StoneIntoSandHole", "HSd", "", 0, 21, "Sound 4 | " + Walked + " | Paint 2,0=55 | Hide S0", "..K", ".H.", Outcome::None},
    {"PushPX", "HP.", "", 0, 10, "Sound 10 | " + Walked, "...", ".HP", Outcome::None},
    {"PXIntoWaterMissesWithoutMoving", "HPw", "", 0, 11, "Sound 2 | End 1", "..w", "HP.", Outcome::Miss},
    {"PXOntoFlower", "HPR", "", 0, 12, "Sound 3 | " + Walked + " | End 1", "...", ".HP", Outcome::Miss},
    {"LastPXOpensGatesAndClears", "HPoGG", "", 0, 13,
     "Sound 11 | " + Walked + " | Paint 2,0=25 | Hide P0 | Taken 2 | Paint 3,0=27 | Paint 4,0=27 | Sound 12 | End 2", "..@OO", ".H...", Outcome::Clear},
    {"LastPXWithoutGatesIsSilent", "HPo", "", 0, 13, "Sound 11 | " + Walked + " | Paint 2,0=25 | Hide P0 | Taken 2 | End 2", "..@", ".H.", Outcome::Clear},
    {"PXWhileOthersRemain", "HPoPY", "", 0, 13, "Sound 11 | " + Walked + " | Paint 2,0=25 | Hide P0 | Taken 2", "..@..", ".H.PY", Outcome::None},
    {"PXIntoGrassHole", "HPhP", "", 0, 14, "Sound 11 | " + Walked + " | Paint 2,0=26 | Hide P0 | Taken 2 | Next 17", "..v.", ".H.P", Outcome::None},
    {"PXIntoSnowHole", "HPnP", "", 0, 18, "Sound 11 | " + Walked + " | Paint 2,0=56 | Hide P0 | Taken 2 | Next 17", "..x.", ".H.P", Outcome::None},
    {"PXIntoSandHole", "HPdP", "", 0, 19, "Sound 11 | " + Walked + " | Paint 2,0=57 | Hide P0 | Taken 2 | Next 17", "..X.", ".H.P", Outcome::None},
    {"StoneOffWhirlFalls", "H@.", "HS.", 0, 15, "Sound 3 | " + Spin + " | End 1", ".@.", "HS.", Outcome::Miss},
    {"PXOffSpikesFalls", "H^.", "HP.", 0, 16, "Sound 3 | " + Spin + " | End 1", ".^.", "HP.", Outcome::Miss},
    {"OntoWhirl", "H@", "", 0, 17, "Sound 3 | " + Spin + " | End 1", ".@", "H.", Outcome::Miss},
    {"OntoSpikes", "H^", "", 0, 17, "Sound 3 | " + Spin + " | End 1", ".^", "H.", Outcome::Miss},
    {"StoneOntoCrackedIce", "HSc", "", 0, 100,
     Walked + " | HideOnly S0 | Sound 26 | Paint 2,0=33 | Shores 2,0 | InWater 2,0/75", "..W", ".H.", Outcome::None},
    {"StoneOntoFlowerOnCrackedIce", "HSc", "HSY", 0, 6, "Sound 3 | " + Walked + " | End 1", "..c", ".HS", Outcome::Miss},
    {"PXOntoCrackedIce", "HPc", "", 0, 101, "Paint 2,0=33 | Sound 26 | End 1", "..c", "HP.", Outcome::Miss},
    {"PXOntoCrackedIceUnderFlower", "HPc", "HPY", 0, 101, "Paint 2,0=33 | Sound 26 | End 1", "..c", "HPY", Outcome::Miss},
    {"StoneFromWhirlIntoWaterMissesWithoutSpin", "H@w", "HS", 0, 5, Walked + " | HideOnly S0 | Sound 2 | InWater 2,0/75 | End 1", ".@w", ".HS", Outcome::Miss},
    {"StoneFromWhirlIntoHoleMisses", "H@o", "HS", 0, 7, "Sound 4 | " + Walked + " | Paint 2,0=23 | Hide S0 | End 1", ".@f", ".HS", Outcome::Miss},
    {"WalkingOffCrackedIceBreaksIt", "c.", "H", 0, 1, "Sound 0 | Paint 0,0=33 | Shores 0,0 | Sound 26 | InWater 0,0/0 | " + Walked, "W.", ".H", Outcome::None},
    // Impossible steps change nothing.
    {"TwoStones", "HSS", "", 0, 0, "", "...", "HSS", Outcome::None},
    {"StoneThenPX", "HSP", "", 0, 0, "", "...", "HSP", Outcome::None},
    {"StoneThenMountain", "HSM", "", 0, 0, "", "..M", "HS.", Outcome::None},
    {"StoneAgainstBorder", "........HS", "", 0, 0, "", "..........", "........HS", Outcome::None},
    {"Mountain", "HM", "", 0, 0, "", ".M", "H.", Outcome::None},
    {"Water", "Hw", "", 0, 0, "", ".w", "H.", Outcome::None},
    {"Hole", "Ho", "", 0, 0, "", ".o", "He", Outcome::None},
    {"ClosedGate", "HG", "", 0, 0, "", ".G", "H.", Outcome::None},
};

void PrintTo(const StepCase& c, std::ostream* os) { *os << c.name; }

class StepRulesTest : public testing::TestWithParam<StepCase> {};

TEST_P(StepRulesTest, ClassifiesAndResolves) {
  const StepCase& c = GetParam();
  Board b = test::MakeBoard({c.terrain}, c.charas.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.charas},
                            DirRight, c.firstFlower);
  Script s;
  b.stepKind = ClassifyStep(b, s);
  EXPECT_EQ(b.stepKind, c.kind);
  if (b.stepKind != 0) ResolveStep(b, s);
  EXPECT_EQ(Describe(s), c.effects);
  EXPECT_EQ(test::TerrainRows(b, 1)[0].substr(0, c.terrainAfter.size()), c.terrainAfter);
  EXPECT_EQ(test::CharaRows(b, 1)[0].substr(0, c.charaAfter.size()), c.charaAfter);
  EXPECT_EQ(b.outcome, c.outcome);
}

INSTANTIATE_TEST_SUITE_P(Kinds, StepRulesTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<StepCase>& i) { return std::string(i.param.name); });

TEST(StepRules, HoleWithoutMarkCannotBeFilled) {
  Board b = test::MakeBoard({"HSo"});
  b.C(2, 0) = NoChara;
  Script s;
  EXPECT_EQ(ClassifyStep(b, s), 0);
}

TEST(StepRules, SteppingIntoHoleOrWaterIsRefusedInEveryDirection) {
  for (int dir : {DirLeft, DirUp, DirRight, DirDown}) {
    Board b = test::MakeBoard({".w.", "wHo", ".M."}, {}, dir);
    Script s;
    EXPECT_EQ(ClassifyStep(b, s), 0) << dir;
  }
}

// The hero walks over flowers it may not take; each comes back when the hero leaves it.
TEST(StepRules, FlowersOfTheWrongColourComeBackBehindTheHero) {
  Board b = test::MakeBoard({"HRRY."});
  Script s;
  const char* after[] = {".HRY.", ".RHY.", ".RRH."};
  for (const char* want : after) {
    b.stepKind = ClassifyStep(b, s);
    ResolveStep(b, s);
    EXPECT_EQ(test::CharaRows(b, 1)[0].substr(0, 5), want);
  }
  // The yellow flower was due and taken; red is due now and the first red flower is there.
  EXPECT_EQ(b.yFlowerTaken, 1);
  EXPECT_EQ(b.firstFlower, 1);
  b.heroDir = DirLeft;
  b.stepKind = ClassifyStep(b, s);
  EXPECT_EQ(b.stepKind, 3);
}

TEST(StepRules, WrongFlowerStaysAfterPushingAway) {
  Board b = test::MakeBoard({"HRS.."});
  Script s;
  for (int i = 0; i < 2; ++i) {
    b.stepKind = ClassifyStep(b, s);
    ResolveStep(b, s);
  }
  EXPECT_EQ(test::CharaRows(b, 1)[0].substr(0, 5), ".RHS.");
  EXPECT_FALSE(b.onFlower);
  EXPECT_EQ(b.underState, (std::array<std::int16_t, 3>{0, 0, 0}));
}

}  // namespace
}  // namespace morvik

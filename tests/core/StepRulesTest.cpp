// One step of the hero to the right, classified and resolved: the kind, the effects in order,
// the first row of both layers afterwards and the outcome.
#include <gtest/gtest.h>

#include "core/StepRules.h"
#include "tests/core/Fixture.h"

namespace morvik {
namespace {

struct StepCase {
  const char* name;
  std::string row;       // row 0 in the stage picture notation
  int firstFlower;
  int kind;
  std::string effects;
  std::string after;     // the start of row 0 afterwards
  Outcome outcome;
};

const std::string Walked = "Answer 1,0/0";
const std::string Spin = "Pose 1 | Pose 8 | Pose 5 | Pose 6 | Pose 1 | Sound 4 | Pose 41";

const StepCase kCases[] = {
    {"Floor", ".@. ", 0, 1, "Sound 0 | " + Walked, ". .@", Outcome::None},
    {"TakeYellow", ".@.y.y", 0, 2, "Sound 8 | Hide Y0 | " + Walked + " | Taken 0 | Next 11", ". .@.y", Outcome::None},
    {"TakeRed", ".@.r.r", 1, 3, "Sound 9 | Hide R0 | " + Walked + " | Taken 1 | Next 10", ". .@.r", Outcome::None},
    {"TakeLastFlowerClears", ".@.y", 0, 2, "Sound 8 | Hide Y0 | " + Walked + " | Taken 0 | End 2", ". .@", Outcome::Clear},
    {"LastYellowWhileRedRemains", ".@.y.r", 0, 2, "Sound 8 | Hide Y0 | " + Walked + " | Taken 0 | Next 11", ". .@.r", Outcome::None},
    {"WrongColourHidesFlowerUnderHero", ".@.r", 0, 8, Walked, ". .@", Outcome::None},
    {"PushStone", ".@.S. ", 0, 4, "Sound 1 | " + Walked, ". .@.S", Outcome::None},
    {"StoneIntoWater", ".@.S~ ", 0, 5, Walked + " | HideOnly S0 | Sound 2 | InWater 2,0/75", ". .@~ ", Outcome::None},
    {"StoneIntoDeepWater", ".@.S% ", 0, 5, Walked + " | HideOnly S0 | Sound 2 | InWater 2,0/75", ". .@% ", Outcome::None},
    {"StoneOntoFlower", ".@.S.y", 0, 6, "Sound 3 | " + Walked + " | End 1", ". .@.S", Outcome::Miss},
    {"StoneIntoLightHole", ".@.So ", 0, 7, "Sound 4 | " + Walked + " | Paint 2,0=23 | Hide S0", ". .@1 ", Outcome::None},
    {"StoneIntoGrassHole", ".@.SO ", 0, 9, "Sound 4 | " + Walked + " | Paint 2,0=24 | Hide S0", ". .@2 ", Outcome::None},
    {"StoneIntoSnowHole", ".@.Ss ", 0, 20, "Sound 4 | " + Walked + " | Paint 2,0=54 | Hide S0", ". .@3 ", Outcome::None},
    {"StoneIntoSandHole", ".@.Sd ", 0, 21, "Sound 4 | " + Walked + " | Paint 2,0=55 | Hide S0", ". .@4 ", Outcome::None},
    {"PushPX", ".@.P. ", 0, 10, "Sound 10 | " + Walked, ". .@.P", Outcome::None},
    {"PXIntoWaterMissesWithoutMoving", ".@.P~ ", 0, 11, "Sound 2 | End 1", ".@.P~ ", Outcome::Miss},
    {"PXOntoFlower", ".@.P.r", 0, 12, "Sound 3 | " + Walked + " | End 1", ". .@.P", Outcome::Miss},
    {"LastPXOpensGatesAndClears", ".@.Po G G ", 0, 13,
     "Sound 11 | " + Walked + " | Paint 2,0=25 | Hide P0 | Taken 2 | Paint 3,0=27 | Paint 4,0=27 | Sound 12 | End 2", ". .@w g g ", Outcome::Clear},
    {"LastPXWithoutGatesIsSilent", ".@.Po ", 0, 13, "Sound 11 | " + Walked + " | Paint 2,0=25 | Hide P0 | Taken 2 | End 2", ". .@w ", Outcome::Clear},
    {"PXWhileOthersRemain", ".@.Po .P.y", 0, 13, "Sound 11 | " + Walked + " | Paint 2,0=25 | Hide P0 | Taken 2", ". .@w .P.y", Outcome::None},
    {"PXIntoGrassHole", ".@.PO .P", 0, 14, "Sound 11 | " + Walked + " | Paint 2,0=26 | Hide P0 | Taken 2 | Next 17", ". .@W .P", Outcome::None},
    {"PXIntoSnowHole", ".@.Ps .P", 0, 18, "Sound 11 | " + Walked + " | Paint 2,0=56 | Hide P0 | Taken 2 | Next 17", ". .@v .P", Outcome::None},
    {"PXIntoSandHole", ".@.Pd .P", 0, 19, "Sound 11 | " + Walked + " | Paint 2,0=57 | Hide P0 | Taken 2 | Next 17", ". .@V .P", Outcome::None},
    {"StoneOffWhirlFalls", ".@wS. ", 0, 15, "Sound 3 | " + Spin + " | End 1", ".@wS. ", Outcome::Miss},
    {"PXOffSpikesFalls", ".@xP. ", 0, 16, "Sound 3 | " + Spin + " | End 1", ".@xP. ", Outcome::Miss},
    {"OntoWhirl", ".@w ", 0, 17, "Sound 3 | " + Spin + " | End 1", ".@w ", Outcome::Miss},
    {"OntoSpikes", ".@x ", 0, 17, "Sound 3 | " + Spin + " | End 1", ".@x ", Outcome::Miss},
    {"StoneOntoCrackedIce", ".@.Sc ", 0, 100,
     Walked + " | HideOnly S0 | Sound 26 | Paint 2,0=33 | Shores 2,0 | InWater 2,0/75", ". .@% ", Outcome::None},
    {"StoneOntoFlowerOnCrackedIce", ".@.Scy", 0, 6, "Sound 3 | " + Walked + " | End 1", ". .@cS", Outcome::Miss},
    {"PXOntoCrackedIce", ".@.Pc ", 0, 101, "Paint 2,0=33 | Sound 26 | End 1", ".@.Pc ", Outcome::Miss},
    {"PXOntoCrackedIceUnderFlower", ".@.Pcy", 0, 101, "Paint 2,0=33 | Sound 26 | End 1", ".@.Pcy", Outcome::Miss},
    {"StoneFromWhirlIntoWaterMissesWithoutSpin", ".@wS~ ", 0, 5, Walked + " | HideOnly S0 | Sound 2 | InWater 2,0/75 | End 1", ". w@~S", Outcome::Miss},
    {"StoneFromWhirlIntoHoleMisses", ".@wSo ", 0, 7, "Sound 4 | " + Walked + " | Paint 2,0=23 | Hide S0 | End 1", ". w@1S", Outcome::Miss},
    {"WalkingOffCrackedIceBreaksIt", "c@. ", 0, 1, "Sound 0 | Paint 0,0=33 | Shores 0,0 | Sound 26 | InWater 0,0/0 | " + Walked, "% .@", Outcome::None},
    // Impossible steps change nothing.
    {"TwoStones", ".@.S.S", 0, 0, "", ".@.S.S", Outcome::None},
    {"StoneThenPX", ".@.S.P", 0, 0, "", ".@.S.P", Outcome::None},
    {"StoneThenMountain", ".@.S# ", 0, 0, "", ".@.S# ", Outcome::None},
    {"StoneAgainstBorder", ". . . . . . . . .@.S", 0, 0, "", ". . . . . . . . .@.S", Outcome::None},
    {"Mountain", ".@# ", 0, 0, "", ".@# ", Outcome::None},
    {"Water", ".@~ ", 0, 0, "", ".@~ ", Outcome::None},
    {"Hole", ".@o ", 0, 0, "", ".@o ", Outcome::None},
    {"ClosedGate", ".@G ", 0, 0, "", ".@G ", Outcome::None},
};

void PrintTo(const StepCase& c, std::ostream* os) { *os << c.name; }

class StepRulesTest : public testing::TestWithParam<StepCase> {};

TEST_P(StepRulesTest, ClassifiesAndResolves) {
  const StepCase& c = GetParam();
  Board b = test::MakeBoard({c.row}, DirRight, c.firstFlower);
  Script s;
  b.stepKind = ClassifyStep(b, s);
  EXPECT_EQ(b.stepKind, c.kind);
  if (b.stepKind != 0) ResolveStep(b, s);
  EXPECT_EQ(Describe(s), c.effects);
  EXPECT_EQ(test::PictureRows(b, 1)[0].substr(0, c.after.size()), c.after);
  EXPECT_EQ(b.outcome, c.outcome);
}

INSTANTIATE_TEST_SUITE_P(Kinds, StepRulesTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<StepCase>& i) { return std::string(i.param.name); });

TEST(StepRules, HoleWithoutMarkCannotBeFilled) {
  Board b = test::MakeBoard({".@.So "});
  b.C(2, 0) = NoChara;
  Script s;
  EXPECT_EQ(ClassifyStep(b, s), 0);
}

TEST(StepRules, SteppingIntoHoleOrWaterIsRefusedInEveryDirection) {
  for (int dir : {DirLeft, DirUp, DirRight, DirDown}) {
    Board b = test::MakeBoard({". ~ . ", "~ .@o ", ". # . "}, dir);
    Script s;
    EXPECT_EQ(ClassifyStep(b, s), 0) << dir;
  }
}

// The hero walks over flowers it may not take; each comes back when the hero leaves it.
TEST(StepRules, FlowersOfTheWrongColourComeBackBehindTheHero) {
  Board b = test::MakeBoard({".@.r.r.y. "});
  Script s;
  const char* after[] = {". .@.r.y. ", ". .r.@.y. ", ". .r.r.@. "};
  for (const char* want : after) {
    b.stepKind = ClassifyStep(b, s);
    ResolveStep(b, s);
    EXPECT_EQ(test::PictureRows(b, 1)[0].substr(0, 10), want);
  }
  // The yellow flower was due and taken; red is due now and the first red flower is there.
  EXPECT_EQ(b.yFlowerTaken, 1);
  EXPECT_EQ(b.firstFlower, 1);
  b.heroDir = DirLeft;
  b.stepKind = ClassifyStep(b, s);
  EXPECT_EQ(b.stepKind, 3);
}

TEST(StepRules, WrongFlowerStaysAfterPushingAway) {
  Board b = test::MakeBoard({".@.r.S. . "});
  Script s;
  for (int i = 0; i < 2; ++i) {
    b.stepKind = ClassifyStep(b, s);
    ResolveStep(b, s);
  }
  EXPECT_EQ(test::PictureRows(b, 1)[0].substr(0, 10), ". .r.@.S. ");
  EXPECT_FALSE(b.onFlower);
  EXPECT_EQ(b.underState, (std::array<std::int16_t, 3>{0, 0, 0}));
}

}  // namespace
}  // namespace morvik

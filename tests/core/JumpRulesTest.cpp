// Jumps from a pad in row 0 facing right: each landing rule as a row of stage, distance,
// landing effects (the flight itself left out), hero cell and outcome.
#include <gtest/gtest.h>

#include "core/JumpRules.h"
#include "core/KeyCommands.h"
#include "tests/core/Fixture.h"

namespace morvik {
namespace {

// The effects after the first landing sound, flight frames left out.
std::string Landing(const Script& s) {
  Script rest;
  bool landed = false;
  for (const Effect& e : s.Items()) {
    if (e.kind == Fx::AnswerMove) landed = true;
    if (!landed || e.kind == Fx::PlaceHero || e.kind == Fx::PlaceShadow || e.kind == Fx::NudgeHero) continue;
    if (e.kind == Fx::HeroPose && (e.a >= 42 && e.a <= 49)) continue;
    rest.Add(e.kind, e.a, e.b, e.c, e.d);
  }
  return Describe(rest);
}

struct JumpCase {
  const char* name;
  std::string row;  // row 0 in the stage picture notation
  int distance;
  std::string landing;
  int heroX;
  Outcome outcome;
};

// Facing right the spin shows five poses before the hero falls.
const std::string Crash = "Sound 3 | Pose 1 | Pose 8 | Pose 5 | Pose 6 | Pose 1 | Sound 4 | Pose 41 | End 1";

const JumpCase kCases[] = {
    {"PlainLanding", "J@. . . . . ", 2, "Answer 2,0/2 | Sound 0", 2, Outcome::None},
    {"TakesDueFlower", "J@. . .y.y. ", 3, "Answer 3,0/2 | Sound 0 | Sound 8 | HideOnly Y0 | Taken 0 | Next 11", 3, Outcome::None},
    {"LastFlowerClearsAndStops", "J@. . .y. . ", 3, "Answer 3,0/2 | Sound 0 | Sound 8 | HideOnly Y0 | Taken 0 | End 2", 3, Outcome::Clear},
    {"WrongFlowerStays", "J@. . .r. . ", 3, "Answer 3,0/2 | Sound 0", 3, Outcome::None},
    {"OntoPXMisses", "J@. .P. . . ", 2, "Answer 2,0/2 | Sound 0 | Sound 3 | End 1", 2, Outcome::Miss},
    {"BouncesOffStone", "J@. .S. . . ", 2, "Answer 2,0/2 | Sound 0 | Sound 17 | Answer 3,0/2 | Sound 0", 3, Outcome::None},
    {"StoneOnBorderCrashes", "J J J J J J J J J@.S", 1, "Answer 9,0/2 | Sound 0 | " + Crash, 9, Outcome::Miss},
    {"BounceChainsOverStones", "J@. .S.S. . ", 2, "Answer 2,0/2 | Sound 0 | Sound 17 | Answer 3,0/2 | Sound 0 | Sound 17 | Answer 4,0/2 | Sound 0", 4, Outcome::None},
    {"IceSlidesToBlock", "J@. i i i # ", 2, "Answer 2,0/2 | Sound 0 | Sound 19 | Answer 3,0/2 | Sound 0 | Sound 19 | Answer 4,0/2 | Sound 0", 4, Outcome::None},
    {"IceSlideStopsBeforeStone", "J@. i . .S. ", 2, "Answer 2,0/2 | Sound 0 | Sound 19 | Answer 3,0/2 | Sound 0", 3, Outcome::None},
    {"IceSlideStopsAtBorder", "J@. . . . . . . i i ", 1, "Answer 1,0/2 | Sound 0", 1, Outcome::None},
    {"IceSlideIntoWater", "J@. i ~ . . ", 2, "Answer 2,0/2 | Sound 0 | Sound 19 | Answer 3,0/2 | Sound 0 | Sound 2 | Pose 16 | HideShadow | End 1", 3, Outcome::Miss},
    {"IceSlideOverCrackedIce", "J@. i c . # ", 2, "Answer 2,0/2 | Sound 0 | Sound 19 | Answer 3,0/2 | Sound 0 | Sound 19 | Answer 4,0/2 | Sound 0", 4, Outcome::None},
    {"CrackedIceBreaksAtOnce", "J@. c . . . ", 2, "Answer 2,0/2 | Sound 0 | Paint 2,0=33 | Sound 26 | Pose 16 | HideShadow | End 1", 2, Outcome::Miss},
    {"IntoWater", "J@. ~ . . . ", 2, "Answer 2,0/2 | Sound 0 | Sound 2 | Pose 16 | HideShadow | End 1", 2, Outcome::Miss},
    {"IntoHole", "J@. o . . . ", 2, "Answer 2,0/2 | Sound 0 | Sound 4 | Pose 16 | HideShadow | End 1", 2, Outcome::Miss},
    {"OntoWhirlCrashes", "J@. w . . . ", 2, "Answer 2,0/2 | Sound 0 | " + Crash, 2, Outcome::Miss},
    {"OntoMountainCrashes", "J@. # . . . ", 2, "Answer 2,0/2 | Sound 0 | " + Crash, 2, Outcome::Miss},
    {"PadAfterThreeBouncesOne", "J@. . J . . . ", 3, "Answer 3,0/2 | Sound 0 | Sound 18 | Answer 4,0/2 | Sound 0", 4, Outcome::None},
    {"PadAfterFiveBouncesTwo", "J@. . . . J . . . . ", 5, "Answer 5,0/2 | Sound 0 | Sound 18 | Answer 7,0/2 | Sound 0", 7, Outcome::None},
    {"PadAfterTwoStays", "J@. J . . . ", 2, "Answer 2,0/2 | Sound 0", 2, Outcome::None},
    {"PadBounceCutAtBorder", ". . . . J@. . . . J ", 5, "Answer 9,0/2 | Sound 0 | Sound 15", 9, Outcome::None},
};

class JumpRulesTest : public testing::TestWithParam<JumpCase> {};
void PrintTo(const JumpCase& c, std::ostream* os) { *os << c.name; }

TEST_P(JumpRulesTest, LandsByTheRules) {
  const JumpCase& c = GetParam();
  Board b = test::MakeBoard({c.row}, DirRight);
  Script s;
  Jump(b, s, c.distance);
  EXPECT_EQ(Landing(s), c.landing);
  EXPECT_EQ(b.heroX, c.heroX);
  EXPECT_EQ(b.outcome, c.outcome);
  if (b.outcome == Outcome::None) {
    EXPECT_EQ(b.C(b.heroX, b.heroY), HeroChara);
    EXPECT_NE(b.C(0, 0), HeroChara);
  }
}

INSTANTIATE_TEST_SUITE_P(Landings, JumpRulesTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<JumpCase>& i) { return std::string(i.param.name); });

TEST(JumpRules, HiddenWarpOnlyAtTheSecretCell) {
  for (bool warpStage : {true, false}) {
    // Up from (7, 2) by 2 lands in the water at (7, 0).
    Board b = test::MakeBoard({". . . . . . . ~ . . ", ". . . . . . . . . . ", ". . . . . . . J@. . "}, DirUp);
    b.hiddenWarp = warpStage;
    Script s;
    Jump(b, s, 2);
    EXPECT_EQ(b.outcome, warpStage ? Outcome::Warp : Outcome::Miss);
    EXPECT_EQ(Landing(s).find("Sound 23") != std::string::npos, warpStage);
  }
}

TEST(JumpRules, FlightFollowsTheArcForTwoSeconds) {
  Board b = test::MakeBoard({"J@. . . . . "}, DirRight);
  Script s;
  Jump(b, s, 2);
  std::vector<std::pair<int, int>> hero;
  int pauses = 0, firstTakeOff = -1, firstFlight = -1, frame = 0;
  for (const Effect& e : s.Items()) {
    if (e.kind == Fx::PlaceHero) hero.emplace_back(e.a, e.b), ++frame;
    if (e.kind == Fx::Pause) pauses += e.a;
    if (e.kind == Fx::HeroPose && e.a == 44 && firstTakeOff < 0) firstTakeOff = frame;
    if (e.kind == Fx::HeroPose && e.a == 48 && firstFlight < 0) firstFlight = frame;
  }
  ASSERT_EQ(hero.size(), 10u);
  EXPECT_EQ(pauses, 2000);
  EXPECT_EQ(firstTakeOff, 2);  // from f = 40
  EXPECT_EQ(firstFlight, 8);   // from f = 160
  EXPECT_EQ(hero[0], std::make_pair(0, 0));
  // Highest at f = 80 and 100: two cells above the ground line.
  EXPECT_EQ(hero[4].second, -63);
  EXPECT_EQ(hero[5].first, 36);
  EXPECT_EQ(hero[9], std::make_pair(64, 0));
}

TEST(JumpRules, SoundOfTakeOff) {
  struct Row { int distance; bool padBounce; int sound; } rows[] = {{1, false, 13}, {4, false, 13}, {5, false, 16}, {1, true, 18}};
  for (const Row& r : rows) {
    Board b = test::MakeBoard({"J@. . . . . . . . . "}, DirRight);
    b.padBounce = r.padBounce;
    Script s;
    Jump(b, s, r.distance);
    EXPECT_EQ(s.Items().front(), (Effect{Fx::Sound, static_cast<std::int16_t>(r.sound)})) << r.distance;
  }
}

TEST(JumpRules, DistanceTableAndShortening) {
  const int distances[] = {0, 1, 1, 2, 2, 3, 4, 5};
  for (int level = 0; level <= 7; ++level) EXPECT_EQ(JumpDistance(level), distances[level]);
  struct Row { int x, y, dir, d, want; } rows[] = {
      {7, 0, DirRight, 5, 2}, {2, 0, DirLeft, 5, 2}, {0, 6, DirDown, 4, 3}, {0, 1, DirUp, 1, 1}, {0, 0, DirUp, 3, 0}, {4, 4, DirRight, 5, 5}};
  for (const Row& r : rows) {
    Board b;
    b.heroX = static_cast<std::int16_t>(r.x);
    b.heroY = static_cast<std::int16_t>(r.y);
    b.heroDir = static_cast<std::int16_t>(r.dir);
    EXPECT_EQ(ShortenedJump(b, r.d), r.want) << r.x << "," << r.y << " dir " << r.dir;
  }
}

TEST(JumpRules, MeterOnlyOnPadAndDistanceZeroRefused) {
  Board b = test::MakeBoard({"J@. "}, DirRight);
  Script s;
  EXPECT_TRUE(StartMeterCommand(b, s));
  EXPECT_EQ(ReleaseJumpCommand(b, s, 0), 0);
  EXPECT_EQ(Describe(s), "Sound 14 | Sound 15");
  b.heroX = 1;
  Script t;
  EXPECT_FALSE(StartMeterCommand(b, t));
  EXPECT_EQ(Describe(t), "Sound 15");
}

TEST(JumpRules, TakeOffFromWrongFlowerRestoresIt) {
  Board b = test::MakeBoard({".@Jr. . . . "}, DirRight, 0);
  Script s;
  StepCommand(b, s, DirRight);  // onto the red flower lying on the pad
  ASSERT_TRUE(b.onFlower);
  Jump(b, s, 2);
  EXPECT_EQ(b.C(1, 0).kind, CharaKind::Red);
  EXPECT_EQ(b.C(3, 0), HeroChara);
  EXPECT_EQ(b.underState, (std::array<std::int16_t, 3>{}));
}

TEST(JumpRules, FlowerLandedOnComesBackOnTheNextStep) {
  Board b = test::MakeBoard({"J@. . .r. . "}, DirRight, 0);
  Script s;
  Jump(b, s, 3);
  EXPECT_TRUE(b.landedFlower);
  EXPECT_EQ(b.C(3, 0), HeroChara);
  StepCommand(b, s, DirRight);
  EXPECT_EQ(b.C(3, 0).kind, CharaKind::Red);
  EXPECT_EQ(b.C(4, 0), HeroChara);
}

}  // namespace
}  // namespace morvik

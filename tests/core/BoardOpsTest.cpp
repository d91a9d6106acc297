// The shared operations of the board: the cell in front, the hazard test, the spin-and-fall,
// the gates, counting taken items; and the walk frames and key commands built on them.
#include <gtest/gtest.h>

#include "core/BoardOps.h"
#include "core/KeyCommands.h"
#include "core/Walk.h"
#include "tests/core/Fixture.h"

namespace morvik {
namespace {

TEST(BoardOps, CellInFrontIsNotClamped) {
  Board b;
  b.heroX = 0, b.heroY = 9;
  b.heroDir = DirLeft;
  EXPECT_EQ(NextX(b), -1);
  EXPECT_TRUE(NextOffField(b));
  b.heroDir = DirDown;
  EXPECT_EQ(NextY(b), 10);
  EXPECT_TRUE(NextOffField(b));
  b.heroDir = DirUp;
  EXPECT_EQ(NextY(b), 8);
  EXPECT_FALSE(NextOffField(b));
}

TEST(BoardOps, HazardsAreWhirlsAndSpikesOnly) {
  for (int v = 0; v < 100; ++v) {
    const bool want = v == 25 || v == 26 || v == 56 || v == 57 || v == 29;
    EXPECT_EQ(IsHazard(static_cast<CellCode>(v)), want) << v;
  }
}

TEST(BoardOps, FallSpinTurnsClockwiseUntilFacingDown) {
  struct Row { int dir; std::string poses; } rows[] = {
      {DirLeft, "Pose 5 | Pose 6 | Pose 1 | Pose 8 | Pose 5 | Pose 6 | Pose 1"},
      {DirUp, "Pose 6 | Pose 1 | Pose 8 | Pose 5 | Pose 6 | Pose 1"},
      {DirRight, "Pose 1 | Pose 8 | Pose 5 | Pose 6 | Pose 1"},
      {DirDown, "Pose 8 | Pose 5 | Pose 6 | Pose 1"},
  };
  for (const Row& r : rows) {
    Board b;
    b.heroDir = static_cast<std::int16_t>(r.dir);
    Script s;
    FallSpin(b, s);
    EXPECT_EQ(Describe(s), r.poses + " | Sound 4 | Pose 41") << r.dir;
    int waited = 0;
    for (const Effect& e : s.Items()) waited += e.kind == Fx::Pause ? e.a : 0;
    EXPECT_EQ(waited, 150 * static_cast<int>(std::count(r.poses.begin(), r.poses.end(), '|')));
    EXPECT_EQ(b.heroDir, r.dir);
  }
}

TEST(BoardOps, OpenGatesPaintsEachGateAndSoundsOnce) {
  Board two = test::MakeBoard({"G . . . ", ". . . G "});
  Script s;
  OpenGates(two, s);
  EXPECT_EQ(Describe(s), "Paint 0,0=27 | Paint 3,1=27 | Sound 12");
  Board none = test::MakeBoard({". . . . "});
  Script t;
  OpenGates(none, t);
  EXPECT_EQ(Describe(t), "");
}

TEST(BoardOps, ItemTakenKeepsNextFlowerPicture) {
  // Two yellow, one red, one PX piece, yellow first.
  Board b = test::MakeBoard({".y.y.r.P"});
  struct Row { int kind; std::string effects; int first; } rows[] = {
      {0, "Taken 0 | Next 11", 1},
      {1, "Taken 1 | Next 10", 0},
      {0, "Taken 0 | Next 11 | Next 17", 1},  // both colours complete, the PX piece remains
      {2, "Taken 2 | End 2", 1},
  };
  for (const Row& r : rows) {
    Script s;
    ItemTaken(b, s, r.kind);
    EXPECT_EQ(Describe(s), r.effects);
    EXPECT_EQ(b.firstFlower, r.first);
  }
  EXPECT_EQ(b.outcome, Outcome::Clear);
}

TEST(Walk, FourFramesAQuarterCellEachThenResolve) {
  Board b = test::MakeBoard({".@. . "}, DirRight);
  b.stepKind = 1;
  Script s;
  Walk(b, s);
  EXPECT_EQ(Describe(s, true),
            "NudgeHero 8,0 | Pose 6 | Yield | Pause 60 | NudgeHero 8,0 | Pose 18 | Yield | Pause 60 | "
            "NudgeHero 8,0 | Pose 7 | Yield | Pause 60 | NudgeHero 8,0 | Pose 6 | "
            "Sound 0 | Answer 1,0/0 | Yield | Pose 18");
}

TEST(Walk, PushedStoneMovesWithTheHero) {
  Board b = test::MakeBoard({". .S.@"}, DirLeft);
  Script s;
  StepCommand(b, s, DirLeft);
  EXPECT_EQ(b.stepKind, 4);
  EXPECT_EQ(Describe(s),
            "Sound 1 | Nudge S0 -8,0 | NudgeHero -8,0 | Pose 8 | Nudge S0 -8,0 | NudgeHero -8,0 | Pose 19 | "
            "Nudge S0 -8,0 | NudgeHero -8,0 | Pose 9 | Nudge S0 -8,0 | NudgeHero -8,0 | Pose 8 | Answer 1,0/0 | Pose 19");
}

TEST(Walk, FatalStepShowsAllFramesAndNoStandingPose) {
  Board b = test::MakeBoard({".@w "}, DirRight);
  Script s;
  StepCommand(b, s, DirRight);
  const std::string d = Describe(s);
  EXPECT_EQ(d.substr(0, d.find(" | Sound 3")), "NudgeHero 8,0 | Pose 6 | NudgeHero 8,0 | Pose 18 | NudgeHero 8,0 | Pose 7 | NudgeHero 8,0 | Pose 6");
  EXPECT_EQ(s.Items().back(), (Effect{Fx::StageEnd, 1}));
}

TEST(KeyCommands, KeyTable) {
  // The move a key plays, "X" for the jump meter, "" for nothing.
  struct Row { int key, mods; const char* want; } rows[] = {
      {vk::Left, 0, "L"},  {vk::Pad4, 0, "L"}, {vk::Up, 0, "U"},     {vk::Pad8, 0, "U"},
      {vk::Right, 0, "R"}, {vk::Pad6, 0, "R"}, {vk::Down, 0, "D"},   {vk::Pad2, 0, "D"},
      {vk::Delete, 0, "G"}, {vk::X, 0, "X"},   {vk::Z, 0, "Z"},      {vk::Shift, ModShift, "T"},
      {vk::Left, ModShift, "T"}, {vk::X, ModShift, "T"}, {vk::Left, ModCtrl, "L"},
      {vk::Z, ModAlt | ModCtrl, "Z"}, {vk::Left, ModShift | ModCtrl, "L"},
      {'A', 0, ""},        {vk::Shift, ModShift | ModAlt, ""},
  };
  for (const Row& r : rows) {
    const KeyCommand c = CommandForKey(r.key, r.mods);
    const std::string got = c.use == KeyCommand::Play ? MoveText(c.move) : c.use == KeyCommand::Meter ? "X" : "";
    EXPECT_EQ(got, r.want) << r.key << "/" << r.mods;
  }
}

TEST(KeyCommands, BlockedDirectionKeyOnlyTurnsTheFacing) {
  Board b = test::MakeBoard({". . . . . . . . . .@"}, DirDown);
  const Board before = b;
  Script s;
  StepCommand(b, s, DirRight);
  EXPECT_TRUE(s.Empty());
  EXPECT_EQ(b.heroDir, DirRight);
  b.heroDir = before.heroDir;
  EXPECT_EQ(b, before);
}

TEST(KeyCommands, TurnGoesClockwise) {
  Board b;
  b.heroDir = DirDown;
  Script s;
  TurnCommand(b, s);
  EXPECT_EQ(b.heroDir, DirLeft);
  TurnCommand(b, s);
  EXPECT_EQ(b.heroDir, DirUp);
  EXPECT_EQ(Describe(s), "Sound 7 | Pose 19 | Sound 7 | Pose 3");
}

TEST(KeyCommands, Dig) {
  struct Row { const char* name; std::string row; int dir; std::string effects; std::string after; } rows[] = {
      {"LightGround", ".@. ", DirRight, "Sound 5 | Paint 1,0=13 | AnswerDig 1,0", "o "},
      {"Grass", ".@, ", DirRight, "Sound 5 | Paint 1,0=14 | AnswerDig 1,0", "O "},
      {"Sand", ".@: ", DirRight, "Sound 6", ": "},
      {"Snow", ".@' ", DirRight, "Sound 6", "' "},
      {"Flower", ".@.y", DirRight, "Sound 6", ".y"},
      {"Stone", ".@.S", DirRight, "Sound 6", ".S"},
      {"ExistingHole", ".@o ", DirRight, "Sound 6", "o "},
      {"Border", ".@. ", DirLeft, "Sound 6", ". "},
  };
  for (const Row& r : rows) {
    Board b = test::MakeBoard({r.row}, r.dir);
    Script s;
    DigCommand(b, s);
    EXPECT_EQ(Describe(s), r.effects) << r.name;
    EXPECT_EQ(test::PictureRows(b, 1)[0].substr(2, 2), r.after) << r.name;
    EXPECT_EQ(b.C(1, 0) == HoleMark, IsHole(b.T(1, 0))) << r.name << ": a hole is marked empty";
  }
  // A dug grass hole takes a stone pushed into it.
  Board b = test::MakeBoard({".@, ", ". .S", ". . "}, DirRight);
  Script s;
  DigCommand(b, s);
  for (int dir : {DirDown, DirDown, DirRight, DirUp}) StepCommand(b, s, dir);
  EXPECT_EQ(b.T(1, 0), cell::FilledGrass);
  EXPECT_EQ(b.C(1, 0), NoChara);
  EXPECT_EQ(b.C(1, 1), HeroChara);
}

}  // namespace
}  // namespace morvik

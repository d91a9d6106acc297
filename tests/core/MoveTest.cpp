// The move notation and playing a move: every move's text both ways, the refusals with their
// positions, and each move played on a small board through the key commands.
#include <gtest/gtest.h>

#include "core/Move.h"
#include "tests/core/Fixture.h"

namespace morvik {
namespace {

TEST(Move, EveryMoveReadsBackFromItsText) {
  const char* texts[MoveCount] = {"L", "U", "R", "D", "T", "Z", "J1", "J2", "J3", "J4", "J5", "G"};
  std::vector<Move> all;
  for (int i = 0; i < MoveCount; ++i) {
    const Move m = static_cast<Move>(i);
    EXPECT_EQ(MoveText(m), texts[i]);
    all.push_back(m);
  }
  std::string error;
  EXPECT_EQ(ParseMoves(MovesText(all), error), all) << error;
  EXPECT_EQ(ParseMoves("LU, R\tD\r\nT Z G J1J5", error), ParseMoves("LURDTZGJ1J5", error));
  EXPECT_EQ(ParseMoves("", error), std::vector<Move>{});
}

TEST(Move, RefusalsNameThePosition) {
  struct Row { const char* text; const char* error; } rows[] = {
      {"RRX", "unknown move 'X' at position 3"},
      {"l", "unknown move 'l' at position 1"},
      {"R J6", "jump at position 3 needs a distance 1 to 5 (J1 to J5)"},
      {"RJ", "jump at position 2 needs a distance 1 to 5 (J1 to J5)"},
      {"J0", "jump at position 1 needs a distance 1 to 5 (J1 to J5)"},
  };
  for (const Row& r : rows) {
    std::string error;
    EXPECT_FALSE(ParseMoves(r.text, error)) << r.text;
    EXPECT_EQ(error, r.error) << r.text;
  }
}

TEST(Move, SearchTriesEveryMoveButGivingUp) {
  EXPECT_EQ(SearchMoveCount, MoveCount - 1);
  EXPECT_EQ(static_cast<Move>(SearchMoveCount), Move::GiveUp);
  for (int d = 1; d <= 5; ++d) {
    EXPECT_TRUE(IsJump(JumpMove(d)));
    EXPECT_EQ(JumpDistanceOf(JumpMove(d)), d);
  }
  EXPECT_FALSE(IsJump(Move::GiveUp));
  EXPECT_FALSE(IsJump(Move::Dig));
}

// The hero at (1, 1) facing right, a jump pad under it, free light ground around.
TEST(Move, EachMovePlaysItsKeyCommand) {
  struct Row { Move move; int heroX, heroY, dir; Outcome outcome; bool dug; } rows[] = {
      {Move::Left, 0, 1, DirLeft, Outcome::None, false},   {Move::Up, 1, 0, DirUp, Outcome::None, false},
      {Move::Right, 2, 1, DirRight, Outcome::None, false}, {Move::Down, 1, 2, DirDown, Outcome::None, false},
      {Move::Turn, 1, 1, DirDown, Outcome::None, false},   {Move::Dig, 1, 1, DirRight, Outcome::None, true},
      {Move::Jump1, 2, 1, DirRight, Outcome::None, false}, {Move::Jump3, 4, 1, DirRight, Outcome::None, false},
      {Move::Jump5, 6, 1, DirRight, Outcome::None, false}, {Move::GiveUp, 1, 1, DirRight, Outcome::GiveUp, false},
  };
  for (const Row& r : rows) {
    Board b = test::MakeBoard({". . . . . . . . ", ". J@. . . . . . ", ". . . . . . . . "}, DirRight);
    Script s(false);
    ApplyMove(b, s, r.move);
    EXPECT_EQ(b.heroX, r.heroX) << MoveText(r.move);
    EXPECT_EQ(b.heroY, r.heroY) << MoveText(r.move);
    EXPECT_EQ(b.heroDir, r.dir) << MoveText(r.move);
    EXPECT_EQ(b.outcome, r.outcome) << MoveText(r.move);
    EXPECT_EQ(IsHole(b.T(2, 1)), r.dug) << MoveText(r.move);
  }
}

TEST(Move, JumpOffAPadIsRefusedAndPlayingStopsAtTheEnd) {
  Board b = test::MakeBoard({".@. . .y"}, DirRight);
  const Board start = b;
  Script s(false);
  ApplyMove(b, s, Move::Jump2);
  EXPECT_EQ(b, start);  // no pad under the hero
  EXPECT_EQ(PlayMoves(b, {Move::Right, Move::Right, Move::Right, Move::Left, Move::Left}), 3);
  EXPECT_EQ(b.outcome, Outcome::Clear);
  EXPECT_EQ(b.heroX, 3);
}

}  // namespace
}  // namespace morvik

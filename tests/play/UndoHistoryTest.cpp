// Undo and redo on the pure rules: a line of presses with undo ('<') and redo ('>') marks
// ends on the same board as the line without the presses taken back, also across a miss.
#include <gtest/gtest.h>

#include "core/KeyCommands.h"
#include "play/UndoHistory.h"
#include "tests/core/Fixture.h"

namespace morvik {
namespace {

// Hero at (0, 0) facing down, a stone to push right into the water at (3, 0), a whirl at
// (1, 1) that misses the stage, a yellow flower at (0, 3) and a red one at (2, 3).
Board Start() { return test::MakeBoard({".@.S. ~ . ", ". w . . . ", ". . . . . ", ".y. .r. . "}, DirDown); }

void Press(Board& b, char key) {
  std::string error;
  const auto moves = ParseMoves(std::string(1, key), error);
  ASSERT_TRUE(moves) << error;
  Script s(false);
  ApplyMove(b, s, moves->front());
}

// Plays a line as the play screen keeps it: presses that change the board are recorded, a
// miss starts the attempt again with the line before the fatal press kept.
Board PlayLine(const std::string& line) {
  const Board start = Start();
  Board b = start;
  UndoHistory<Board> h;
  h.Start(b);
  for (char key : line) {
    if (key == '<' || key == '>') {
      if (const Board* back = key == '<' ? h.Undo() : h.Redo()) b = *back;
      continue;
    }
    const Board before = b;
    Press(b, key);
    if (b.outcome == Outcome::Miss) {
      b = start;
      h.StartAfterMiss(b);
    } else if (!(b == before)) {
      h.Record(b);
    }
  }
  EXPECT_EQ(*h.Current(), b) << line;
  return b;
}

Board PlayPlain(const std::string& line) {
  Board b = Start();
  for (char key : line) Press(b, key);
  EXPECT_FALSE(b.Ended()) << line;
  return b;
}

TEST(UndoHistory, LineWithUndoEndsWhereTheLineWithoutTheUndonePresses) {
  struct Row { const char* withUndo; const char* plain; } rows[] = {
      {"RR<", "R"},            // the stone comes back out of the water
      {"RR<<", ""},
      {"RR<<<<", ""},          // nothing before the start
      {"RR<<>", "R"},
      {"RR<<>>", "RR"},
      {"RR<<>>>", "RR"},       // nothing after the last press
      {"RR<T>", "RT"},         // a new press forgets what was undone
      {"RTTZ<", "RTT"},        // the dug hole is ground again
      {"RLLL<", "R"},          // presses that changed nothing are not on the line
      {"RD<", "R"},            // the first undo after a miss: before the fatal press
      {"RD<<", ""},
      {"RD<>", "R"},           // the fatal press is not redone
      {"RDR<", ""},            // a press after the miss starts a new line
      {"RDRR<<D<", ""},        // the miss's line is gone once the new attempt moved
      {"DDRR<<D<<", "D"},
  };
  for (const Row& r : rows) EXPECT_EQ(PlayLine(r.withUndo), PlayPlain(r.plain)) << r.withUndo;
}

TEST(UndoHistory, PressesCountTheLineAndAClearClosesIt) {
  UndoHistory<int> h;
  h.Start(0);
  h.Record(1);
  h.Record(2);
  EXPECT_EQ(h.Presses(), 2);
  h.Undo();
  EXPECT_EQ(h.Presses(), 1);
  EXPECT_TRUE(h.CanRedo());
  h.StartAfterMiss(0);
  EXPECT_EQ(h.Presses(), 0);
  EXPECT_FALSE(h.CanRedo());
  ASSERT_NE(h.Undo(), nullptr);
  EXPECT_EQ(h.Presses(), 1) << "the line before the miss";
  h.Close();
  EXPECT_FALSE(h.CanUndo());
  EXPECT_FALSE(h.CanRedo());
  EXPECT_EQ(h.Undo(), nullptr);
  h.Record(5);
  EXPECT_EQ(h.Current(), nullptr) << "nothing joins a closed line";
}

}  // namespace
}  // namespace morvik

// Undo and redo on the play screen, on virtual time with real key events: the field and the
// next-flower box come back exactly, a miss can be taken back, a test play records only the
// line that cleared, and keys that are off leave the line alone.
#include <gtest/gtest.h>

#include "tests/play/PlayFixture.h"

namespace morvik {
namespace {

using test::PlayFixture;
using test::StageBlock;

// Hero at (0, 0), a stone at (1, 0) with water two cells right of it, a whirl at (1, 1),
// grass on row 2, a yellow flower at (0, 3) and a red one at (2, 3).
std::string Map() {
  std::string t;
  for (int n : {0, 1}) t += StageBlock(n, {".@.S. ~ ", ". w ", ", , , , , , , , , , ", ".y. .r"});
  return t;
}

void Play(PlayFixture& p, const std::string& keys) {
  for (char k : keys) {
    switch (k) {
      case 'L': p.Key(Qt::Key_Left); break;
      case 'U': p.Key(Qt::Key_Up); break;
      case 'R': p.Key(Qt::Key_Right); break;
      case 'D': p.Key(Qt::Key_Down); break;
      case 'Z': p.Key(Qt::Key_Z); break;
      case 'T': p.Key(Qt::Key_Shift, Qt::ShiftModifier); break;
      case '<': p.Key(Qt::Key_Z, Qt::ControlModifier); break;
      case 'b': p.Key(Qt::Key_Backspace); break;
      case '>': p.Key(Qt::Key_Y, Qt::ControlModifier); break;
      default: ADD_FAILURE() << "no key " << k;
    }
    p.Advance(1000);
  }
}

struct Started {
  explicit Started(bool testPlay = false) : p(Map()) {
    p.pictures.LoadFrom(QStringLiteral(MORVIK_PROGRAM_DIR "/pictures"));
    p.game.testPlay = testPlay;
    p.Start(testPlay ? 0 : 1);
  }
  PlayFixture p;
};

TEST(UndoScreen, FieldAndNextBoxAfterUndoAreThoseOfAFreshPlay) {
  struct Row { const char* withUndo; const char* fresh; } rows[] = {
      {"RRDDLLDT<", "RRDDLLD"},       // the turn is taken back: the hero's pose too
      {"RRDDLLDZ<", "RRDDLLD"},       // the dug hole is ground again
      {"RRDDLLD<<<<<", "RR"},         // the flower and the next box come back
      {"RRDDLLD<<<<<<<", ""},         // the stone comes back out of the water
      {"RRDDLLD<<<<<<<>b>>", "RR"},   // Backspace undoes too
  };
  for (const Row& r : rows) {
    Started undone, fresh;
    Play(undone.p, r.withUndo);
    Play(fresh.p, r.fresh);
    EXPECT_EQ(undone.p.game.board, fresh.p.game.board) << r.withUndo;
    EXPECT_EQ(undone.p.form->NextPicture(), fresh.p.form->NextPicture()) << r.withUndo;
    EXPECT_EQ(undone.p.form->Presses(), fresh.p.form->Presses()) << r.withUndo;
    EXPECT_TRUE(undone.p.form->GrabField() == fresh.p.form->GrabField()) << r.withUndo;
  }
}

TEST(UndoScreen, TheFirstUndoAfterAMissGoesOnBeforeTheFatalPress) {
  Started s;
  PlayFixture& p = s.p;
  Play(p, "RD");  // onto the whirl
  EXPECT_EQ(p.game.board.outcome, Outcome::Miss);
  p.sound.EndJingle();
  p.Advance(2000);  // the stage starts again and opens
  ASSERT_TRUE(p.form->StageActive());
  EXPECT_EQ(p.game.board.heroX, 0);
  EXPECT_TRUE(p.form->CanUndo());
  Play(p, "<");
  EXPECT_EQ(p.game.board.heroX, 1);
  EXPECT_EQ(p.game.board.heroY, 0);
  EXPECT_EQ(p.form->Presses(), 1);
  Started fresh;
  Play(fresh.p, "R");
  EXPECT_TRUE(p.form->GrabField() == fresh.p.form->GrabField());
}

TEST(UndoScreen, TestPlayRecordsTheLineThatCleared) {
  Started s(true);
  PlayFixture& p = s.p;
  p.messages.answers = {MsgResult::No};
  Play(p, "RD");  // a miss
  p.sound.EndJingle();
  p.Advance(2000);
  Play(p, "<L");       // back to (1, 0), then home
  Play(p, "DDR<");     // a step taken back
  Play(p, "DRR");      // the yellow flower, then the red one: clear
  EXPECT_EQ(p.game.board.outcome, Outcome::Clear);
  EXPECT_EQ(p.game.ansData, "010\r\n000\r\n001\r\n002\r\n003\r\n013\r\n023\r\n");
  EXPECT_FALSE(p.form->CanUndo()) << "the clear stands";
}

TEST(UndoScreen, AnUndoDuringAWalkIsMadeWhenTheWalkEnds) {
  Started s;
  PlayFixture& p = s.p;
  Play(p, "R");
  p.Key(Qt::Key_Left);
  ASSERT_TRUE(p.form->Playing());
  p.Key(Qt::Key_Z, Qt::ControlModifier);  // during the walk: kept, not lost
  p.Key(Qt::Key_Z, Qt::ControlModifier);  // one undo is kept, not two
  EXPECT_EQ(p.form->Presses(), 1) << "nothing is undone while the walk is shown";
  p.Advance(1000);
  EXPECT_EQ(p.form->Presses(), 1);
  EXPECT_EQ(p.game.board.heroX, 1) << "the step left was taken back";
  Play(p, "<");
  EXPECT_EQ(p.game.board.heroX, 0);
  EXPECT_EQ(p.form->Presses(), 0);
  EXPECT_FALSE(p.form->CanUndo());
}

}  // namespace
}  // namespace morvik

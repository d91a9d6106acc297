// Undo and redo of the editor's drawing: every kind of edit is taken back to the very same
// stage block and brought back again, counters and start position included.
#include <gtest/gtest.h>

#include <functional>

#include "editor/EditModel.h"

namespace morvik {
namespace {

void Tool(EditModel& m, Piece p) { m.PaletteClick(static_cast<int>(p)); }

TEST(EditHistory, EachKindOfEditUndoesAndRedoesToTheSameBlock) {
  EditModel m;
  struct Edit {
    const char* what;
    std::function<void(EditModel&)> run;
  };
  const std::vector<Edit> edits = {
      {"terrain placed", [](EditModel& e) { e.PaletteClick(cell::Water); e.MouseDown(34, MouseButton::Left, 0); }},
      {"hero placed", [](EditModel& e) { Tool(e, Piece::Hero); e.MouseDown(11, MouseButton::Right, 0); }},
      {"stone placed", [](EditModel& e) { Tool(e, Piece::Stone); e.MouseDown(45, MouseButton::Right, 0); }},
      {"hero moved onto the stone", [](EditModel& e) { Tool(e, Piece::Hero); e.MouseDown(45, MouseButton::Right, 0); }},
      {"flower placed", [](EditModel& e) { Tool(e, Piece::Yellow); e.MouseDown(50, MouseButton::Right, CtrlBit); }},
      {"fill", [](EditModel& e) { e.PaletteClick(cell::Sand); e.MouseDown(0, MouseButton::Left, ShiftBit); }},
      {"flower erased", [](EditModel& e) { Tool(e, Piece::None); e.MouseDown(50, MouseButton::Right, 0); }},
      {"first flower", [](EditModel& e) { e.SetFirstFlower(1); }},
      {"music", [](EditModel& e) { e.SetMusic(4); }},
  };
  std::vector<std::string> blocks{WriteStageBlock(m.Stage(), 0)};
  std::vector<int> heroes{m.HeroPos()}, stones{m.Count(Piece::Stone)};
  for (const Edit& e : edits) {
    e.run(m);
    blocks.push_back(WriteStageBlock(m.Stage(), 0));
    heroes.push_back(m.HeroPos());
    stones.push_back(m.Count(Piece::Stone));
    EXPECT_NE(blocks.back(), blocks[blocks.size() - 2]) << e.what << " changed nothing: the fixture is wrong";
  }
  m.Renewal(false);
  for (std::size_t i = edits.size(); i-- > 0;) {
    ASSERT_TRUE(m.Undo()) << edits[i].what;
    EXPECT_EQ(WriteStageBlock(m.Stage(), 0), blocks[i]) << "undo of " << edits[i].what;
    EXPECT_EQ(m.HeroPos(), heroes[i]) << edits[i].what;
    EXPECT_EQ(m.Count(Piece::Stone), stones[i]) << edits[i].what;
    EXPECT_TRUE(m.Modified());
  }
  EXPECT_FALSE(m.Undo());
  for (std::size_t i = 0; i < edits.size(); ++i) {
    ASSERT_TRUE(m.Redo()) << edits[i].what;
    EXPECT_EQ(WriteStageBlock(m.Stage(), 0), blocks[i + 1]) << "redo of " << edits[i].what;
    EXPECT_EQ(m.HeroPos(), heroes[i + 1]);
    EXPECT_EQ(m.Count(Piece::Stone), stones[i + 1]);
  }
  EXPECT_FALSE(m.Redo());
}

TEST(EditHistory, OnlyChangesAreRecordedAndANewEditDropsTheRedo) {
  EditModel m;
  Tool(m, Piece::None);
  m.MouseDown(3, MouseButton::Right, 0);        // erasing an empty cell
  m.MouseDown(3, MouseButton::Other, 0);        // a middle press
  m.MouseDown(3, MouseButton::Right, ShiftBit);  // refused with a beep
  m.SetMusic(m.Stage().music);
  EXPECT_FALSE(m.CanUndo()) << "presses that change nothing are no edits";

  Tool(m, Piece::Stone);
  m.MouseDown(3, MouseButton::Right, 0);
  m.MouseDown(4, MouseButton::Right, 0);
  ASSERT_TRUE(m.Undo());
  EXPECT_TRUE(m.CanRedo());
  m.MouseDown(5, MouseButton::Right, 0);
  EXPECT_FALSE(m.CanRedo()) << "a new edit after an undo drops what could be redone";
  EXPECT_EQ(m.Stage().pieces[4], Piece::None);
  EXPECT_EQ(m.Count(Piece::Stone), 2);

  // Loading or starting a new stage forgets the edits of the one before.
  m.Adopt(m.Stage());
  EXPECT_FALSE(m.CanUndo());
  EXPECT_FALSE(m.Modified());
}

}  // namespace
}  // namespace morvik

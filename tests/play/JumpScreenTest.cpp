// The jump meter and the jump on the play screen, on virtual time with real key events.
#include <gtest/gtest.h>

#include <QAction>

#include "core/JumpRules.h"
#include "tests/play/PlayFixture.h"
#include "tests/support/WindowKeys.h"

namespace morvik {
namespace {

using test::PlayFixture;
using test::StageBlock;

// The hero on a jump pad at (2, 0), facing down after the opening; a yellow flower far away.
std::string PadStage() {
  return StageBlock(1, {". . J@", "", "", "", "", "", "", "", "", ". . . . . . . . . .y"});
}

int Segments(const QImage& meter) {
  int filled = 0;
  for (int level = 1; level <= 7; ++level) {
    const QColor c = meter.pixelColor((level - 1) * meter.width() / 7 + 2, meter.height() / 2);
    if (c != Qt::white) {
      EXPECT_EQ(c.rgb() & 0xFFFFFF, CgaRgb(MeterColourNumber(level))) << level;
      ++filled;
    }
  }
  return filled;
}

TEST(JumpScreen, MeterFillsALevelEveryThreeHundredTwentyMsThenOverflows) {
  PlayFixture p(PadStage());
  p.Start(1);
  p.Key(Qt::Key_X);
  ASSERT_TRUE(p.form->Meter().Running());
  EXPECT_EQ(p.sound.effects, std::vector<int>{14});
  p.Advance(19);
  EXPECT_EQ(Segments(p.form->Meter().Image()), 0);
  for (int level = 1; level <= 7; ++level) {
    p.Advance(level == 1 ? 1 : 320);
    EXPECT_EQ(p.form->Meter().Level(), level);
    EXPECT_EQ(Segments(p.form->Meter().Image()), level);
  }
  p.Advance(319);
  EXPECT_TRUE(p.form->Meter().Running());
  p.Advance(1);  // about 2.26 s after the start the charge is lost
  EXPECT_FALSE(p.form->Meter().Running());
  EXPECT_EQ(p.sound.effects.back(), 15);
  EXPECT_EQ(Segments(p.form->Meter().Image()), 0);
  EXPECT_EQ(p.game.board.heroY, 0);
}

TEST(JumpScreen, XOffAPadOnlyRefuses) {
  PlayFixture p(StageBlock(1, {". . .@", "", "", "", "", "", "", "", "", ". . . . . . . . . .y"}));
  p.Start(1);
  p.Key(Qt::Key_X);
  p.Advance(100);
  EXPECT_FALSE(p.form->Meter().Running());
  EXPECT_EQ(p.sound.effects, std::vector<int>{15});
}

TEST(JumpScreen, SecondXAtLevelZeroGivesNoJump) {
  PlayFixture p(PadStage());
  p.Start(1);
  p.Key(Qt::Key_X);
  p.Key(Qt::Key_X);
  p.Advance(3000);
  EXPECT_FALSE(p.form->Meter().Running());
  EXPECT_EQ(p.sound.effects, (std::vector<int>{14, 15}));
  EXPECT_EQ(p.game.board.heroY, 0);
}

TEST(JumpScreen, KeyPressedDuringALevelsPauseActsAfterIt) {
  PlayFixture p(PadStage());
  p.Start(1);
  p.Key(Qt::Key_X);
  p.Advance(20 + 320 * 2 + 100);  // level 3 drawn 100 ms ago: distance 2
  p.Key(Qt::Key_X);
  EXPECT_FALSE(p.form->Meter().Releasing()) << "held until the pause ends";
  p.Advance(200);
  EXPECT_TRUE(p.form->Meter().Releasing());
  EXPECT_EQ(p.game.board.heroY, 2);
  EXPECT_EQ(p.sound.effects.back(), 13);
  // The flight takes two seconds; then the landing, and the meter is cleared.
  p.Advance(2000);
  EXPECT_FALSE(p.form->Meter().Releasing());
  EXPECT_EQ(p.form->Scene().hero.pos, QPoint(64, 64));
  EXPECT_EQ(Segments(p.form->Meter().Image()), 0);
  EXPECT_TRUE(p.form->KeyPreview());
}

TEST(JumpScreen, OtherKeyWhileTheMeterRunsCancelsIt) {
  PlayFixture p(PadStage());
  p.Start(1);
  p.Key(Qt::Key_X);
  p.Advance(400);
  p.Key(Qt::Key_Down);
  p.Advance(1000);
  EXPECT_FALSE(p.form->Meter().Running());
  EXPECT_EQ(p.game.board.heroY, 0) << "the direction key does not walk";
  EXPECT_EQ(p.sound.effects.back(), 15);
}

// Delete, typed as the window system delivers it, is a key like the others while the meter
// runs: it cancels the meter, and the stage goes on.
TEST(JumpScreen, DeleteWhileTheMeterRunsCancelsItWithoutGivingUp) {
  PlayFixture p(PadStage());
  p.Start(1);
  p.Key(Qt::Key_X);
  p.Advance(400);
  test::TypeIntoWindow(p.form.get(), Qt::Key_Delete);
  p.Advance(400);  // past the level's pause, which holds the key back
  EXPECT_FALSE(p.form->Meter().Running());
  EXPECT_EQ(p.sound.effects.back(), 15);
  EXPECT_FALSE(p.form->Scene().message.visible);
  EXPECT_TRUE(p.form->StageActive());
  test::TypeIntoWindow(p.form.get(), Qt::Key_Delete);  // with the meter idle it gives up
  EXPECT_EQ(p.form->Scene().message.text, "GIVE UP!");
}

TEST(JumpScreen, TheEndOfTheStageStopsTheMeter) {
  PlayFixture p(PadStage());
  p.Start(1);
  p.Key(Qt::Key_X);
  p.Advance(400);
  QAction* giveUp = nullptr;
  for (QAction* a : p.form->findChildren<QAction*>())
    if (a->text() == "ギブアップ") giveUp = a;
  ASSERT_NE(giveUp, nullptr);
  giveUp->trigger();  // chosen with the mouse
  EXPECT_FALSE(p.form->Meter().Running());
  const std::vector<int> heard = p.sound.effects;
  p.Advance(3000);  // longer than the meter could have run
  EXPECT_EQ(p.sound.effects, heard) << "no refusal sound under the announcement";
  EXPECT_EQ(Segments(p.form->Meter().Image()), 0);
}

TEST(JumpScreen, JumpIntoWaterMissesAndRestarts) {
  PlayFixture p(StageBlock(1, {". . J@", "", ". . ~ ", "", "", "", "", "", "", ". . . . . . . . . .y"}));
  p.Start(1);
  p.Key(Qt::Key_X);
  p.Advance(20 + 320 * 2 + 300);
  p.Key(Qt::Key_X);  // level 3: two cells down, into the water
  p.Advance(2500);
  EXPECT_EQ(p.form->Scene().message.text, "MISS !");
  EXPECT_EQ(p.form->Scene().hero.picture, 16);
  p.sound.EndJingle();
  p.Advance(2000);
  EXPECT_TRUE(p.form->StageActive());
  EXPECT_FALSE(p.form->Meter().Running());
  EXPECT_EQ(p.game.board.heroY, 0);
}

}  // namespace
}  // namespace morvik

// The play screen on virtual time, driven by real key events: the opening, walking, keys
// during a walk, outcomes and what follows them.
#include <gtest/gtest.h>

#include "core/Pictures.h"
#include "tests/play/PlayFixture.h"

namespace morvik {
namespace {

using test::PlayFixture;
using test::StageBlock;

// Stage 1: the hero at (0, 0), a yellow flower two cells right, water below it.
// Stage 2: a plain field. Stage 30: one flower next to the hero.
std::string Map() {
  return StageBlock(1, {".@. : .y", "~ "}, 0, 2) +
         StageBlock(2, {"", "", "", "", "", ". . . . . .@"}) +
         StageBlock(30, {".@.y"});
}

TEST(FormMain, OpeningFadesTheCaptionInThenShowsTheCharacters) {
  PlayFixture p(Map());
  p.Start(1, false);
  const FieldScene& s = p.form->Scene();
  EXPECT_TRUE(s.black.visible);
  EXPECT_EQ(s.stageMessage.text, "STAGE 1");
  EXPECT_FALSE(s.hero.visible);
  EXPECT_FALSE(s.yellows[0].visible);
  for (int tick = 1; tick <= 8; ++tick) {
    p.Advance(200);
    const int grey = std::min(32 * tick, 255);
    EXPECT_EQ(s.stageMessage.text_colour, QColor(grey, grey, grey)) << tick;
    EXPECT_FALSE(p.form->StageActive());
    p.Key(Qt::Key_Right);  // no key acts before the opening has ended
  }
  EXPECT_EQ(p.game.board.heroX, 0);
  p.Advance(200);
  EXPECT_FALSE(s.black.visible);
  EXPECT_FALSE(s.stageMessage.visible);
  EXPECT_TRUE(s.hero.visible);
  EXPECT_TRUE(s.yellows[0].visible);
  EXPECT_FALSE(s.yellows[1].visible);
  EXPECT_EQ(s.hero.picture, pic::Standing(DirDown));
  EXPECT_TRUE(p.form->StageActive());
  EXPECT_TRUE(p.form->KeyPreview());
  EXPECT_EQ(p.sound.music, std::vector<int>{2});
}

TEST(FormMain, OpeningCaptions) {
  struct Row { int stage; bool unit; const char* caption; } rows[] = {{1, false, "STAGE 1"}, {30, false, "STAGE 30"}, {0, true, "SPECIAL"}};
  for (const Row& r : rows) {
    PlayFixture p(Map());
    p.game.unitPlay = r.unit;
    p.Start(r.stage, false);
    EXPECT_EQ(p.form->Scene().stageMessage.text, r.caption);
  }
}

TEST(FormMain, StepShowsFourFramesThenResolves) {
  PlayFixture p(Map());
  p.Start(1);
  const Sprite& hero = p.form->Scene().hero;
  p.Key(Qt::Key_Right);
  const int poses[] = {6, 18, 7};
  for (int frame = 0; frame < 3; ++frame) {
    EXPECT_EQ(hero.pos, QPoint(8 * (frame + 1), 0)) << frame;
    EXPECT_EQ(hero.picture, poses[frame]) << frame;
    p.Advance(60);
  }
  EXPECT_EQ(hero.pos, QPoint(32, 0));
  EXPECT_EQ(hero.picture, pic::Standing(DirRight));
  EXPECT_EQ(p.game.board.heroX, 1);
  EXPECT_EQ(p.sound.effects, std::vector<int>{0});
  EXPECT_TRUE(p.form->KeyPreview());
}

TEST(FormMain, KeysDuringAWalkAreDropped) {
  PlayFixture p(Map());
  p.Start(1);
  p.Key(Qt::Key_Down);  // water below: the facing changes, nothing walks
  EXPECT_FALSE(p.form->Playing());
  p.Key(Qt::Key_Right);
  p.Advance(30);
  p.Key(Qt::Key_Right);
  p.Key(Qt::Key_Left);
  p.Advance(1000);
  EXPECT_EQ(p.game.board.heroX, 1);
  EXPECT_EQ(p.game.board.heroDir, DirRight);
}

TEST(FormMain, ShiftTurnsAndKeypadWalks) {
  PlayFixture p(Map());
  p.Start(1);
  p.Key(Qt::Key_Shift);  // as the window system sends it: no modifier yet
  EXPECT_EQ(p.game.board.heroDir, DirLeft);
  EXPECT_EQ(p.form->Scene().hero.picture, pic::Standing(DirLeft));
  p.Key(Qt::Key_Right, Qt::ShiftModifier);  // Shift with an arrow only turns
  EXPECT_EQ(p.game.board.heroDir, DirUp);
  p.Advance(500);
  EXPECT_EQ(p.game.board.heroX, 0);
  p.Key(Qt::Key_6, Qt::KeypadModifier);
  p.Advance(500);
  EXPECT_EQ(p.game.board.heroX, 1);
  p.Key(Qt::Key_Right, Qt::ControlModifier);  // Ctrl changes nothing
  p.Advance(500);
  EXPECT_EQ(p.game.board.heroX, 2);
}

TEST(FormMain, TakingAFlowerUpdatesNextPicture) {
  PlayFixture p(StageBlock(1, {".@.y. .r. .y"}) + StageBlock(2, {"", "", "", "", "", ". . . . . .@"}));
  p.Start(1);
  EXPECT_EQ(p.form->NextPicture(), pic::YellowFlower);
  p.Key(Qt::Key_Right);
  p.Advance(500);
  EXPECT_EQ(p.form->NextPicture(), pic::RedFlower);
  EXPECT_FALSE(p.form->Scene().yellows[0].visible);
  p.Key(Qt::Key_Right);
  p.Advance(500);
  p.Key(Qt::Key_Right);
  p.Advance(500);
  EXPECT_EQ(p.form->NextPicture(), pic::YellowFlower);
}

struct OutcomeRow {
  const char* name;
  std::function<void(PlayFixture&)> act;
  const char* caption;
  QColor background, text;
  int jingle;
  int stageAfter;
};

TEST(FormMain, OutcomesAnnounceAndContinue) {
  const OutcomeRow rows[] = {
      {"GiveUp", [](PlayFixture& p) { p.Key(Qt::Key_Delete); }, "GIVE UP!", QColor(255, 255, 192), QColor(0, 0, 128), 10, 1},
      {"Miss", [](PlayFixture& p) { p.Key(Qt::Key_Right); p.Advance(300); p.Key(Qt::Key_Down); }, "MISS !", QColor(255, 0, 0), Qt::white, 10, 1},
      {"Clear", [](PlayFixture& p) { p.Key(Qt::Key_Right); p.Advance(300); p.Key(Qt::Key_Right); }, "CLEAR !", QColor(0, 0, 128), Qt::white, 11, 2},
  };
  for (const OutcomeRow& r : rows) {
    // Stage 1 with a whirl under (1, 1) for the miss.
    PlayFixture p(StageBlock(1, {".@. .y", ". w "}) + StageBlock(2, {"", "", "", "", "", ". . . . . .@"}));
    p.Start(1);
    r.act(p);
    p.Advance(1000);  // the last walk and any fall end; the announcement shows
    const FieldScene& s = p.form->Scene();
    EXPECT_TRUE(s.message.visible) << r.name;
    EXPECT_EQ(s.message.text, r.caption) << r.name;
    EXPECT_EQ(s.message.background, r.background) << r.name;
    EXPECT_EQ(s.message.text_colour, r.text) << r.name;
    EXPECT_FALSE(p.form->StageActive());
    EXPECT_EQ(p.sound.jingles, std::vector<int>{r.jingle}) << r.name;
    p.Advance(5000);
    EXPECT_TRUE(s.message.visible) << r.name << ": the announcement waits for the jingle's end";
    p.sound.EndJingle();
    p.Advance(5000);
    EXPECT_EQ(p.game.stageNo, r.stageAfter) << r.name;
    EXPECT_FALSE(s.message.visible) << r.name;
    EXPECT_TRUE(p.form->StageActive()) << r.name << ": the next attempt is in play after its opening";
  }
}

TEST(FormMain, WithMusicOffTheRestartFollowsAfterTheWaits) {
  PlayFixture p(Map());
  p.sound.musicOn = false;
  p.Start(1);
  p.Key(Qt::Key_Delete);
  p.Advance(1699);
  EXPECT_TRUE(p.form->Scene().message.visible);
  p.Advance(1);
  EXPECT_FALSE(p.form->Scene().message.visible) << "restarted 200 + 1500 ms after the message";
  EXPECT_TRUE(p.sound.jingles.empty());
}

TEST(FormMain, ClearingStageThirtyStartsTheEnding) {
  PlayFixture p(Map());
  p.Start(30);
  p.Key(Qt::Key_Right);
  p.Advance(300);
  EXPECT_EQ(p.form->Scene().hero.picture, pic::Victory);
  p.Advance(200);
  p.sound.EndJingle();
  p.Advance(2999);
  EXPECT_EQ(p.endings, 0);
  p.Advance(1);
  EXPECT_EQ(p.endings, 1);
}

TEST(FormMain, TheRowsUnderTheFieldFollowOneAnotherWithoutAGap) {
  // Story play, a stage file, and a story again after it: each row under the field starts
  // right under the one above it, and the window ends under the hint's answer.
  struct Row { bool unit; QStringList rows; } rows[] = {
      {false, {"PicMeter", "LabelPresses", "LabelHint"}},
      {true, {"PicMeter", "ComTestEnd", "LabelPresses", "LabelHint"}},
      {false, {"PicMeter", "LabelPresses", "LabelHint"}},
  };
  PlayFixture p(Map());
  for (const Row& r : rows) {
    p.game.unitPlay = r.unit;
    p.Start(1);
    int above = -1;
    for (const QString& name : r.rows) {
      const QWidget* w = p.form->findChild<QWidget*>(name);
      ASSERT_NE(w, nullptr) << name.toStdString();
      EXPECT_TRUE(w->isVisibleTo(p.form.get())) << name.toStdString();
      const QRect g = w->geometry();
      if (above >= 0) {
        EXPECT_GE(g.top(), above) << name.toStdString() << " overlaps the row above";
        EXPECT_LE(g.top() - above, 12) << name.toStdString() << " leaves a gap, unit " << r.unit;
      }
      above = g.bottom() + 1;
    }
    EXPECT_LE(p.form->centralWidget()->height() - above, 4) << "unit " << r.unit;
    EXPECT_EQ(p.form->minimumSize(), p.form->maximumSize());
  }
}

TEST(FormMain, TheWindowKeepsItsSize) {
  PlayFixture p(Map());
  p.Start(1);
  const QSize size = p.form->size();
  // A window whose least and greatest sizes agree is one the window manager neither
  // maximises nor lets the player resize.
  EXPECT_EQ(p.form->minimumSize(), size);
  EXPECT_EQ(p.form->maximumSize(), size);
  p.form->resize(size * 2);
  EXPECT_EQ(p.form->size(), size);
}

TEST(FormMain, MissingStageEndsTheProgramAfterItsMessage) {
  PlayFixture p(Map());
  p.Start(7);
  ASSERT_EQ(p.messages.shown.size(), 1u);
  EXPECT_EQ(p.messages.shown[0], "エラー|データが見つかりません。");
  EXPECT_EQ(p.programEnds, 1);
}

TEST(FormMain, BrokenUnitFileGoesBackToTheTitle) {
  PlayFixture p("@00\r\n2020\r\n");
  p.game.unitPlay = true;
  p.Start(0);
  ASSERT_EQ(p.messages.shown.size(), 1u);
  EXPECT_TRUE(p.messages.shown[0].contains("mapdata.dat"));
  EXPECT_EQ(p.titles, 1);
  EXPECT_EQ(p.programEnds, 0);
}

TEST(FormMain, AStonePushedIntoASandHoleLeavesSandWithoutRimsAroundIt) {
  // The hero at (0, 0), a stone on sand at (1, 0), a sand hole at (2, 0) with sand all round.
  PlayFixture p(StageBlock(1, {".@:Sd : . ", ": : : : . ", "", "", "", "", "", "", "", ". . . . . . . . . .y"}));
  p.pictures.LoadFrom(QStringLiteral(MORVIK_PROGRAM_DIR "/pictures"));
  p.Start(1);
  p.Key(Qt::Key_Right);
  p.Advance(1000);
  ASSERT_EQ(p.game.board.T(2, 0), cell::FilledSand);
  FieldImage fresh(p.pictures);
  fresh.PaintAll(p.game.board);
  EXPECT_EQ(p.form->Field().Image(), fresh.Image());
}

}  // namespace
}  // namespace morvik

namespace morvik {
namespace {

// The warp of story stage 16 counts the moment it happens, as a clear does: stage 25 is
// reached and saved at once, and leaving during "WARP !!!" keeps it.
TEST(FormMain, TheWarpReachesStageTwentyFiveAtOnce) {
  for (bool leave : {false, true}) {
    PlayFixture p(StageBlock(16, {".@"}) + StageBlock(25, {".@"}));
    int saves = 0;
    p.form->hooks.saveProgress = [&saves] { ++saves; };
    p.game.stageReached = 16;
    p.Start(16);
    p.form->StageEnd(Outcome::Warp);
    EXPECT_EQ(p.game.stageReached, 25) << leave;
    EXPECT_EQ(saves, 1) << leave;
    if (leave) {
      p.form->mnuToTitle_Click();
      EXPECT_EQ(p.titles, 1);
    } else {
      p.Advance(200);
      p.sound.EndJingle();
      p.Advance(1500);
      EXPECT_EQ(p.game.stageNo, 25);
    }
    EXPECT_EQ(saves, 1) << "nothing more to save";
  }
}

}  // namespace
}  // namespace morvik

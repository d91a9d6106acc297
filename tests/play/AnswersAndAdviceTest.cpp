// The play screen's answer files and guide, its advice and the visitor, on virtual time with
// real key events.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>

#include "play/AdviceText.h"
#include "play/StageLoader.h"
#include "platform/TextCodec.h"
#include "tests/play/PlayFixture.h"
#include "tests/support/FileLimits.h"
#include "tests/support/WindowKeys.h"

namespace morvik {
namespace {

using test::PlayFixture;
using test::StageBlock;

// Hero at (0, 0); a yellow flower at (3, 0) and a red one at (3, 2); a stone at (1, 2) above
// nothing: a plain field to walk and dig on.
std::string Unit() { return StageBlock(0, {".@. . .y", "", ". . . .r"}); }

void WriteFile(const QString& path, const std::string& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string ReadFile(const QString& path) {
  QFile f(path);
  f.open(QIODevice::ReadOnly);
  return f.readAll().toStdString();
}

TEST(Answers, TestPlayRecordsStepsDigsAndSavesOnAClear) {
  PlayFixture p(Unit());
  p.game.testPlay = true;
  p.messages.answers = {MsgResult::Yes};
  p.Start(0);
  p.Key(Qt::Key_Right);
  p.Advance(300);
  p.Key(Qt::Key_Down);  // a step down to (1, 1)
  p.Advance(300);
  p.Key(Qt::Key_Z);  // digs (1, 2)
  p.Advance(300);
  p.Key(Qt::Key_Up);
  p.Advance(300);
  p.Key(Qt::Key_Right);
  p.Advance(300);
  p.Key(Qt::Key_Right);  // takes the yellow flower at (3, 0)
  p.Advance(300);
  p.Key(Qt::Key_Down);
  p.Advance(300);
  p.Key(Qt::Key_Down);  // takes the red one at (3, 2): clear
  p.Advance(500);
  p.sound.EndJingle();
  p.Advance(100);
  EXPECT_TRUE(p.game.ansData.empty()) << "the next attempt records afresh";
  ASSERT_GE(p.messages.shown.size(), 2u);
  EXPECT_EQ(p.messages.shown[0], "確認|アンサーファイルを生成しますか？");
  EXPECT_TRUE(p.messages.shown[1].startsWith("情報|アンサーファイルを保存しました。\n"));
  EXPECT_EQ(ReadFile(p.dir.filePath("mapdata.data")),
            "[]\r\n<Morvik Answer Data>\r\n\r\n@\r\n010\r\n011\r\n112\r\n010\r\n020\r\n030\r\n031\r\n032\r\n\r\n@\r\n");
}

// From the hero's start, the shortest clear of Unit(): the yellow flower, then the red one.
void ClearUnit(PlayFixture& p) {
  for (Qt::Key k : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down}) {
    p.Key(k);
    p.Advance(300);
  }
}

TEST(Answers, AnAnswerHoldsOnlyTheAttemptThatCleared) {
  PlayFixture p(Unit());
  p.game.testPlay = true;
  p.messages.answers = {MsgResult::Yes};
  p.Start(0);
  p.Key(Qt::Key_Right);
  p.Advance(300);
  p.Key(Qt::Key_Delete);  // given up after one step
  p.Advance(300);
  p.sound.EndJingle();
  p.Advance(1800);  // the next attempt, through its opening
  ASSERT_TRUE(p.form->StageActive());
  ClearUnit(p);
  p.Advance(200);
  p.sound.EndJingle();
  EXPECT_EQ(ReadFile(p.dir.filePath("mapdata.data")),
            "[]\r\n<Morvik Answer Data>\r\n\r\n@\r\n010\r\n020\r\n030\r\n031\r\n032\r\n\r\n@\r\n");
}

TEST(Answers, AnAnswerThatCannotBeWrittenIsReportedAndTheOldOneKept) {
  PlayFixture p(Unit());
  const QString path = p.dir.filePath("mapdata.data");
  const std::string old = "[]\r\n<Morvik Answer Data>\r\n\r\n@\r\n010\r\n\r\n@\r\n";
  WriteFile(path, old);
  p.game.testPlay = true;
  p.messages.answers = {MsgResult::Yes};
  p.Start(0);
  ClearUnit(p);
  p.Advance(200);
  {
    test::ScopedFileSizeLimit full(16);  // as a full disk
    ASSERT_TRUE(full.Ok());
    p.sound.EndJingle();  // the question, then the save
  }
  ASSERT_EQ(p.messages.shown.size(), 2u);
  // The message names the file and why, as a stage file's save does.
  EXPECT_TRUE(p.messages.shown[1].startsWith("エラー|アンサーファイルが書きこめませんでした。\nファイル: " + path + "\n"))
      << p.messages.shown[1].toStdString();
  EXPECT_GT(p.messages.shown[1].section('\n', 2).size(), 0) << "the reason";
  EXPECT_EQ(ReadFile(path), old);
  EXPECT_EQ(QDir(p.dir.path()).entryList(QDir::Files), (QStringList{"mapdata.dat", "mapdata.data"}));
}

// "アンサーガイド" is a command, as the "アンサー" button: it starts the guide and has no check mark.
TEST(Answers, TheGuideMenuItemStartsTheGuide) {
  PlayFixture p(Unit());
  p.game.unitPlay = true;
  WriteFile(p.dir.filePath("mapdata.data"), "[]\r\n<Morvik Answer Data>\r\n\r\n@\r\n010\r\n\r\n@\r\n");
  p.Start(0);
  QAction* item = nullptr;
  for (QAction* a : p.form->findChildren<QAction*>())
    if (a->text() == "アンサーガイド") item = a;
  ASSERT_NE(item, nullptr);
  test::TypeIntoWindow(p.form.get(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_TRUE(p.form->Guide().Running());
  EXPECT_FALSE(item->isChecked());
  test::TypeIntoWindow(p.form.get(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_TRUE(p.form->Guide().Running()) << "choosing it again starts the guide again";
  EXPECT_FALSE(item->isChecked());
}

TEST(Answers, GuideAdvancesOnlyOnTheMarkedMove) {
  PlayFixture p(Unit());
  p.game.unitPlay = true;
  // Step to (1, 0), dig (1, 1), step to (2, 0).
  WriteFile(p.dir.filePath("mapdata.data"), "[]\r\n<Morvik Answer Data>\r\n\r\n@\r\n010\r\n111\r\n020\r\n\r\n@\r\n");
  p.Start(0);
  p.form->ComAns_Click();
  ASSERT_TRUE(p.form->Guide().Running());
  EXPECT_EQ(p.sound.effects.back(), 24);
  const Sprite& mark = p.form->Scene().guide;
  EXPECT_EQ(mark.pos, QPoint(32, 0));
  EXPECT_EQ(mark.picture, 0);
  const bool before = mark.visible;
  p.Advance(200);
  EXPECT_NE(mark.visible, before) << "the mark blinks";

  p.Key(Qt::Key_Right);
  p.Advance(300);
  EXPECT_EQ(p.sound.effects.back(), 25) << "a step that advances the guide is heard";
  EXPECT_EQ(mark.pos, QPoint(32, 32));
  EXPECT_EQ(mark.picture, 1);
  p.Key(Qt::Key_Down);  // walking onto the cell marked for digging does not advance
  p.Advance(300);
  EXPECT_EQ(mark.picture, 1);
  p.Key(Qt::Key_Up);
  p.Advance(300);
  p.Key(Qt::Key_Shift);  // from (1, 0) facing up, two turns face the marked cell below
  p.Key(Qt::Key_Shift);
  p.Key(Qt::Key_Z);
  EXPECT_EQ(mark.picture, 0) << "digging the marked cell advances silently";
  EXPECT_EQ(mark.pos, QPoint(64, 0));
  p.Key(Qt::Key_Right);
  p.Advance(300);
  EXPECT_FALSE(p.form->Guide().Running());
  const bool last = mark.visible;
  p.Advance(1000);
  EXPECT_EQ(mark.visible, last) << "the mark stops blinking after the last move";
}

TEST(Answers, LoadFailures) {
  PlayFixture p(Unit());
  p.game.unitPlay = true;
  p.Start(0);
  p.form->ComAns_Click();
  ASSERT_EQ(p.messages.shown.size(), 1u);
  EXPECT_EQ(p.messages.shown[0], "メッセージ|次のアンサーファイルが見つかりません。\n" + p.dir.filePath("mapdata.data"));
  WriteFile(p.dir.filePath("mapdata.data"), "[]\r\n<Morvik Answer Data>\r\n\r\n@\r\n010\r\n");
  p.form->ComAns_Click();
  EXPECT_EQ(p.messages.shown[1], "アンサーファイル読み込みエラー|[ " + p.dir.filePath("mapdata.data") + " ]\nは、アンサーファイルではありません。");
  EXPECT_FALSE(p.form->Guide().Running());
}

std::string ShiftJis(const std::string& utf8) { return *Utf8ToShiftJis(utf8); }

TEST(Advice, StoryStagesFindTheirBlock) {
  PlayFixture p(StageBlock(7, {".@. . .y"}) + StageBlock(12, {".@. . .y"}) + StageBlock(13, {".@. . .y"}) +
                StageBlock(20, {".@. . .y"}));
  p.game.appDir = p.dir.path().toStdString();
  // Stage 20's block holds a byte that is no Shift JIS: it costs that stage its advice, no other.
  WriteFile(p.dir.filePath("advice.DAT"),
            "@20\r\n\xFF\xFE\x81\r\n*\r\n" +
                ShiftJis("@07\r\n石を押して穴を埋めよう。\r\n花は黄色から。\r\nあせらずに。\r\n*\r\n@12\r\n一行だけ\r\n*\r\n@13\r\n終わらない\r\n"));
  struct Row { int stage; QString text; } rows[] = {
      {7, "石を押して穴を埋めよう。\r\n花は黄色から。\r\nあせらずに。"}, {12, "一行だけ"}, {13, ""}, {20, ""}};
  for (const Row& r : rows) {
    p.Start(r.stage);
    EXPECT_EQ(p.form->AdviceText(), r.text) << r.stage;
  }
  p.sound.effects.clear();
  QString shown;
  p.form->hooks.showAdvice = [&](const QString& t) { shown = t; };
  p.Start(7);
  p.form->PicAdvice_Click();
  EXPECT_EQ(p.sound.effects, std::vector<int>{21});
  EXPECT_EQ(shown, rows[0].text);
  p.Start(13);
  p.form->PicAdvice_Click();
  EXPECT_EQ(p.sound.effects.back(), 22);
}

TEST(Advice, MissingFileMeansNoAdvice) {
  PlayFixture p(StageBlock(1, {".@. . .y"}));
  p.game.appDir = p.dir.path().toStdString();
  p.Start(1);
  EXPECT_TRUE(p.form->AdviceText().isEmpty());
  EXPECT_TRUE(p.form->StageActive());
}

TEST(Visitor, ThirdDoubleClickOnStageTwentyEightCallsIt) {
  PlayFixture p(StageBlock(28, {".y. . . . . . .@"}) + StageBlock(27, {".y. . . . . . .@"}));
  p.Start(27);
  for (int i = 0; i < 3; ++i) p.form->PicMeter_DblClick();
  EXPECT_FALSE(p.form->VisitorPresent()) << "only on stage 28";
  p.Start(28);
  p.form->PicMeter_DblClick();
  p.form->PicMeter_DblClick();
  EXPECT_FALSE(p.form->VisitorPresent());
  p.form->PicMeter_DblClick();
  EXPECT_TRUE(p.form->VisitorPresent());
  EXPECT_EQ(p.form->Scene().gan.pos, QPoint(9 * 32, 0));
  EXPECT_EQ(p.sound.effects.back(), 12);
  std::vector<int> frames;
  for (int i = 0; i < 10; ++i) {
    p.Advance(400);
    frames.push_back(p.form->Scene().gan.picture);
  }
  EXPECT_EQ(frames, (std::vector<int>{0, 0, 1, 2, 3, 3, 2, 1, 0, 0}));
  p.Key(Qt::Key_Right);
  p.Advance(300);
  p.Key(Qt::Key_Right);
  p.Advance(179);
  EXPECT_TRUE(p.messages.shown.empty()) << "not before the hero has arrived on the screen";
  p.Advance(400);
  ASSERT_EQ(p.messages.shown.size(), 1u);
  EXPECT_EQ(p.messages.shown[0], "頑さんからのメッセージ|合言葉は、\n「BLUEKITES」だ。\n\nじゃあな！また会おうや。");
  EXPECT_FALSE(p.form->VisitorPresent());
  EXPECT_FALSE(p.form->Scene().gan.visible);
}

}  // namespace
}  // namespace morvik

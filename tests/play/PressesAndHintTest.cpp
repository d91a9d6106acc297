// Presses against the best and the fewest, and the hint, on the play screen on virtual time:
// records kept across a restart, the shipped table and the on-demand search for the fewest,
// the next press of a shortest solution, an unclearable position, a hint taken back.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QUrl>
#include <variant>

#include "core/StageHash.h"
#include "platform/SettingsFile.h"
#include "stagedata/StageReader.h"

#include "play/PressRecords.h"
#include "tests/play/PlayFixture.h"

namespace morvik {
namespace {

using test::PlayFixture;
using test::StageBlock;

// Stages 0 and 1: hero at (0, 0), a yellow flower at (0, 3) and a red one at (2, 3); the one
// shortest clear is D D D R R. Stage 2: a corridor where the stone ahead of the hero can only
// be pushed onto the flower at its end: no clear from the start.
std::string Map() {
  std::string t;
  for (int n : {0, 1}) t += StageBlock(n, {".@", "", "", ".y. .r"});
  t += StageBlock(2, {".@.S. . .y", "# # # # # # # # # # "});
  return t;
}

void Press(PlayFixture& p, char k) {
  if (k == '<') p.Key(Qt::Key_Z, Qt::ControlModifier);
  else if (k == '>') p.Key(Qt::Key_Y, Qt::ControlModifier);
  else if (k == '!') p.Key(Qt::Key_Delete);
  else p.Key(k == 'D' ? Qt::Key_Down : k == 'R' ? Qt::Key_Right : k == 'L' ? Qt::Key_Left : Qt::Key_Up);
}

void Keys(PlayFixture& p, const std::string& keys) {
  for (char k : keys) {
    Press(p, k);
    p.Advance(400);
  }
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

// A board that differs from another only in the cell of one flower.
Board StartWithFlowerAt(int flowerX) {
  Board b;
  b.terrain.fill(cell::Light);
  b.C(flowerX, 3) = Chara{CharaKind::Yellow, 0};
  return b;
}

TEST(PressRecords, KeepTheFewestPerStageAcrossARestart) {
  QTemporaryDir dir;
  const QString file = dir.filePath("presses.ini");
  const StageId shipped = StageId::Shipped(StartWithFlowerAt(0)), other = StageId::Shipped(StartWithFlowerAt(1));
  const StageId unit = StageId::OfFile("/b/my stage.mvk", StartWithFlowerAt(0)),
                 moved = StageId::OfFile("/c/my stage.mvk", StartWithFlowerAt(0));
  using O = PressRecords::Offered;
  {
    PressRecords r(file);
    EXPECT_EQ(r.Best(shipped), 0);
    EXPECT_EQ(r.Offer(shipped, 30), O::Kept);
    EXPECT_EQ(r.Offer(shipped, 31), O::NotBetter);
    EXPECT_EQ(r.Offer(shipped, 30), O::NotBetter);
    EXPECT_EQ(r.Offer(shipped, 27), O::Kept);
    EXPECT_EQ(r.Offer(unit, 12), O::Kept);
  }
  const PressRecords again(file);
  EXPECT_EQ(again.Best(shipped), 27);
  EXPECT_EQ(again.Best(other), 0) << "another stage has a record of its own";
  EXPECT_EQ(again.Best(unit), 12) << "a stage file's record is not the shipped stage's";
  EXPECT_EQ(again.Best(moved), 0);
}

// Older versions kept records under the stage file's path and the stage's number: each moves
// to its stage's hash where the file still holds the stage, so that a record made in the build
// folder counts for the installed game's same stage, whatever its number there.
TEST(PressRecords, OldRecordsMoveToTheirStagesWhereTheFileStillHoldsThem) {
  QTemporaryDir dir;
  QDir(dir.path()).mkpath("build");
  QDir(dir.path()).mkpath("installed");
  const std::string one = StageBlock(1, {".@", "", "", ".y"}), two = StageBlock(2, {".@", "", "", ". .y"});
  WriteFile(dir.filePath("build/mapdata.dat"), QByteArray::fromStdString(one + two));
  WriteFile(dir.filePath("installed/mapdata.dat"),
            QByteArray::fromStdString(StageBlock(1, {".@", "", "", ". .y"}) + StageBlock(5, {".@", "", "", ".y"})));
  WriteFile(dir.filePath("unit.mvk"), QByteArray::fromStdString(StageBlock(7, {".@", "", "", ". . .y"})));
  auto oldKey = [&](const QString& name, int n) {
    return "best/" + QString::fromLatin1(QUrl::toPercentEncoding(dir.filePath(name))) + "@" + QString::number(n);
  };
  const QString file = dir.filePath("presses.ini");
  {
    QSettings old(file, QSettings::IniFormat);
    old.setValue(oldKey("build/mapdata.dat", 1), 9);
    old.setValue(oldKey("installed/mapdata.dat", 5), 11);  // the same stage: the better record wins
    old.setValue(oldKey("build/mapdata.dat", 2), 14);
    old.setValue(oldKey("unit.mvk", 0), 6);
    old.setValue(oldKey("gone/mapdata.dat", 3), 4);
  }
  PressRecords r;
  r.SetPath(file);
  EXPECT_EQ(r.ShippedBests(dir.filePath("installed/mapdata.dat")), (std::map<int, int>{{1, 14}, {5, 9}}));
  EXPECT_EQ(r.ShippedBests(dir.filePath("build/mapdata.dat")), (std::map<int, int>{{1, 9}, {2, 14}}));
  const std::string unitText = StageBlock(7, {".@", "", "", ". . .y"});
  const Board unit = std::get<LoadedStage>(ReadStage(std::string_view(unitText), StageRequest{0, true, false})).board;
  EXPECT_EQ(r.Best(StageId::OfFile(dir.filePath("unit.mvk"), unit)), 6);
  // What could not be placed stays as it was, for a later start; the rest moved.
  SettingsFile kept(file);
  EXPECT_EQ(kept.ChildKeys("best"), QStringList{oldKey("gone/mapdata.dat", 3).mid(5)});
  EXPECT_EQ(r.CarryOverOldRecords(), 0);
}

// A records file that cannot be written: the clear still counts as this run's best, and the
// player is told once, on the standard error and the line under the field.
TEST(Presses, ARecordThatCannotBeSavedIsReportedOnce) {
  PlayFixture p(Map());
  p.game.appDir = p.dir.path().toStdString();
  WriteFile(p.dir.filePath("shortest.txt"), "1 5\n");
  WriteFile(p.dir.filePath("not-a-folder"), "x");
  p.form->SetRecordsFile(p.dir.filePath("not-a-folder/presses.ini"));
  p.Start(1);
  Keys(p, "DDDLRR");
  EXPECT_EQ(p.game.board.outcome, Outcome::Clear);
  EXPECT_TRUE(p.form->HintText().startsWith("ベスト記録を保存できませんでした")) << p.form->HintText().toStdString();
  EXPECT_TRUE(p.form->HintText().contains("not-a-folder/presses.ini")) << p.form->HintText().toStdString();
  EXPECT_EQ(p.form->PressesText(), "手数 6　ベスト 6　最短 5");
  p.Start(1);  // the same stage again
  Keys(p, "DDDRR");
  EXPECT_EQ(p.game.board.outcome, Outcome::Clear);
  EXPECT_EQ(p.form->HintText(), "") << "said once";
  EXPECT_EQ(p.form->PressesText(), "手数 5　ベスト 5　最短 5　★");
}

TEST(Presses, CountedBestKeptAcrossARestartAndTheShortestCelebrated) {
  PlayFixture p(Map());
  p.game.appDir = p.dir.path().toStdString();
  WriteFile(p.dir.filePath("shortest.txt"), "1 5\n2 9\n");
  const QString records = p.dir.filePath("presses.ini");
  p.form->SetRecordsFile(records);
  p.Start(1);
  EXPECT_EQ(p.form->PressesText(), "手数 0　ベスト －　最短 5");
  Keys(p, "DDDLRR");  // one press more than needed, then the clear
  EXPECT_EQ(p.game.board.outcome, Outcome::Clear);
  EXPECT_EQ(p.form->PressesText(), "手数 6　ベスト 6　最短 5");
  EXPECT_NE(p.form->Scene().message.background, QColor(255, 200, 0));

  // The program starts again: a new play screen reads the record.
  p.form = std::make_unique<FormMain>(p.game, p.platform);
  p.form->SetRecordsFile(records);
  p.Start(1);
  EXPECT_EQ(p.form->PressesText(), "手数 0　ベスト 6　最短 5");
  Keys(p, "DDDR<");  // undo counts back
  EXPECT_EQ(p.form->Presses(), 3);
  Keys(p, "RR");
  EXPECT_EQ(p.game.board.outcome, Outcome::Clear);
  EXPECT_TRUE(p.form->ClearedInShortest());
  EXPECT_EQ(p.form->PressesText(), "手数 5　ベスト 5　最短 5　★");
  EXPECT_EQ(p.form->Scene().message.background, QColor(255, 200, 0)) << "the caption turns gold";
}

TEST(Presses, AStageFileHasItsShortestSearchedOffTheWindowThread) {
  PlayFixture p(Map());
  p.game.unitPlay = true;
  p.Start(0);
  p.form->ShortestSearch().WaitForResult();
  EXPECT_EQ(p.form->ShortestPresses(), 5);
  EXPECT_EQ(p.form->PressesText(), "手数 0　ベスト －　最短 5");
}

TEST(Hint, ShowsTheFirstPressOfAShortestSolutionFromWhereTheHeroStands) {
  PlayFixture p(Map());
  p.game.appDir = p.dir.path().toStdString();
  p.Start(1);
  Keys(p, "R");  // off the shortest line: the yellow at (0, 3) is due first, 6 presses away
  p.Key(Qt::Key_H);
  EXPECT_EQ(p.form->HintText(), "ヒントを考えています…");
  EXPECT_TRUE(p.form->StageActive()) << "the window goes on while the search runs";
  p.form->HintSearch().WaitForResult();
  EXPECT_TRUE(p.form->HintShown());
  EXPECT_TRUE(p.form->HintText().contains("あと最短 6 手")) << p.form->HintText().toStdString();
  const Sprite& mark = p.form->Scene().guide;
  EXPECT_TRUE(mark.visible);
  EXPECT_EQ(mark.picture, 0) << "a step";
  // The marked cell is one step away; following the hint keeps a shortest line.
  const QPoint cell = mark.pos / CellPixels;
  EXPECT_EQ(std::abs(cell.x() - 1) + cell.y(), 1);
  p.Key(cell.x() == 0 ? Qt::Key_Left : Qt::Key_Down);
  p.Advance(400);
  EXPECT_FALSE(p.form->HintShown()) << "the mark goes with the next press";
  p.Key(Qt::Key_H);
  p.form->HintSearch().WaitForResult();
  EXPECT_TRUE(p.form->HintText().contains("あと最短 5 手")) << p.form->HintText().toStdString();
}

TEST(Hint, AnUnclearablePositionIsSaidToBeSo) {
  PlayFixture p(Map());
  p.Start(2);
  p.Key(Qt::Key_H);
  p.form->HintSearch().WaitForResult();
  EXPECT_EQ(p.form->HintText(), "この状態からはクリアできません。一手戻すか、Deleteでやり直しましょう。");
  EXPECT_FALSE(p.form->HintShown());
}

TEST(Hint, TheAnswerGoesTheMomentTheBoardChanges) {
  // Keys before the hint, what the hint says, the key that changes the board ('!' Delete).
  struct Row { int stage; const char* before; const char* says; char key; } rows[] = {
      {1, "", "あと最短 5 手", 'D'},             // the next press, while its walk still runs
      {1, "R", "あと最短 6 手", '<'},            // an undo
      {1, "DR<", "あと最短 4 手", '>'},          // a redo
      {1, "D", "あと最短 4 手", '!'},            // giving up, and the start that follows
      {2, "", "この状態からはクリアできません", 'R'},  // no clear from here: a push
  };
  for (const Row& r : rows) {
    PlayFixture p(Map());
    p.Start(r.stage);
    Keys(p, r.before);
    p.Key(Qt::Key_H);
    p.form->HintSearch().WaitForResult();
    ASSERT_TRUE(p.form->HintText().contains(QString::fromUtf8(r.says))) << p.form->HintText().toStdString();
    Press(p, r.key);
    EXPECT_EQ(p.form->HintText(), "") << r.before << r.key;
    EXPECT_FALSE(p.form->HintShown()) << r.before << r.key;
    p.Advance(3000);
    EXPECT_EQ(p.form->HintText(), "") << r.before << r.key;
  }
}

TEST(Hint, ASearchStillRunningIsDroppedByTheNextPress) {
  PlayFixture p(Map());
  p.Start(1);
  p.Key(Qt::Key_H);
  p.Key(Qt::Key_Down);
  p.form->HintSearch().WaitForResult();
  p.Advance(400);
  EXPECT_EQ(p.form->HintText(), "");
  EXPECT_FALSE(p.form->HintShown()) << "no mark for a position already left";
}

TEST(Hint, ASecondHTakesTheRequestBack) {
  PlayFixture p(Map());
  p.Start(1);
  p.Key(Qt::Key_H);
  p.Key(Qt::Key_H);
  EXPECT_EQ(p.form->HintText(), "ヒントを取り消しました。");
  p.form->HintSearch().WaitForResult();
  EXPECT_EQ(p.form->HintText(), "ヒントを取り消しました。") << "the late answer is dropped";
  EXPECT_FALSE(p.form->HintShown());
}

TEST(Presses, AStageProvedUnclearableShowsNoneAndWhy) {
  PlayFixture p(StageBlock(2, {".@.S. . .y", "# # # # # # # # # # "}));
  p.game.unitPlay = true;
  p.Start(2);
  p.form->ShortestSearch().WaitForResult();
  EXPECT_EQ(p.form->PressesText(), "手数 0　ベスト －　最短 なし");
  EXPECT_TRUE(p.form->HintText().startsWith("このステージはクリアできません（")) << p.form->HintText().toStdString();
}

TEST(Presses, TheOpeningOfTheNextStageShowsItsOwnCounts) {
  PlayFixture p(Map());
  p.game.appDir = p.dir.path().toStdString();
  WriteFile(p.dir.filePath("shortest.txt"), "1 5\n2 9\n");
  p.Start(1);
  Keys(p, "DDDRR");
  ASSERT_TRUE(p.form->PressesText().startsWith("手数 5　")) << p.form->PressesText().toStdString();
  ASSERT_TRUE(p.form->PressesText().endsWith("★"));
  p.Advance(200);
  p.sound.EndJingle();  // the announcement ends
  p.Advance(1500 + 200);  // stage 2 opens
  ASSERT_EQ(p.game.stageNo, 2);
  ASSERT_FALSE(p.form->StageActive()) << "still in the opening";
  EXPECT_EQ(p.form->PressesText(), "手数 0　ベスト －　最短 9");
}

TEST(Hint, OnAKeptShortestLineTheAnswerComesAtOnce) {
  PlayFixture p(Map());
  p.game.appDir = p.dir.path().toStdString();
  // Stage 1's kept line; stage 0's does not clear and answers nothing.
  WriteFile(p.dir.filePath("solutions.txt"), "# kept lines\n1 DDDRR\n0 DDRR\n");
  p.Start(1);
  for (const char* says : {"あと最短 5 手", "あと最短 4 手"}) {
    p.Key(Qt::Key_H);
    EXPECT_FALSE(p.form->HintSearch().Busy());
    EXPECT_TRUE(p.form->HintText().contains(QString::fromUtf8(says))) << p.form->HintText().toStdString();
    EXPECT_TRUE(p.form->HintShown());
    Keys(p, "D");
  }
  Keys(p, "R");  // off the kept line: a search, whose line is kept in turn
  p.Key(Qt::Key_H);
  EXPECT_EQ(p.form->HintText(), "ヒントを考えています…");
  p.form->HintSearch().WaitForResult();
  EXPECT_TRUE(p.form->HintText().contains("あと最短 4 手")) << p.form->HintText().toStdString();
  Keys(p, "<>");
  p.Key(Qt::Key_H);
  EXPECT_FALSE(p.form->HintSearch().Busy()) << "the line the search found is kept";
  EXPECT_TRUE(p.form->HintText().contains("あと最短 4 手")) << p.form->HintText().toStdString();

  PlayFixture q(Map());
  q.game.appDir = p.game.appDir;
  q.Start(0);
  q.Key(Qt::Key_H);
  EXPECT_TRUE(q.form->HintSearch().Busy()) << "a kept line that does not clear is no answer";
}

TEST(Hint, AnyKeyTakesASearchBack) {
  PlayFixture p(Map());
  p.Start(1);
  p.Key(Qt::Key_H);
  ASSERT_TRUE(p.form->HintSearch().Busy());
  p.Key(Qt::Key_Q);  // a key that does nothing on the field
  EXPECT_FALSE(p.form->HintSearch().Busy());
  EXPECT_EQ(p.form->HintText(), "ヒントを取り消しました。");
}

TEST(Hint, AJumpNamesTheMeterSegmentToReleaseAt) {
  // The hero on a pad at (2, 0) facing down, the only flower three cells below it.
  PlayFixture p(StageBlock(1, {". . J@", "", "", ". . .y"}));
  p.game.appDir = p.dir.path().toStdString();
  WriteFile(p.dir.filePath("solutions.txt"), "1 J3\n");
  p.Start(1);
  p.Key(Qt::Key_H);
  EXPECT_EQ(p.form->HintText(), "ヒント：X で 3 マス跳びましょう。メーターが 5 目盛り目で X（あと最短 1 手）。");
}

}  // namespace
}  // namespace morvik

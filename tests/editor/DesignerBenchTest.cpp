// The designer's bench in the editor window, on virtual time: the live verdict on the
// drawing in memory (debounced, cancelled by the next change, never stale), undo and redo by
// key with the verdict following, the playback of the shortest clear, the decoy marks and
// figures, and the answer file saved with the stage.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QMouseEvent>
#include <QPushButton>

#include "editor/DesignerBench.h"
#include "editor/EditWidgets.h"
#include "editor/FormEdit.h"
#include "platform/FileDialogs.h"
#include "stagedata/StageReader.h"
#include "solver/AnswerFile.h"
#include "tests/play/PlayFixture.h"
#include "tests/support/WindowKeys.h"

namespace morvik {
namespace {

const QRgb kLight = qRgb(200, 180, 120), kHero = qRgb(240, 0, 240);

QImage Filled(QRgb c, bool figure) {
  QImage img(32, 32, QImage::Format_ARGB32_Premultiplied);
  img.fill(figure ? QColor(Qt::transparent) : QColor(c));
  if (figure)
    for (int y = 8; y < 24; ++y)
      for (int x = 8; x < 24; ++x) img.setPixel(x, y, c);
  return img;
}

void MouseClick(QWidget* w, QPoint at, Qt::MouseButton button) {
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), QPointF(w->mapToGlobal(at)), button, button, Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), QPointF(w->mapToGlobal(at)), button, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(w, &release);
}

// Reads a saved stage file the way a test play reads it.
Board SavedBoard(const QString& path) {
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly));
  const std::string text = f.readAll().toStdString();
  return std::get<LoadedStage>(ReadStage(std::string_view(text), StageRequest{0, false, true})).board;
}

// Follows an answer's records as the guide does, one record at a time: some press must
// make exactly the next records (a turn on the way may make none). True when the records
// run out on a cleared stage.
bool ReplaysToAClear(Board b, const std::string& records, std::size_t at = 0, int idle = 0) {
  if (at == records.size()) return b.outcome == Outcome::Clear;
  if (b.Ended() || idle > 2) return false;
  for (int p = 0; p < SearchMoveCount; ++p) {
    Board next = b;
    std::string made;
    for (const AnswerRecord& r : RecordAnswer(b, {static_cast<morvik::Move>(p)}))
      made += std::to_string(r.action) + std::to_string(r.x) + std::to_string(r.y);
    if (made.empty() && next.heroDir == b.heroDir) continue;
    if (records.compare(at, made.size(), made) != 0) continue;
    Script discard(false);
    ApplyMove(next, discard, static_cast<morvik::Move>(p));
    if (ReplaysToAClear(next, records, at + made.size(), made.empty() ? idle + 1 : 0)) return true;
  }
  return false;
}

struct BenchFixture {
  BenchFixture() {
    pictures.LoadFrom(dir.filePath("no-pictures"));
    pictures.SetElm(cell::Light, Filled(kLight, false));
    pictures.SetElm(0, Filled(kHero, true));
    edit = std::make_unique<FormEdit>(game, platform, files);
    edit->hooks.beep = [] {};
    game.mapFilePath.clear();
    edit->EditStart();
    edit->show();
  }
  VerdictPanel& Verdict() { return edit->Bench().Verdict(); }
  QString Text() { return Verdict().text(); }
  // Lets the pause after a change run out and waits for the search it starts.
  QString Settle() {
    scheduler.Advance(VerdictPanel::DebounceMs);
    Verdict().WaitForResult();
    return Text();
  }
  void Chara(Piece tool, int x, int y) {
    QWidget* tile = edit->findChild<QWidget*>(QStringLiteral("PicElm%1").arg(static_cast<int>(tool)));
    MouseClick(tile, QPoint(5, 5), Qt::LeftButton);
    MouseClick(edit->findChild<QWidget*>(QStringLiteral("PicEdit")), QPoint(1 + 32 * x + 5, 1 + 32 * y + 5), Qt::RightButton);
  }
  void Load(const std::string& block) {
    const QString path = dir.filePath(QStringLiteral("drawn%1.mvk").arg(++loads));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(block.data(), static_cast<qint64>(block.size()));
    f.close();
    edit->FilesDropped({path});
  }
  void Click(const char* name) {
    auto* b = edit->findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(b, nullptr) << name;
    ASSERT_TRUE(b->isEnabled()) << name;
    b->click();
  }
  QRgb Middle(int x, int y) const { return edit->GrabGrid().pixel(32 * x + 16, 32 * y + 16); }

  QTemporaryDir dir;
  ModMain game;
  VirtualScheduler scheduler;
  RecordingSound sound;
  test::AnsweringMessages messages;
  PictureStore pictures;
  Platform platform{scheduler, sound, messages, pictures};
  RecordingFileDialogs files;
  std::unique_ptr<FormEdit> edit;
  int loads = 0;
};

// A walled room of light ground with four stones, two PX pieces, one hole and four flowers
// (a stage of the generated bench set): tens of millions of states, beyond any small budget.
std::string WideRoom() {
  return test::StageBlock(0, {"# # # # # # # # # # ",
                              "# . ~ . ~ . . . # # ",
                              "# . . . . . . . . # ",
                              "# .S.y.S. . # . . # ",
                              "# . . .r~ . . . . # ",
                              "# . . # .r.S. . . # ",
                              "# . . o .@. . . # # ",
                              "# .y. # . . .P. . # ",
                              "# . .P. . .S. . . # ",
                              "# # # # # # # # # # "});
}

TEST(DesignerBench, TheVerdictFollowsTheDrawingInMemory) {
  BenchFixture t;
  EXPECT_EQ(t.Text(), "調べています… 0 状態");
  EXPECT_EQ(t.Settle(), "クリアできません（理由：主人公の初期位置がありません）") << "the reader's checks come first";

  t.Chara(Piece::Hero, 4, 4);
  EXPECT_EQ(t.Text(), "調べています… 0 状態") << "the old verdict goes at once";
  t.scheduler.Advance(VerdictPanel::DebounceMs - 1);
  EXPECT_FALSE(t.Verdict().Thread().Busy()) << "no search before the pause has run out";
  EXPECT_EQ(t.Settle(), "クリアできません（理由：花もPXもありません）");

  t.Chara(Piece::Yellow, 6, 4);
  EXPECT_EQ(t.Settle(), "クリアできます：最短 2 手");
  EXPECT_TRUE(t.game.mapFilePath.empty()) << "no save was needed";

  // Undo and redo by key; the verdict follows each.
  test::TypeIntoWindow(t.edit.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(t.edit->Model().Count(Piece::Yellow), 0);
  EXPECT_EQ(t.Settle(), "クリアできません（理由：花もPXもありません）");
  test::TypeIntoWindow(t.edit.get(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(t.Settle(), "クリアできます：最短 2 手");

  // A flower on a hole: the test play's refusal, in the same words.
  t.Load(test::StageBlock(0, {"", "", "", "", ". . . . .@oy"}));
  EXPECT_EQ(t.Settle().toStdString(), RefusedText(CharaOnHoleText("黄色の花", 5, 4)));
  // Flowers that cannot alternate: ruled out without a search.
  t.Load(test::StageBlock(0, {"", "", "", "", ". . . . .@.y.y"}));
  EXPECT_EQ(t.Settle(), "クリアできません（理由：黄色と赤の花を交互にとれない数です）");
}

TEST(DesignerBench, ADrawingBeyondTheBudgetIsUnknownWithProgressMeanwhile) {
  BenchFixture t;
  SolverOptions small = EditorBudget();
  small.maxStates = 200;
  t.Verdict().SetBudget(small);
  t.Load(WideRoom());
  t.scheduler.Advance(VerdictPanel::DebounceMs);
  t.scheduler.Advance(VerdictPanel::ProgressMs);
  EXPECT_TRUE(t.Text().startsWith("調べています… ")) << t.Text().toStdString();
  t.Verdict().WaitForResult();
  EXPECT_EQ(t.Text(), "わかりません（上限）");
  EXPECT_EQ(t.Verdict().Solution(), nullptr);
}

TEST(DesignerBench, TheNextChangeCancelsTheSearchAndItsVerdictIsNeverShown) {
  BenchFixture t;
  // Without the cancel this search would run into its memory limit, seconds later.
  SolverOptions wide = EditorBudget();
  wide.maxSeconds = 0;
  t.Verdict().SetBudget(wide);
  t.Load(WideRoom());
  t.scheduler.Advance(VerdictPanel::DebounceMs);
  ASSERT_TRUE(t.Verdict().Thread().Busy());
  t.Chara(Piece::Stone, 2, 2);  // a change while it runs
  t.Verdict().WaitForResult();  // the cancelled search ends and hands in its result
  EXPECT_EQ(t.Text(), "調べています… 0 状態") << "a cancelled search's result is dropped";
  EXPECT_EQ(t.Verdict().Solution(), nullptr);
  t.Verdict().SetBudget(EditorBudget());
  t.Load(test::StageBlock(0, {"", "", "", "", ". . . . .@. . .y"}));
  EXPECT_EQ(t.Settle(), "クリアできます：最短 3 手");
}

TEST(DesignerBench, PlaybackShowsTheClearOnTheGridAndStops) {
  BenchFixture t;
  t.Load(test::StageBlock(0, {"", "", "", "", ". . . . .@. . .y"}));
  ASSERT_EQ(t.Settle(), "クリアできます：最短 3 手");
  t.Click("ComPlaySolution");
  EXPECT_EQ(t.Middle(4, 4), kHero);
  t.scheduler.Advance(PlaybackRunner::StepMs);
  EXPECT_EQ(t.Middle(5, 4), kHero) << "one press played";
  EXPECT_EQ(t.Middle(4, 4), kLight);
  EXPECT_EQ(t.edit->Model().HeroPos(), 44) << "the drawing is untouched";
  t.Click("ComStopSolution");
  EXPECT_FALSE(t.edit->Bench().Playback().Running());
  EXPECT_EQ(t.Middle(4, 4), kHero) << "the drawing is shown again";
  // Played to the end, the grid returns to the drawing by itself.
  t.Click("ComPlaySolution");
  t.scheduler.Advance(3 * PlaybackRunner::StepMs);
  EXPECT_FALSE(t.edit->Bench().Playback().Running());
  EXPECT_EQ(t.Middle(4, 4), kHero);
  // An edit during the playback ends it.
  t.Click("ComPlaySolution");
  t.scheduler.Advance(PlaybackRunner::StepMs);
  t.Chara(Piece::Stone, 0, 0);
  EXPECT_FALSE(t.edit->Bench().Playback().Running());
  EXPECT_EQ(t.Middle(4, 4), kHero);
}

TEST(DesignerBench, FiguresAndDecoyMarks) {
  BenchFixture t;
  // The stone in the corner is never needed; a stone pushed into the corner beside the flower
  // row would be a trap only if the flower needed it, so there are none.
  t.Load(test::StageBlock(0, {"", "", "", "", ". . . . .@. . .y", "", "", "", "", ". . . . . . . . . .S"}));
  ASSERT_EQ(t.Settle(), "クリアできます：最短 3 手");
  t.Click("ComAudit");
  t.Verdict().WaitForResult();
  EXPECT_TRUE(t.edit->Bench().FiguresShown().contains("おとり 1 個")) << t.edit->Bench().FiguresShown().toStdString();
  EXPECT_TRUE(t.edit->Bench().FiguresShown().contains("罠 0")) << t.edit->Bench().FiguresShown().toStdString();
  auto* grid = static_cast<EditGrid*>(t.edit->findChild<QWidget*>(QStringLiteral("PicEdit")));
  EXPECT_EQ(grid->DecoyMarks(), std::vector<int>{99});
  // A playback hides the rings, which mark the drawing, and brings them back when it stops.
  t.Click("ComPlaySolution");
  EXPECT_TRUE(grid->DecoyMarks().empty());
  t.Click("ComStopSolution");
  EXPECT_EQ(grid->DecoyMarks(), std::vector<int>{99});
  EXPECT_TRUE(t.edit->Bench().FiguresShown().contains("おとり 1 個"));
  t.Chara(Piece::None, 9, 9);
  EXPECT_TRUE(grid->DecoyMarks().empty()) << "the marks go with the next change";
}

TEST(DesignerBench, SavingWritesTheFoundClearAsAnAnswerThatReplaysToAClear) {
  BenchFixture t;
  t.Load(test::StageBlock(0, {"", "", "", "", ". . . . .@: .S.y"}));
  ASSERT_TRUE(t.Settle().startsWith("クリアできます")) << t.Text().toStdString();
  t.edit->findChild<QCheckBox*>(QStringLiteral("ChkSaveAnswer"))->setChecked(true);
  ASSERT_TRUE(t.edit->ComSave_Click());
  const QString stage = QString::fromStdString(t.game.mapFilePath);
  QFile answer(stage + "a");
  ASSERT_TRUE(answer.open(QIODevice::ReadOnly));
  const auto records = ReadAnswerData(answer.readAll().toStdString());
  ASSERT_TRUE(records.has_value());
  EXPECT_TRUE(ReplaysToAClear(SavedBoard(stage), *records)) << *records;
}

}  // namespace
}  // namespace morvik

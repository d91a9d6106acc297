// The editor window on virtual time, driven by real mouse, key and drop events: placing on
// the grid, the palettes, the settings, saving, opening and dropping files, the questions
// that protect changes, the test play on the real play screen, and the way in and out of
// the editor in the whole program.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScrollBar>
#include <QUrl>
#include <csignal>

#include "editor/EditWidgets.h"
#include "editor/FormEdit.h"
#include "play/FormMain.h"
#include "stagedata/StageReader.h"
#include "platform/FileDialogs.h"
#include "platform/VirtualScheduler.h"
#include "shell/Application.h"
#include "shell/FormTitle.h"
#include "tests/play/PlayFixture.h"

namespace morvik {
namespace {

const QString kFilter = QStringLiteral("モルビクステージデータ(*.mvk)|*.mvk|全てのファイル(*.*)|*.*");
const QString kBaseCaption = QStringLiteral("モルビクステージエディタ ");
const QRgb kLight = qRgb(200, 180, 120), kDeep = qRgb(10, 20, 160), kMountain = qRgb(90, 90, 90);
const QRgb kYellow = qRgb(255, 230, 0), kHero = qRgb(240, 0, 240);

// Music as asked, and whether it would be heard: music on, or the editor's music test.
class MusicLog final : public Sound {
 public:
  void PlayEffect(int) override {}
  void PlayMusic(int n) override { played.push_back({n, musicOn || bgmTest}); }
  void StopMusic() override { played.push_back({-1, false}); }
  void PlayJingle(int, std::function<void()> done) override { done(); }
  std::vector<std::pair<int, bool>> played;
};

QImage Solid(QRgb c) {
  QImage img(32, 32, QImage::Format_ARGB32_Premultiplied);
  img.fill(c);
  return img;
}
// A figure on transparency: a square in the middle of the cell.
QImage Figure(QRgb c) {
  QImage img(32, 32, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  for (int y = 8; y < 24; ++y)
    for (int x = 8; x < 24; ++x) img.setPixel(x, y, c);
  return img;
}

void SendClick(QWidget* w, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers mods) {
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), QPointF(w->mapToGlobal(at)), button, button, mods);
  QApplication::sendEvent(w, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), QPointF(w->mapToGlobal(at)), button, Qt::NoButton, mods);
  QApplication::sendEvent(w, &release);
}

void SendKey(QWidget* w, int key, Qt::KeyboardModifiers mods) {
  QKeyEvent press(QEvent::KeyPress, key, mods);
  QApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, mods);
  QApplication::sendEvent(w, &release);
}

// Drags files onto a widget and drops them; returns whether the drop was taken.
bool SendDrop(QWidget* w, const QList<QUrl>& urls) {
  QMimeData mime;
  mime.setUrls(urls);
  const QPoint at(w->width() / 2, w->height() / 2);
  QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &drop);
  return drop.isAccepted();
}

void WriteFile(const QString& path, const std::string& text) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(text.data(), static_cast<qint64>(text.size()));
}

// The first n lines of a text, each with its line end.
std::string FirstLines(const std::string& text, int n) {
  std::size_t end = 0;
  for (int i = 0; i < n; ++i) end = text.find("\r\n", end) + 2;
  return text.substr(0, end);
}

std::string ReadFile(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return "(missing)";
  return f.readAll().toStdString();
}

// The editor beside a real play screen, as the program holds them.
struct EditFixture {
  EditFixture() {
    pictures.LoadFrom(dir.filePath("no-pictures"));
    pictures.SetElm(cell::Light, Solid(kLight));
    pictures.SetElm(cell::DeepWater, Solid(kDeep));
    pictures.SetElm(cell::Mountain, Solid(kMountain));
    pictures.SetElm(10, Figure(kYellow));
    pictures.SetElm(0, Figure(kHero));
    play = std::make_unique<FormMain>(game, platform);
    edit = std::make_unique<FormEdit>(game, platform, files);
    // Test play as the application wires it.
    play->hooks.showEditor = [this] { edit->show(); };
    edit->hooks.startTestPlay = [this] { return play->InitialTreat(); };
    edit->hooks.showTestPlay = [this] {
      play->show();
      play->raise();
      play->activateWindow();
    };
    edit->hooks.showTitle = [this] { ++titles; };
    edit->hooks.beep = [this] { ++beeps; };
    edit->hooks.help = [this](int topic) { helps.push_back(topic); };
    // As the program enters the editor.
    game.mapFilePath.clear();
    game.stageNo = 0;
    edit->EditStart();
    edit->show();
    QApplication::setActiveWindow(edit.get());
  }
  template <class T = QWidget>
  T* Child(const QString& name) {
    T* w = edit->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
  }
  QAction* Action(const char* name) { return Child<QAction>(QString::fromLatin1(name)); }
  // A press of a button on grid cell (x, y).
  void Cell(int x, int y, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    SendClick(Child("PicEdit"), QPoint(1 + 32 * x + 5, 1 + 32 * y + 27), button, mods);
  }
  void Palette(int index) {
    QWidget* tile = Child(QStringLiteral("PicElm%1").arg(index));
    SendClick(tile, QPoint(tile->width() / 2, tile->height() / 2), Qt::LeftButton, Qt::NoModifier);
  }
  void Click(const char* name) {
    QWidget* w = Child(QString::fromLatin1(name));
    SendClick(w, QPoint(w->width() / 2, w->height() / 2), Qt::LeftButton, Qt::NoModifier);
  }
  // A key typed on the window.
  void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) { SendKey(edit.get(), key, mods); }
  QString Label(const char* name) { return Child<QLabel>(QString::fromLatin1(name))->text(); }
  // The colour in the middle of a grid cell and near its corner.
  QRgb Middle(int x, int y) const { return edit->GrabGrid().pixel(32 * x + 16, 32 * y + 16); }
  QRgb Corner(int x, int y) const { return edit->GrabGrid().pixel(32 * x + 2, 32 * y + 2); }
  QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
  // A stage with the hero at (4, 4), a yellow flower right of it, music 2 and red first.
  std::string SmallStage() const {
    return test::StageBlock(0, {"", "", "", "", ". . . . .@%y"}, 1, 2);
  }

  QTemporaryDir dir;
  ModMain game;
  VirtualScheduler scheduler;
  MusicLog sound;
  test::AnsweringMessages messages;
  PictureStore pictures;
  Platform platform{scheduler, sound, messages, pictures};
  RecordingFileDialogs files;
  std::unique_ptr<FormMain> play;
  std::unique_ptr<FormEdit> edit;
  int titles = 0, beeps = 0;
  std::vector<int> helps;
};

TEST(FormEdit, OpensOnAnEmptyStage) {
  EditFixture t;
  EXPECT_EQ(t.edit->windowTitle(), kBaseCaption);
  for (const char* count : {"LabelManyYF", "LabelManyRF", "LabelManyST", "LabelManyPX"}) EXPECT_EQ(t.Label(count), "0");
  const QImage grid = t.edit->GrabGrid();
  ASSERT_EQ(grid.size(), QSize(320, 320));
  for (int y = 0; y < 320; y += 7)
    for (int x = 0; x < 320; x += 7) ASSERT_EQ(grid.pixel(x, y), kLight) << x << "," << y;
  EXPECT_EQ(t.Child<QLabel>("PicLeft")->pixmap().toImage().pixel(16, 16), kMountain) << "the wall is chosen";
  EXPECT_TRUE(t.Child<QRadioButton>("OptFirst0")->isChecked());
  EXPECT_EQ(t.Label("LabelBGM"), "BGM No. 0");
  EXPECT_EQ(t.Child<QScrollBar>("VScrBGM")->minimum(), 0);
  EXPECT_EQ(t.Child<QScrollBar>("VScrBGM")->maximum(), 6);
  EXPECT_EQ(t.edit->minimumSize(), t.edit->maximumSize()) << "not resizable";
  // The menu items as the player sees them; two can be seen but not chosen.
  struct Item { const char* name; const char* text; QKeySequence key; bool enabled; } items[] = {
      {"mnuNew", "新規(&N)", QKeySequence(Qt::CTRL | Qt::Key_N), true},
      {"mnuLoad", "ステージデータを開く(&O)...", QKeySequence(Qt::CTRL | Qt::Key_O), true},
      {"mnuSave", "上書き保存(&S)", QKeySequence(Qt::CTRL | Qt::Key_S), true},
      {"mnuSaveAs", "名前を付けて保存(&W)...", QKeySequence(), true},
      {"mnuEnd", "ステージエディタの終了(&Q)", QKeySequence(Qt::CTRL | Qt::Key_Q), true},
      {"mnuMemory", "記憶取出(&L)", QKeySequence(Qt::CTRL | Qt::Key_L), false},
      {"mnuComment", "コメントの設定(&C)", QKeySequence(Qt::CTRL | Qt::Key_C), false},
      {"mnuConvert", "テストプレイ(&T)", QKeySequence(Qt::Key_F5), true},
      {"mnuHelpingEdit", "ステージエディタのヘルプ(&H)    F1", QKeySequence(), true},
  };
  for (const Item& i : items) {
    QAction* a = t.Action(i.name);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->text(), QString::fromUtf8(i.text));
    EXPECT_EQ(a->shortcut(), i.key) << i.name;
    EXPECT_EQ(a->isEnabled(), i.enabled) << i.name;
  }
}

TEST(FormEdit, PlacingWithTheMouse) {
  EditFixture t;
  t.Palette(cell::DeepWater);
  EXPECT_EQ(t.Child<QLabel>("PicLeft")->pixmap().toImage().pixel(16, 16), kDeep);
  EXPECT_EQ(t.edit->windowTitle(), kBaseCaption) << "choosing from the palette is no change";
  t.Cell(3, 7);
  EXPECT_EQ(t.edit->Model().Stage().terrain[37], cell::DeepWater);
  EXPECT_EQ(t.Middle(3, 7), kDeep);
  EXPECT_EQ(t.Middle(3, 6), kLight);
  EXPECT_EQ(t.edit->windowTitle(), kBaseCaption + " (更新あり)");

  // A flower over the water: the terrain shows round the figure.
  t.Palette(10);
  EXPECT_EQ(t.Child<QLabel>("PicRight")->pixmap().toImage().pixel(16, 16), kYellow);
  t.Cell(3, 7, Qt::RightButton);
  EXPECT_EQ(t.Label("LabelManyYF"), "1");
  EXPECT_EQ(t.Middle(3, 7), kYellow);
  EXPECT_EQ(t.Corner(3, 7), kDeep);
  // New terrain under a character keeps the character on top.
  t.Palette(cell::Mountain);
  t.Cell(3, 7);
  EXPECT_EQ(t.Middle(3, 7), kYellow);
  EXPECT_EQ(t.Corner(3, 7), kMountain);

  // The eraser shows its cross in the chosen-tool box too, not an empty square.
  t.Palette(static_cast<int>(Piece::None));
  EXPECT_GT(qAlpha(t.Child<QLabel>("PicRight")->pixmap().toImage().pixel(16, 16)), 128);
  EXPECT_EQ(t.Child<QLabel>("PicRight")->pixmap().toImage(), EraserPicture());

  // The hero, moved from cell to cell.
  t.Palette(0);
  t.Cell(1, 1, Qt::RightButton);
  t.Cell(2, 2, Qt::RightButton);
  EXPECT_EQ(t.Middle(1, 1), kLight);
  EXPECT_EQ(t.Middle(2, 2), kHero);
  EXPECT_EQ(t.edit->Model().HeroPos(), 22);

  // Shift fills the whole grid and keeps every character; Shift with the right button beeps.
  t.Palette(cell::DeepWater);
  t.Cell(9, 9, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(t.Corner(0, 0), kDeep);
  EXPECT_EQ(t.Corner(9, 9), kDeep);
  EXPECT_EQ(t.Middle(3, 7), kYellow);
  EXPECT_EQ(t.Middle(2, 2), kHero);
  EXPECT_EQ(t.beeps, 0);
  t.Cell(5, 5, Qt::RightButton, Qt::ShiftModifier);
  EXPECT_EQ(t.beeps, 1);
  EXPECT_EQ(t.edit->Model().Stage().pieces[55], Piece::None);
  // Ctrl places on one cell only.
  t.Palette(cell::Mountain);
  t.Cell(6, 6, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(t.Corner(6, 6), kMountain);
  EXPECT_EQ(t.Corner(6, 5), kDeep);
}

TEST(FormEdit, SixteenthYellowFlowerIsRefusedWithABeep) {
  EditFixture t;
  t.Palette(10);
  for (int n = 0; n < 15; ++n) t.Cell(n / 10, n % 10, Qt::RightButton);
  EXPECT_EQ(t.Label("LabelManyYF"), "15");
  EXPECT_EQ(t.beeps, 0);
  EXPECT_EQ(t.Label("LabelRefusal"), "");
  t.Cell(5, 5, Qt::RightButton);
  EXPECT_EQ(t.beeps, 1);
  EXPECT_EQ(t.Label("LabelRefusal"), "黄色の花は15個までです") << "the window says why, not only the bell";
  EXPECT_EQ(t.Label("LabelManyYF"), "15");
  EXPECT_EQ(t.Middle(5, 5), kLight);
  // Erase one, and there is room again.
  t.Palette(17);
  t.Cell(0, 0, Qt::RightButton);
  EXPECT_EQ(t.Label("LabelRefusal"), "") << "gone with the next press that places";
  EXPECT_EQ(t.Label("LabelManyYF"), "14");
  t.Palette(10);
  t.Cell(5, 5, Qt::RightButton);
  EXPECT_EQ(t.Label("LabelManyYF"), "15");
  EXPECT_EQ(t.Middle(5, 5), kYellow);
}

TEST(FormEdit, RefusalsSayWhy) {
  struct Row { int tool; int limit; const char* text; } rows[] = {
      {11, 15, "赤い花は15個までです"}, {12, 30, "石は30個までです"}, {15, 30, "PXは30個までです"}};
  for (const Row& r : rows) {
    EditFixture t;
    t.Palette(r.tool);
    for (int n = 0; n <= r.limit; ++n) t.Cell(n / 10, n % 10, Qt::RightButton);
    EXPECT_EQ(t.beeps, 1) << r.text;
    EXPECT_EQ(t.Label("LabelRefusal"), r.text);
  }
  EditFixture t;
  t.Cell(5, 5, Qt::RightButton, Qt::ShiftModifier);
  EXPECT_EQ(t.Label("LabelRefusal"), "Shift + 右クリックでは置けません");
}

TEST(FormEdit, PaletteTilesAreNamed) {
  EditFixture t;
  for (const PaletteSlot& s : TerrainPalette())
    EXPECT_FALSE(t.Child(QStringLiteral("PicElm%1").arg(s.code))->toolTip().isEmpty()) << int(s.code);
  EXPECT_EQ(t.Child("PicElm20")->toolTip(), "明るい地面（掘れる）");
  EXPECT_EQ(t.Child("PicElm58")->toolTip(), "ひびの入った氷");
  EXPECT_EQ(t.Child("PicElm37")->toolTip(), "閉じた門");
  EXPECT_EQ(t.Child("PicElm10")->toolTip(), "黄色の花");
}

// The Open and Save As dialogs start in the folder of the stage being edited, or else in the
// folder last used.
TEST(FormEdit, FileDialogsStartWhereTheStageIs) {
  EditFixture t;
  ASSERT_TRUE(QDir(t.dir.path()).mkpath("stages"));
  const QString folder = t.dir.filePath("stages");
  WriteFile(folder + "/small.mvk", t.SmallStage());
  t.files.answers = {folder + "/small.mvk"};
  t.Click("ComLoad");
  EXPECT_EQ(t.files.asked.back(), "open|" + kFilter) << "nothing used yet";
  t.Click("ComLoad");  // cancelled
  EXPECT_EQ(t.files.asked.back(), "open|" + kFilter + "|" + folder);

  t.messages.answers = {MsgResult::Yes};
  t.Click("ComNew");  // no file now: the folder last used
  t.Click("ComLoad");
  EXPECT_EQ(t.files.asked.back(), "open|" + kFilter + "|" + folder);
  t.Action("mnuSaveAs")->trigger();
  EXPECT_EQ(t.files.asked.back(), "save|" + kFilter + "|" + folder);
}

TEST(FormEdit, FirstFlowerAndMusic) {
  EditFixture t;
  t.Click("PicSel1");
  EXPECT_TRUE(t.Child<QRadioButton>("OptFirst1")->isChecked());
  EXPECT_EQ(t.edit->Model().Stage().firstFlower, 1);
  EXPECT_TRUE(t.edit->Model().Modified());
  t.Click("OptFirst0");
  EXPECT_EQ(t.edit->Model().Stage().firstFlower, 0);

  t.edit->Renewal(false);
  QScrollBar* bar = t.Child<QScrollBar>("VScrBGM");
  for (int i = 0; i < 3; ++i) SendKey(bar, Qt::Key_Down, Qt::NoModifier);
  EXPECT_EQ(bar->value(), 3);
  EXPECT_EQ(t.Label("LabelBGM"), "BGM No. 3");
  EXPECT_EQ(t.edit->Model().Stage().music, 3);
  EXPECT_TRUE(t.edit->Model().Modified());

  // The music test plays even with music switched off, and only while it starts.
  t.sound.musicOn = false;
  t.Click("ComBGMTest");
  ASSERT_GE(t.sound.played.size(), 2u);
  EXPECT_EQ(t.sound.played[t.sound.played.size() - 2].first, -1) << "what played is stopped first";
  EXPECT_EQ(t.sound.played.back(), std::make_pair(3, true));
  EXPECT_EQ(t.game.stageBgm, 3);
  EXPECT_FALSE(t.sound.bgmTest);
  t.Click("ComBGMTestStop");
  EXPECT_EQ(t.sound.played.back().first, -1);
}

TEST(FormEdit, SavingAsksForANameOnceAndWritesTheBlock) {
  EditFixture t;
  t.Palette(0);
  t.Cell(3, 7, Qt::RightButton);
  t.Palette(12);
  t.Cell(0, 5, Qt::RightButton);
  t.Cell(1, 2, Qt::RightButton);

  // Cancelled: nothing is written and the stage stays changed.
  t.Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(t.files.asked, QStringList{"save|" + kFilter + "|"});
  EXPECT_TRUE(t.game.mapFilePath.empty());
  EXPECT_EQ(t.edit->windowTitle(), kBaseCaption + " (更新あり)");

  const QString path = t.Path("mine.mvk");
  t.files.answers = {path};
  t.Click("ComSave");
  EXPECT_EQ(t.game.mapFilePath, path.toStdString());
  EXPECT_EQ(t.edit->windowTitle(), kBaseCaption + "[" + path + "]");
  std::string expected = "@00\r\n";
  for (int y = 0; y < 10; ++y) expected += "20202020202020202020\r\n";
  expected += "V2.00 beta\r\n37\r\n0512\r\n*\r\n*\r\n*\r\n*\r\n0\r\n0\r\nEND@00\r\n";
  EXPECT_EQ(ReadFile(path), expected);

  // With a file, saving asks nothing.
  t.Palette(cell::HoleSand);
  t.Cell(2, 0);
  t.Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(t.files.asked.size(), 2);
  EXPECT_NE(ReadFile(path).find("\r\n20\r\n0\r\n0\r\nEND@00"), std::string::npos) << "the hole list holds (2, 0)";
  EXPECT_FALSE(t.edit->Model().Modified());

  // Under a new name: the dialog starts from the file in use.
  const QString other = t.Path("other.mvk");
  t.files.answers = {other};
  t.Action("mnuSaveAs")->trigger();
  EXPECT_EQ(t.files.asked.back(), "save|" + kFilter + "|" + path);
  EXPECT_EQ(ReadFile(other), ReadFile(path));
  EXPECT_EQ(t.game.mapFilePath, other.toStdString());
}

TEST(FormEdit, AFailedSaveLeavesTheOldFileWholeAndSaysSo) {
  EditFixture t;
  const QString path = t.Path("kept.mvk");
  WriteFile(path, t.SmallStage());
  t.files.answers = {path};
  t.Key(Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(t.edit->Model().HeroPos(), 44);
  t.Palette(cell::DeepWater);
  t.Cell(0, 0, Qt::LeftButton, Qt::ShiftModifier);

  // The file system takes no more than 64 bytes of any file this process writes.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit small = old;
  small.rlim_cur = 64;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool saved = t.edit->ComSave_Click();
  setrlimit(RLIMIT_FSIZE, &old);

  EXPECT_FALSE(saved);
  EXPECT_EQ(ReadFile(path), t.SmallStage()) << "the old file is whole";
  EXPECT_EQ(QDir(t.dir.path()).entryList(QDir::Files), QStringList{"kept.mvk"}) << "no half-written file is left";
  ASSERT_FALSE(t.messages.shown.empty());
  EXPECT_TRUE(t.messages.shown.back().startsWith("エラー|ステージデータを保存できませんでした。")) << t.messages.shown.back().toStdString();
  EXPECT_TRUE(t.edit->Model().Modified());
  EXPECT_EQ(t.edit->windowTitle(), kBaseCaption + "[" + path + "] (更新あり)");
}

TEST(FormEdit, SavingUnderANameThatCannotBeWrittenKeepsTheFileInUse) {
  EditFixture t;
  t.Palette(0);
  t.Cell(1, 1, Qt::RightButton);
  t.files.answers = {t.Path("no-such-folder/x.mvk")};
  EXPECT_FALSE(t.edit->mnuSaveAs_Click());
  EXPECT_TRUE(t.game.mapFilePath.empty());
  EXPECT_TRUE(t.messages.shown.back().startsWith("エラー|ステージデータを保存できませんでした。"));
  // And a test play that cannot save does not start.
  t.files.answers = {t.Path("no-such-folder/x.mvk")};
  t.Key(Qt::Key_F5);
  EXPECT_TRUE(t.edit->isVisible());
  EXPECT_FALSE(t.play->isVisible());
  EXPECT_FALSE(t.game.testPlay);
}

TEST(FormEdit, OpeningAFile) {
  EditFixture t;
  const QString path = t.Path("small.mvk");
  WriteFile(path, t.SmallStage());
  t.files.answers = {path};
  t.Click("ComLoad");
  EXPECT_TRUE(t.messages.shown.empty()) << "an unchanged stage needs no question";
  EXPECT_EQ(t.files.asked, QStringList{"open|" + kFilter});
  EXPECT_EQ(t.edit->windowTitle(), kBaseCaption + "[" + path + "]");
  EXPECT_EQ(t.edit->Model().HeroPos(), 44);
  EXPECT_EQ(t.Middle(4, 4), kHero);
  EXPECT_EQ(t.Middle(5, 4), kYellow);
  EXPECT_EQ(t.Label("LabelManyYF"), "1");
  EXPECT_TRUE(t.Child<QRadioButton>("OptFirst1")->isChecked());
  EXPECT_EQ(t.Child<QScrollBar>("VScrBGM")->value(), 2);
  EXPECT_EQ(t.Label("LabelBGM"), "BGM No. 2");
  EXPECT_FALSE(t.edit->Model().Modified()) << "setting the controls from the file is no change";
  // Saved back unchanged, the file is the same.
  t.edit->ComSave_Click();
  EXPECT_EQ(ReadFile(path), t.SmallStage());
}

TEST(FormEdit, OpeningProtectsChanges) {
  struct Row { MsgResult answer; QStringList saveAnswers; QStringList asked; bool opened; } rows[] = {
      // Yes while the stage has no file: the name is asked first; cancelling it ends the command.
      {MsgResult::Yes, {""}, {"save|" + kFilter + "|"}, false},
      {MsgResult::Yes, {"saved.mvk"}, {"save|" + kFilter + "|", "open|" + kFilter + "|<folder>"}, true},
      {MsgResult::No, {}, {"open|" + kFilter}, true},
      {MsgResult::Cancel, {}, {}, false},
  };
  for (const Row& r : rows) {
    EditFixture t;
    WriteFile(t.Path("small.mvk"), t.SmallStage());
    t.Palette(12);
    t.Cell(9, 9, Qt::RightButton);
    t.messages.answers = {r.answer};
    for (const QString& a : r.saveAnswers) t.files.answers.push_back(a.isEmpty() ? a : t.Path(a.toLatin1().constData()));
    t.files.answers.push_back(t.Path("small.mvk"));
    t.Key(Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0], "確認|更新があります。保存しますか？");
    QStringList asked = t.files.asked;
    for (QString& a : asked) a.replace(t.dir.path() + "/", "").replace(t.dir.path(), "<folder>");
    EXPECT_EQ(asked.join(" / ").toStdString(), r.asked.join(" / ").toStdString()) << static_cast<int>(r.answer);
    EXPECT_EQ(t.edit->Model().HeroPos() == 44, r.opened) << static_cast<int>(r.answer);
    if (r.opened && r.answer == MsgResult::Yes) {
      EXPECT_NE(ReadFile(t.Path("saved.mvk")).find("\r\n99\r\n"), std::string::npos);
    }
  }
}

TEST(FormEdit, FilesThatCannotBeOpened) {
  struct Row { const char* what; std::string text; QString message; } rows[] = {
      {"only a block @07", test::StageBlock(7, {"", "", "", "", ". . . . .@"}), "致命的なエラー|データのロードに失敗しました。\n強制終了します。"},
      {"ends after line 17", FirstLines(test::StageBlock(0, {"", "", "", "", ". . . . .@"}), 17),
       "致命的なエラー|データのロードに失敗しました。\n強制終了します。"},
      {"unknown terrain", test::StageBlock(0, {"", "", "", "", ". . . . .@"}).replace(5 + 8, 2, "99"),  // row 1, column 5
       "エラー|データのロードに失敗しました。\nファイル: <path>\n2行目: 地形の1行目の5列目に知らないマスのコード「99」があります。"},
  };
  for (const Row& r : rows) {
    EditFixture t;
    t.Palette(12);
    t.Cell(5, 5, Qt::RightButton);
    const QString path = t.Path("bad.mvk");
    WriteFile(path, r.text);
    t.messages.answers = {MsgResult::No};
    t.files.answers = {path};
    t.Click("ComLoad");
    ASSERT_EQ(t.messages.shown.size(), 2u) << r.what;
    EXPECT_EQ(t.messages.shown[1], QString(r.message).replace("<path>", path)) << r.what;
    // The editor is left without a file, on the empty stage.
    EXPECT_TRUE(t.game.mapFilePath.empty()) << r.what;
    EXPECT_EQ(t.edit->windowTitle(), kBaseCaption) << r.what;
    EXPECT_EQ(t.edit->Model().Stage(), StageSheet{}) << r.what;
    EXPECT_EQ(t.Label("LabelManyST"), "0") << r.what;
    EXPECT_EQ(t.Middle(5, 5), kLight) << r.what;
  }
  EditFixture t;
  t.files.answers = {t.Path("gone.mvk")};
  t.Click("ComLoad");
  ASSERT_EQ(t.messages.shown.size(), 1u);
  EXPECT_TRUE(t.messages.shown[0].startsWith("エラー|ステージデータのファイルを開けません。"));
  EXPECT_TRUE(t.game.mapFilePath.empty());
}

TEST(FormEdit, DroppingAFileReplacesAChangedStageWithoutAQuestion) {
  EditFixture t;
  t.Palette(12);
  t.Cell(0, 0, Qt::RightButton);
  const QString path = t.Path("small.mvk");
  WriteFile(path, t.SmallStage());
  EXPECT_FALSE(SendDrop(t.edit.get(), {QUrl(QStringLiteral("https://example.org/x.mvk"))})) << "no file in it";
  EXPECT_TRUE(SendDrop(t.edit.get(), {QUrl::fromLocalFile(path), QUrl::fromLocalFile(t.Path("second.mvk"))}));
  EXPECT_TRUE(t.messages.shown.empty());
  EXPECT_EQ(t.edit->Model().HeroPos(), 44);
  EXPECT_EQ(t.edit->Model().Count(Piece::Stone), 0);
  EXPECT_EQ(t.edit->windowTitle(), kBaseCaption + "[" + path + "]");
}

TEST(FormEdit, NewStageAlwaysAsks) {
  EditFixture t;
  const QString path = t.Path("small.mvk");
  WriteFile(path, t.SmallStage());
  SendDrop(t.edit.get(), {QUrl::fromLocalFile(path)});
  t.messages.answers = {MsgResult::No};
  t.Key(Qt::Key_N, Qt::ControlModifier);
  ASSERT_EQ(t.messages.shown.size(), 1u) << "asked though nothing changed";
  EXPECT_EQ(t.messages.shown[0], "新規|表示中のものを破棄し、新規に作成します。\nよろしいですか？");
  EXPECT_EQ(t.edit->Model().HeroPos(), 44);
  t.messages.answers = {MsgResult::Yes};
  t.Click("ComNew");
  EXPECT_EQ(t.edit->Model().HeroPos(), NoCell);
  EXPECT_TRUE(t.game.mapFilePath.empty());
  EXPECT_EQ(t.edit->windowTitle(), kBaseCaption);
  // The music number and the first flower are those of the stage before.
  EXPECT_EQ(t.Child<QScrollBar>("VScrBGM")->value(), 2);
  EXPECT_TRUE(t.Child<QRadioButton>("OptFirst1")->isChecked());
  EXPECT_EQ(t.edit->Model().Stage().music, 2);
  EXPECT_EQ(t.edit->Model().Stage().firstFlower, 1);
}

TEST(FormEdit, TestPlayRoundTripThroughThePlayScreen) {
  EditFixture t;
  t.Palette(0);
  t.Cell(4, 4, Qt::RightButton);
  t.Palette(10);
  t.Cell(5, 4, Qt::RightButton);
  t.Palette(cell::DeepWater);
  t.Cell(4, 5);
  const StageSheet before = t.edit->Model().Stage();
  t.game.ansData = "stale\r\n";
  const QString path = t.Path("test.mvk");
  t.files.answers = {path};
  t.Key(Qt::Key_F5);
  // Saved first, then played from the file on the play screen.
  EXPECT_EQ(t.files.asked, QStringList{"save|" + kFilter + "|"});
  EXPECT_EQ(ReadFile(path), WriteStageBlock(before, 0));
  EXPECT_FALSE(t.edit->isVisible());
  EXPECT_TRUE(t.play->isVisible());
  EXPECT_TRUE(t.game.testPlay);
  EXPECT_TRUE(t.game.ansData.empty()) << "the recording starts afresh";
  EXPECT_EQ(t.game.board.heroX, 4);
  EXPECT_EQ(t.game.board.heroY, 4);
  EXPECT_EQ(t.game.board.T(4, 5), cell::DeepWater);
  t.scheduler.Advance(1800);
  EXPECT_TRUE(t.play->KeyPreview()) << "the stage has opened";

  // Back from the play screen: the editor shows the same stage.
  t.play->ComTestEnd_Click();
  EXPECT_TRUE(t.edit->isVisible());
  EXPECT_FALSE(t.play->isVisible());
  EXPECT_FALSE(t.game.testPlay);
  EXPECT_EQ(t.edit->Model().Stage(), before);
  EXPECT_EQ(t.edit->windowTitle(), kBaseCaption + "[" + path + "]");

  // A second test play saves over the file without asking; closing the play window returns.
  t.Click("ComConvert");
  EXPECT_EQ(t.files.asked.size(), 1);
  EXPECT_TRUE(t.play->isVisible());
  t.play->close();
  EXPECT_TRUE(t.edit->isVisible());
  EXPECT_FALSE(t.play->isVisible());
}

TEST(FormEdit, TestPlayNeedsAStartPositionAndAFile) {
  EditFixture t;
  t.Palette(12);
  t.Cell(2, 2, Qt::RightButton);
  t.Click("ComConvert");
  ASSERT_EQ(t.messages.shown.size(), 1u);
  EXPECT_EQ(t.messages.shown[0], "エラー|主人公の初期位置は必ず指定してください。");
  EXPECT_TRUE(t.files.asked.isEmpty()) << "nothing is saved";
  // A stage without a start position can still be saved.
  t.files.answers = {t.Path("nohero.mvk")};
  EXPECT_TRUE(t.edit->ComSave_Click());
  EXPECT_NE(ReadFile(t.Path("nohero.mvk")).find("V2.00 beta\r\n*\r\n22\r\n"), std::string::npos);

  // With a start position but no file, cancelling the name starts nothing.
  t.Palette(0);
  t.Cell(3, 3, Qt::RightButton);
  t.game.mapFilePath.clear();
  t.Key(Qt::Key_F5);
  EXPECT_EQ(t.files.asked.size(), 2);
  EXPECT_FALSE(t.game.testPlay);
  EXPECT_TRUE(t.edit->isVisible());
  EXPECT_FALSE(t.play->isVisible());
}

TEST(FormEdit, TestPlayRefusesACharacterOnAHoleInTheWordsOfThePlayReader) {
  EditFixture t;
  t.Palette(0);  // the hero
  t.Cell(3, 3, Qt::RightButton);
  t.Palette(13);  // a hole in light ground, under the hero
  t.Cell(3, 3);
  const QString said = "主人公が穴のマス（33）に置かれています。穴の上にキャラクタは置けません。";
  t.Click("ComConvert");
  ASSERT_EQ(t.messages.shown.size(), 1u);
  EXPECT_EQ(t.messages.shown[0], "エラー|" + said);
  EXPECT_TRUE(t.files.asked.isEmpty()) << "nothing is saved";
  EXPECT_FALSE(t.play->isVisible());
  // The saved file, played all the same, is refused on the hero's line in the same words.
  t.files.answers = {t.Path("hole.mvk")};
  ASSERT_TRUE(t.edit->ComSave_Click());
  const StageResult r = ReadStage(std::string_view(ReadFile(t.Path("hole.mvk"))), {0, false, true});
  ASSERT_TRUE(std::holds_alternative<StageError>(r));
  EXPECT_EQ(std::get<StageError>(r).line, 13);
  EXPECT_EQ(QString::fromStdString(std::get<StageError>(r).reason), said);
}

TEST(FormEdit, LeavingTheEditor) {
  struct Row { MsgResult answer; bool nameGiven; bool left; } rows[] = {
      {MsgResult::No, false, true},      // changes discarded
      {MsgResult::Cancel, false, false},
      {MsgResult::Yes, false, false},    // the name was not given: stay
      {MsgResult::Yes, true, true},
  };
  for (const Row& r : rows) {
    EditFixture t;
    t.Palette(0);
    t.Cell(3, 3, Qt::RightButton);
    t.messages.answers = {r.answer};
    if (r.nameGiven) t.files.answers = {t.Path("kept.mvk")};
    t.Key(Qt::Key_Q, Qt::ControlModifier);
    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0], "面エディタ終了|更新があります。保存して終了しますか？");
    EXPECT_EQ(t.edit->isVisible(), !r.left) << static_cast<int>(r.answer);
    EXPECT_EQ(t.titles, r.left ? 1 : 0) << static_cast<int>(r.answer);
    if (r.nameGiven) {
      EXPECT_NE(ReadFile(t.Path("kept.mvk")).find("\r\n33\r\n"), std::string::npos);
    }
  }
  // Unchanged, the editor ends without a question; the next entry starts empty.
  EditFixture t;
  t.Palette(0);
  t.Cell(3, 3, Qt::RightButton);
  t.messages.answers = {MsgResult::No};
  t.Click("ComEnd");
  EXPECT_EQ(t.titles, 1);
  t.edit->EditStart();
  t.edit->show();
  EXPECT_EQ(t.edit->Model().HeroPos(), NoCell);
  t.Click("ComEnd");
  EXPECT_EQ(t.messages.shown.size(), 1u);
  EXPECT_EQ(t.titles, 2);
  EXPECT_EQ(t.sound.played.back().first, -1) << "the music test stops";
}

TEST(FormEdit, ClosingTheWindowEndsTheEditorButKeepsIt) {
  EditFixture t;
  t.Palette(12);
  t.Cell(3, 3, Qt::RightButton);
  t.messages.answers = {MsgResult::Cancel};
  EXPECT_FALSE(t.edit->close());
  EXPECT_TRUE(t.edit->isVisible());
  EXPECT_EQ(t.titles, 0);
  t.messages.answers = {MsgResult::No};
  EXPECT_FALSE(t.edit->close()) << "the close is cancelled: the window stays alive";
  EXPECT_FALSE(t.edit->isVisible());
  EXPECT_EQ(t.titles, 1);
  EXPECT_EQ(t.edit->Model().Count(Piece::Stone), 1) << "the stage stays in memory until the next entry";
}

TEST(FormEdit, HelpByKeyAndMenu) {
  EditFixture t;
  t.Key(Qt::Key_F1);
  t.Action("mnuHelpingEdit")->trigger();
  EXPECT_EQ(t.helps, (std::vector<int>{FormEdit::HelpTopic, FormEdit::HelpTopic}));
}

// --- The editor in the whole program -------------------------------------------------------

TEST(EditorInTheProgram, FromTheTitleToTestPlayAndBack) {
  QTemporaryDir dir;
  {
    QFile map(dir.filePath("mapdata.dat"));
    ASSERT_TRUE(map.open(QIODevice::WriteOnly));
    map.write(test::StageBlock(1, {".@"}).c_str());
  }
  VirtualScheduler scheduler;
  MusicLog sound;
  test::AnsweringMessages messages;
  RecordingFileDialogs files;
  PictureStore pictures;
  pictures.LoadFrom(dir.filePath("pictures"));
  Application app(dir.path(), {scheduler, sound, messages, files, pictures});
  app.onEnd = [] {};
  app.Main();
  auto showing = [&] {
    return std::string(app.Title().isVisible() ? "title " : "") + (app.Play().isVisible() ? "play " : "") +
           (app.Edit().isVisible() ? "editor " : "");
  };
  app.Game().mapFilePath = "stale.mvk";
  app.Game().stageNo = 12;
  QApplication::setActiveWindow(&app.Title());
  SendKey(&app.Title(), Qt::Key_F5, Qt::NoModifier);  // ステージエディタ
  EXPECT_EQ(showing(), "editor ");
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(app.Game().mapFilePath.empty());
  EXPECT_EQ(app.Game().stageNo, 0);
  EXPECT_EQ(app.Edit().windowTitle(), kBaseCaption);

  FormEdit& edit = app.Edit();
  QWidget* hero = edit.findChild<QWidget*>(QStringLiteral("PicElm0"));
  ASSERT_NE(hero, nullptr);
  SendClick(hero, QPoint(10, 10), Qt::LeftButton, Qt::NoModifier);
  SendClick(edit.findChild<QWidget*>(QStringLiteral("PicEdit")), QPoint(50, 50), Qt::RightButton, Qt::NoModifier);
  files.answers = {dir.filePath("made.mvk")};
  QApplication::setActiveWindow(&edit);
  SendKey(&edit, Qt::Key_F5, Qt::NoModifier);
  EXPECT_EQ(showing(), "play ");
  EXPECT_TRUE(app.Game().testPlay);
  scheduler.Advance(1800);
  app.Play().mnuToTitle_Click();  // "エディット画面に戻る" during a test play
  EXPECT_EQ(showing(), "editor ");
  EXPECT_FALSE(app.Game().testPlay);

  QApplication::setActiveWindow(&edit);
  SendKey(&edit, Qt::Key_Q, Qt::ControlModifier);
  EXPECT_EQ(showing(), "title ");
  EXPECT_EQ(sound.played.back(), std::make_pair(12, true)) << "the title music again";
}

}  // namespace
}  // namespace morvik

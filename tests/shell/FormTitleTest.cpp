// The title screen on virtual time, driven by real key, mouse and drop events: the stage
// list, starting stages, opening and dropping files, the hidden unlock, the blink and the
// menus.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>
#include <deque>
#include <memory>

#include "platform/FileDialogs.h"
#include "platform/VirtualScheduler.h"
#include "shell/FormTitle.h"
#include "tests/play/PlayFixture.h"

namespace morvik {
namespace {

const QRect kEyes(30, 40, 64, 25);

// A portrait of many colours whose eye region is the open-eye picture, and closed eyes that
// differ from it in every pixel.
struct TitlePictures {
  TitlePictures() {
    portrait = QImage(144, 192, QImage::Format_RGB32);
    for (int y = 0; y < 192; ++y)
      for (int x = 0; x < 144; ++x) portrait.setPixel(x, y, qRgb((x * 7 + y) & 255, (y * 5) & 255, (x * y) & 255));
    eyeOpen = portrait.copy(kEyes);
    eyeClosed = QImage(kEyes.size(), QImage::Format_RGB32);
    for (int y = 0; y < kEyes.height(); ++y)
      for (int x = 0; x < kEyes.width(); ++x) eyeClosed.setPixel(x, y, ~eyeOpen.pixel(x, y) | 0xff000000u);
    portrait.save(dir.filePath("title_portrait.png"));
    eyeOpen.save(dir.filePath("eye_open.png"));
    eyeClosed.save(dir.filePath("eye_closed.png"));
  }
  QTemporaryDir dir;
  QImage portrait, eyeOpen, eyeClosed;
};

struct TitleFixture {
  explicit TitleFixture(int stageReached = 1, int storyNo = 0, int userReached = 0, int superReached = 0) {
    pictures.LoadFrom(art.dir.path());
    game.stageReached = stageReached;
    game.storyNo = storyNo;
    game.userReached = userReached;
    game.superReached = superReached;
    form = std::make_unique<FormTitle>(game, platform, files, [this] {
      if (randoms.empty()) return 0.0;
      const double r = randoms.front();
      randoms.pop_front();
      return r;
    });
    FormTitle::Hooks& h = form->hooks;
    h.startStory = [this] { calls << "story"; };
    h.startStage = [this] { calls << QStringLiteral("stage %1").arg(game.stageNo); };
    h.openUnitFile = [this](const QString& path) { calls << "file " + path; };
    h.openEditor = [this] { calls << "editor"; };
    h.quit = [this] { calls << "quit"; };
    h.musicToggled = [this](bool on) { calls << QStringLiteral("music %1").arg(on); };
    h.soundToggled = [this](bool on) { calls << QStringLiteral("sound %1").arg(on); };
    h.resetProgress = [this] { calls << "reset"; };
    h.unlocked = [this] { calls << QStringLiteral("unlocked %1").arg(game.stageReached); };
    h.help = [this](int topic) { calls << QStringLiteral("help %1").arg(topic); };
    h.version = [this] { calls << "version"; };
    h.homePage = [this] { calls << "homepage"; };
    form->FillStageList();  // as the title is shown
    form->show();
    QApplication::setActiveWindow(form.get());
  }
  template <class T>
  T* Child(const char* name) {
    T* w = form->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  // A key typed where the keyboard focus is (the stage list at first).
  void Key(int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : form.get();
    QKeyEvent press(QEvent::KeyPress, qtKey, mods);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, mods);
    QApplication::sendEvent(target, &release);
  }
  void Click(QWidget* w, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), button, button, mods);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), button, Qt::NoButton, mods);
    QApplication::sendEvent(w, &release);
  }
  // Drags files onto a widget and drops them; returns whether the drop was taken.
  bool Drop(QWidget* w, const QList<QUrl>& urls) {
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
  void SelectStage(const QString& text) {
    QComboBox* list = Child<QComboBox>("ComboStg");
    list->setCurrentIndex(list->findText(text));
  }
  QImage EyeRegion() const { return form->Portrait().copy(kEyes); }

  TitlePictures art;
  ModMain game;
  VirtualScheduler scheduler;
  RecordingSound sound;
  test::AnsweringMessages messages;
  PictureStore pictures;
  Platform platform{scheduler, sound, messages, pictures};
  RecordingFileDialogs files;
  std::deque<double> randoms;
  std::unique_ptr<FormTitle> form;
  QStringList calls;
};

QStringList Numbers(int from, int to) {
  QStringList l;
  for (int i = from; i <= to; ++i) l << QString::number(i);
  return l;
}

TEST(FormTitle, WindowHasTheTitleCaptionAndClientArea) {
  TitleFixture t;
  EXPECT_EQ(t.form->windowTitle(), QStringLiteral("モルビク -Morvik- 2.00 beta"));
  EXPECT_EQ(t.form->centralWidget()->size(), QSize(315, 221));
  EXPECT_EQ(t.form->minimumSize(), t.form->maximumSize());  // not resizable
  // Until the main story's ending opens the other stories, the story list is not shown.
  EXPECT_FALSE(t.Child<QComboBox>("ComboStory")->isVisible());
  EXPECT_FALSE(t.form->StoryListShown());
}

TEST(FormTitle, OpenStoriesAreChosenInsideTheWindowEachWithItsOwnStages) {
  TitleFixture t(30, 0, 4, 1);
  QComboBox* story = t.Child<QComboBox>("ComboStory");
  QComboBox* stages = t.Child<QComboBox>("ComboStg");
  EXPECT_TRUE(story->isVisible());
  const QRect client = t.form->centralWidget()->rect();
  for (const char* name : {"Label2", "ComboStory", "Label1", "ComboStg", "ComCont"})
    EXPECT_TRUE(client.contains(t.Child<QWidget>(name)->geometry())) << name;
  EXPECT_FALSE(story->geometry().intersects(stages->geometry()));
  EXPECT_FALSE(t.Child<QWidget>("Label1")->geometry().intersects(story->geometry()));

  // The player picks a story with the keyboard; the stage list follows.
  struct Row { int key; int story; QStringList items; int start; } rows[] = {
      {Qt::Key_Down, 1, Numbers(1, 4), 34},
      {Qt::Key_Down, 2, {"1"}, 61},
      {Qt::Key_Up, 1, Numbers(1, 4), 34},
      {Qt::Key_Up, 0, Numbers(1, 30), 30},
  };
  for (const Row& r : rows) {
    story->setFocus();
    t.Key(r.key);
    EXPECT_EQ(t.game.storyNo, r.story);
    EXPECT_EQ(t.form->StageItems(), r.items) << r.story;
    t.calls.clear();
    t.Click(t.Child<QPushButton>("ComCont"));
    EXPECT_EQ(t.calls, QStringList{QStringLiteral("stage %1").arg(r.start)}) << r.story;
  }
}

TEST(FormTitle, StagesClearedInTheFewestPressesCarryAStarInTheirStory) {
  // Stages 2 and 33 (the user story's third) were cleared in the fewest presses.
  struct Row { int story; QStringList items; } rows[] = {
      {0, {"1", "2 ★", "3"}},
      {1, {"1", "2", "3 ★"}},
      {2, {"1", "2", "3"}},
  };
  for (const Row& r : rows) {
    TitleFixture t(30, r.story, 3, 3);
    t.game.stageReached = 3;
    t.form->hooks.shortestClears = [] { return std::set<int>{2, 33}; };
    t.form->FillStageList();
    EXPECT_EQ(t.form->StageItems(), r.items) << r.story;
  }
}

TEST(FormTitle, StageListOffersTheStagesReached) {
  struct Row { int reached; QStringList items; QString selected; int reachedAfter; } rows[] = {
      {0, {"1"}, "1", 1},
      {5, Numbers(1, 5), "5", 5},
      // A main story progress beyond 30 (kept from an older file) offers the main stages only.
      {32, Numbers(1, 30), "30", 32},
  };
  for (const Row& r : rows) {
    TitleFixture t(r.reached);
    EXPECT_EQ(t.form->StageItems(), r.items) << r.reached;
    EXPECT_EQ(t.form->SelectedStage(), r.selected) << r.reached;
    EXPECT_EQ(t.game.stageReached, r.reachedAfter) << r.reached;
    // A later fill follows the progress of the moment.
    t.game.stageReached = 3;
    t.form->FillStageList();
    EXPECT_EQ(t.form->StageItems(), Numbers(1, 3));
    EXPECT_EQ(t.form->SelectedStage(), "3");
  }
}

// A long list drops down about ten items high, with a scroll bar, not over the whole screen.
TEST(FormTitle, LongStageListScrolls) {
  TitleFixture t(40);
  auto* list = t.Child<QComboBox>("ComboStg");
  list->showPopup();
  QAbstractItemView* view = list->view();
  const int row = view->sizeHintForRow(0);
  ASSERT_GT(row, 0);
  EXPECT_LE(view->window()->height(), 11 * row + 12) << "rows of " << row << " pixels";
  EXPECT_GE(view->window()->height(), 9 * row);
  EXPECT_NE(view->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff) << "the rest is reached with the scroll bar";
  list->hidePopup();
}

TEST(FormTitle, StoryListMirrorsTheStoryNumber) {
  for (int story : {0, 1, 2}) {
    TitleFixture t(1, story);
    EXPECT_EQ(t.form->StoryIndex(), story);
    EXPECT_EQ(t.game.storyNo, story);
    // A story other than the main one is shown, so that the player sees whose stages are offered.
    EXPECT_EQ(t.form->StoryListShown(), story != 0);
    EXPECT_EQ(t.form->StageItems(), QStringList{"1"}) << "a story not yet open offers its first stage";
  }
  // A story number no list item offers falls back to the main story.
  TitleFixture t(1, 7);
  EXPECT_EQ(t.form->StoryIndex(), 0);
  EXPECT_EQ(t.game.storyNo, 0);
}

TEST(FormTitle, StartPlaysTheSelectedStageOfTheStory) {
  struct Row { int reached, story; QString item; const char* how; int stage; } rows[] = {
      {5, 0, "5", "enter", 5},   {5, 1, "3", "enter", 33},  {1, 2, "1", "click", 61},
      {13, 1, "13", "menu", 43}, {21, 2, "21", "menu", 81}, {32, 0, "30", "enter", 30},
      {32, 0, "12", "menu", 12},
  };
  for (const Row& r : rows) {
    TitleFixture t(r.story == 0 ? r.reached : 30, r.story, r.story == 1 ? r.reached : 1, r.story == 2 ? r.reached : 1);
    t.SelectStage(r.item);
    const QString how = r.how;
    if (how == "enter") t.Key(Qt::Key_Return);  // typed on the stage list
    else if (how == "click") t.Click(t.Child<QPushButton>("ComCont"));
    else t.Key(Qt::Key_C, Qt::ControlModifier);  // 続きの面からスタート
    EXPECT_EQ(t.calls, QStringList{QStringLiteral("stage %1").arg(r.stage)}) << r.item.toStdString() << " " << r.how;
    EXPECT_EQ(t.game.stageNo, r.stage);
  }
}

TEST(FormTitle, StageOfItem) {
  // An item never starts a stage of another story or one beyond the story's end.
  struct Row { const char* item; int story, stage; } rows[] = {
      {"1", 0, 1},  {"30", 0, 30}, {"31", 0, 0}, {"13", 1, 43}, {"14", 1, 0}, {"7", 2, 67}, {"21", 2, 81},
      {"22", 2, 0}, {"A", 0, 0},   {"C", 1, 0},  {"", 1, 0},    {"?", 0, 0},  {"0", 0, 0},  {"3x", 0, 0},
      {"5 ★", 0, 5}, {"13 ★", 1, 43}, {"14 ★", 1, 0}, {"★", 0, 0}, {"5★", 0, 0}, {"5 ★ ★", 0, 0},
  };
  for (const Row& r : rows) EXPECT_EQ(StageOfItem(QString::fromUtf8(r.item), r.story), r.stage) << r.item;
}

TEST(FormTitle, EnterOnAnotherButtonPressesThatButton) {
  TitleFixture t(5);
  t.Child<QPushButton>("ComEdit")->setFocus();
  t.Key(Qt::Key_Return);
  t.Child<QPushButton>("ComHelp")->setFocus();
  t.Key(Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(t.calls, (QStringList{"editor", "help 10"}));
}

TEST(FormTitle, ButtonsMenusAndShortcutsReachTheirHooks) {
  struct Row { const char* name; std::function<void(TitleFixture&)> act; QStringList calls; } rows[] = {
      {"最初からスタート", [](TitleFixture& t) { t.Key(Qt::Key_N, Qt::ControlModifier); }, {"story"}},
      {"Edit Mode", [](TitleFixture& t) { t.Click(t.Child<QPushButton>("ComEdit")); }, {"editor"}},
      {"ステージエディタ", [](TitleFixture& t) { t.Key(Qt::Key_F5); }, {"editor"}},
      {"How to Play", [](TitleFixture& t) { t.Click(t.Child<QPushButton>("ComHelp")); }, {"help 10"}},
      // The window's own topic comes back after "How to Play".
      {"F1", [](TitleFixture& t) { t.Click(t.Child<QPushButton>("ComHelp")); t.Key(Qt::Key_F1); }, {"help 10", "help 1"}},
      {"プレイデータ消去", [](TitleFixture& t) { t.Child<QAction>("mnuDelPlayData")->trigger(); }, {"reset"}},
      {"終了", [](TitleFixture& t) { t.Key(Qt::Key_Q, Qt::ControlModifier); }, {"quit"}},
      {"window closed", [](TitleFixture& t) { t.form->close(); }, {"quit"}},
      {"バージョン情報", [](TitleFixture& t) { t.Child<QAction>("mnuVer")->trigger(); }, {"version"}},
      {"作者ホームぺージへ", [](TitleFixture& t) { t.Child<QAction>("mnuGoHP_title")->trigger(); }, {"homepage"}},
  };
  for (const Row& r : rows) {
    TitleFixture t(5);
    r.act(t);
    EXPECT_EQ(t.calls, r.calls) << r.name;
  }
}

TEST(FormTitle, SettingsMenusReportTheNewStateOnlyWhenThePlayerClicks) {
  TitleFixture t;
  EXPECT_TRUE(t.form->MusicChecked());
  EXPECT_TRUE(t.form->SoundChecked());
  t.form->SetMusicChecked(false);  // as read from the play information file
  EXPECT_FALSE(t.form->MusicChecked());
  EXPECT_TRUE(t.calls.isEmpty());
  t.Child<QAction>("mnuBGM")->trigger();
  t.Child<QAction>("mnuSound")->trigger();
  t.Child<QAction>("mnuSound")->trigger();
  EXPECT_EQ(t.calls, (QStringList{"music 1", "sound 0", "sound 1"}));
  EXPECT_TRUE(t.form->MusicChecked());
  EXPECT_TRUE(t.form->SoundChecked());
}

TEST(FormTitle, OpenMenuPlaysTheChosenFileAndIgnoresCancel) {
  TitleFixture t;
  t.Key(Qt::Key_O, Qt::ControlModifier);  // cancelled
  EXPECT_TRUE(t.calls.isEmpty());
  t.files.answers.push_back("/stages/my stage.mvk");
  t.Child<QAction>("mnuOpenMVK")->trigger();
  EXPECT_EQ(t.calls, QStringList{"file /stages/my stage.mvk"});
  const QString filter = QStringLiteral("open|モルビクステージデータ(*.mvk)|*.mvk|全てのファイル(*.*)|*.*");
  EXPECT_EQ(t.files.asked, (QStringList{filter, filter}));
}

TEST(FormTitle, DroppedFilesPlayTheFirst) {
  const QList<QUrl> several = {QUrl::fromLocalFile("/tmp/first.mvk"), QUrl::fromLocalFile("/tmp/second.mvk"),
                               QUrl::fromLocalFile("/tmp/third.txt")};
  for (const char* target : {"window", "portrait"}) {
    TitleFixture t;
    QWidget* w = QString(target) == "window" ? static_cast<QWidget*>(t.form.get()) : t.Child<QWidget>("PicMorvikTitle");
    // Nothing that is not a local file is taken.
    EXPECT_FALSE(t.Drop(w, {QUrl("https://example.org/stage.mvk")})) << target;
    EXPECT_TRUE(t.Drop(w, several)) << target;
    // A file of any name is taken; the stage reader judges it.
    EXPECT_TRUE(t.Drop(w, {QUrl::fromLocalFile("/tmp/notes.txt")})) << target;
    EXPECT_EQ(t.calls, (QStringList{"file /tmp/first.mvk", "file /tmp/notes.txt"})) << target;
  }
}

TEST(FormTitle, HiddenUnlockCountsOnlyItsOwnPresses) {
  TitleFixture t(5);
  QWidget* portrait = t.Child<QWidget>("PicMorvikTitle");
  const Qt::KeyboardModifiers gesture = Qt::ControlModifier | Qt::ShiftModifier;
  auto ordinaryClicks = [&] {
    t.Click(portrait);
    t.Click(portrait, Qt::RightButton);
    t.Click(portrait, Qt::RightButton, Qt::ControlModifier);
    t.Click(portrait, Qt::LeftButton, gesture);
    t.Click(portrait, Qt::RightButton, gesture | Qt::AltModifier);
  };
  for (int round = 0; round < 2; ++round) {
    for (int i = 1; i <= 4; ++i) {
      t.Click(portrait, Qt::RightButton, gesture);
      ordinaryClicks();
      EXPECT_EQ(t.form->UnlockClicks(), i);
    }
    EXPECT_EQ(t.form->StageItems(), Numbers(1, round == 0 ? 5 : 30)) << round;
    t.Click(portrait, Qt::RightButton, gesture);
    EXPECT_EQ(t.form->UnlockClicks(), 0);
    EXPECT_EQ(t.form->StageItems(), Numbers(1, 30));
    EXPECT_EQ(t.form->SelectedStage(), "5");
    EXPECT_EQ(t.game.stageReached, 30);
  }
  EXPECT_EQ(t.sound.effects, (std::vector<int>{12, 12}));
  EXPECT_EQ(t.calls, (QStringList{"unlocked 30", "unlocked 30"}));
}

TEST(FormTitle, HiddenUnlockBeyondStage30AddsNothingAndLowersTheProgress) {
  TitleFixture t(35);
  const QStringList before = t.form->StageItems();
  for (int i = 0; i < 5; ++i) t.Click(t.Child<QWidget>("PicMorvikTitle"), Qt::RightButton, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(t.form->StageItems(), before);
  EXPECT_EQ(t.form->SelectedStage(), "30");
  EXPECT_EQ(t.game.stageReached, 30);
  EXPECT_EQ(t.calls, QStringList{"unlocked 30"});
}

TEST(FormTitle, BlinkClosesTheEyesBrieflyThenWaitsAtRandom) {
  TitleFixture t;
  // Ties round to even: 1/64 × 4000 = 62.5 gives 62, 3/64 × 4000 = 187.5 gives 188.
  t.randoms = {0.0, 1.0 / 64, 3.0 / 64, 0.99999};
  const int openWaits[] = {700, 762, 888, 4700};
  const QImage original = t.form->Portrait();
  ASSERT_EQ(original, t.art.portrait);
  t.form->StartBlink();
  t.scheduler.Advance(3999);
  EXPECT_EQ(t.form->EyeState(), 0);
  EXPECT_TRUE(t.sound.effects.empty());
  t.scheduler.Advance(1);
  for (int blink = 0; blink < 4; ++blink) {
    EXPECT_EQ(t.form->EyeState(), 1) << blink;
    EXPECT_EQ(t.EyeRegion(), t.art.eyeClosed) << blink;
    EXPECT_EQ(t.sound.effects, std::vector<int>(blink + 1, 20)) << blink;
    EXPECT_EQ(t.form->BlinkInterval(), 200);
    t.scheduler.Advance(199);
    EXPECT_EQ(t.form->EyeState(), 1) << blink;
    t.scheduler.Advance(1);
    EXPECT_EQ(t.form->EyeState(), 0) << blink;
    EXPECT_EQ(t.form->Portrait(), original) << blink;
    EXPECT_EQ(t.form->BlinkInterval(), openWaits[blink]) << blink;
    t.scheduler.Advance(openWaits[blink] - 1);
    EXPECT_EQ(t.form->EyeState(), 0) << blink;
    t.scheduler.Advance(1);
  }
}

TEST(FormTitle, BlinkStopsWhenLeftAndResumesWithTheWaitItHad) {
  TitleFixture t;
  t.randoms = {0.5};
  t.form->StartBlink();
  t.scheduler.Advance(4000);  // eyes closed, 200 ms to go
  t.form->StopBlink();
  t.scheduler.Advance(10'000);
  EXPECT_EQ(t.form->EyeState(), 1);
  EXPECT_FALSE(t.form->Blinking());
  t.form->StartBlink();
  t.form->StartBlink();  // a second start changes nothing
  t.scheduler.Advance(199);
  EXPECT_EQ(t.form->EyeState(), 1);
  t.scheduler.Advance(1);
  EXPECT_EQ(t.form->EyeState(), 0);
  EXPECT_EQ(t.form->BlinkInterval(), 2700);
  t.form->StopBlink();
  t.form->StartBlink();
  t.scheduler.Advance(2699);
  EXPECT_EQ(t.form->EyeState(), 0);
  t.scheduler.Advance(1);
  EXPECT_EQ(t.form->EyeState(), 1);
}

TEST(FormTitle, RoundHalfEven) {
  struct Row { double v; int r; } rows[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {62.5, 62}, {187.5, 188}, {2.4999, 2}, {2.5001, 3}, {3999.9, 4000}};
  for (const Row& r : rows) EXPECT_EQ(RoundHalfEven(r.v), r.r) << r.v;
}

}  // namespace
}  // namespace morvik

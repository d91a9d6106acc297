// The program as a whole on virtual time: which screen shows after each event, the kind of
// play, the music asked for, and what reaches the play information file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>

#include "play/FormMain.h"
#include "platform/FileDialogs.h"
#include "platform/VirtualScheduler.h"
#include "shell/Application.h"
#include "shell/FormEnding.h"
#include "shell/FormTitle.h"
#include "tests/play/PlayFixture.h"
#include "tests/support/WindowKeys.h"

namespace morvik {
namespace {

using test::AnsweringMessages;
using test::StageBlock;

struct Game {
  explicit Game(const std::string& playInfo = "", const std::string& extraStages = "", const std::string& shortest = "") {
    // Each game keeps its records in a data folder of its own. Stage 2 differs from stage 1 by
    // a stone out of the way: a stage as played has one record, whatever its number.
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath("data")));
    const std::string map = StageBlock(1, {".@.y"}) + StageBlock(2, {".@.y", "", "", "", "", "", "", "", "", ". . . . . . . . . .S"}) +
                            StageBlock(30, {".@.y"}) + StageBlock(61, {". .y", "", "", "", "", ". . . . . .@"}, 0, 4) +
                            extraStages;
    Write("mapdata.dat", map);
    Write("unit.mvk", StageBlock(7, {".@.y"}));
    if (!playInfo.empty()) Write("PlayInfo.DAT", playInfo);
    if (!shortest.empty()) Write("shortest.txt", shortest);
    pictures.LoadFrom(dir.filePath("pictures"));
    app = std::make_unique<Application>(dir.path(), Application::Services{scheduler, sound, messages, files, pictures});
    app->onEnd = [this] { ++ended; };
    app->Main();
  }
  void Write(const QString& name, const std::string& text) {
    QFile f(dir.filePath(name));
    f.open(QIODevice::WriteOnly);
    f.write(text.data(), static_cast<qint64>(text.size()));
  }
  QByteArray Saved() {
    QFile f(dir.filePath("PlayInfo.DAT"));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }
  void Key(QWidget& w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(&w, &press);
  }
  // Plays the shown stage: the flower right of the hero is taken, the stage cleared; `before`
  // are arrow keys pressed first ('D', 'U').
  void ClearStage(const std::string& before = "") {
    scheduler.Advance(1800);
    for (char k : before + "R") {
      Key(app->Play(), k == 'D' ? Qt::Key_Down : k == 'U' ? Qt::Key_Up : Qt::Key_Right);
      scheduler.Advance(500);
    }
    sound.EndJingle();
    scheduler.Advance(4000);
  }
  // The ending window, once the ending has started.
  FormEnding* Ending() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* e = dynamic_cast<FormEnding*>(w)) return e;
    return nullptr;
  }
  // What the player picks in the title's lists.
  void ChooseStory(int index) {
    auto* list = app->Title().findChild<QComboBox*>("ComboStory");
    list->setCurrentIndex(index);
    emit list->activated(index);
  }
  void SelectStage(const QString& item) {
    auto* list = app->Title().findChild<QComboBox*>("ComboStg");
    list->setCurrentIndex(list->findText(item));
  }
  // The progress and story lines of the saved file.
  QByteArray SavedProgress() {
    const QList<QByteArray> lines = Saved().split('\n');
    return lines.size() >= 4 ? lines[2] + lines[3] : QByteArray();
  }
  std::string Showing() { return app->Title().isVisible() ? "title" : app->Play().isVisible() ? "play" : "none"; }

  QTemporaryDir dir;
  VirtualScheduler scheduler;
  RecordingSound sound;
  AnsweringMessages messages;
  RecordingFileDialogs files;
  PictureStore pictures;
  std::unique_ptr<Application> app;
  int ended = 0;
};

TEST(Application, StartsOnTheTitleWithItsMusic) {
  Game g;
  EXPECT_EQ(g.Showing(), "title");
  EXPECT_EQ(g.app->Title().StageItems(), QStringList{"1"});
  EXPECT_EQ(g.sound.music.back(), 12);
  EXPECT_TRUE(g.messages.shown.empty()) << "a first start without a play information file just works";
}

// The play screen and the editor are made once the title has been painted, so that the
// title shows sooner; whatever switches the player set meanwhile, they show them.
TEST(Application, ThePlayScreenComesAfterTheTitlesFirstPaintWithItsSwitches) {
  Game g;
  auto made = [] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (dynamic_cast<FormMain*>(w)) return true;
    return false;
  };
  EXPECT_FALSE(made());
  g.app->Title().hooks.musicToggled(false);
  g.app->Title().hooks.soundToggled(false);
  g.app->Title().grab();  // its first paint
  g.scheduler.Advance(0);
  ASSERT_TRUE(made());
  EXPECT_FALSE(g.app->Play().MusicChecked());
  EXPECT_FALSE(g.app->Play().SoundChecked());
}

TEST(Application, StoryPlayFromTheTitleAndBack) {
  Game g;
  g.Key(g.app->Title(), Qt::Key_Return);
  EXPECT_EQ(g.Showing(), "play");
  EXPECT_EQ(g.app->Game().stageNo, 1);
  EXPECT_FALSE(g.app->Game().unitPlay);
  EXPECT_EQ(g.sound.music.back(), 1);
  g.ClearStage();
  EXPECT_EQ(g.app->Game().stageNo, 2);
  EXPECT_EQ(g.Showing(), "play");
  // Back to the title: the farthest stage is raised and saved, the title music restarts.
  g.app->Play().mnuToTitle_Click();
  EXPECT_EQ(g.Showing(), "title");
  EXPECT_EQ(g.app->Game().stageReached, 2);
  EXPECT_TRUE(g.Saved().contains("PI11>BFHLP")) << g.Saved().toStdString();
  EXPECT_EQ(g.app->Title().StageItems(), (QStringList{"1", "2"}));
  EXPECT_EQ(g.sound.music.back(), 12);
}

TEST(Application, TheTitleStarsTheStagesClearedInTheFewestPresses) {
  // The shipped fewest presses, the presses before the clearing one, the title's list after.
  struct Row { const char* shortest; const char* before; QStringList items; } rows[] = {
      {"1 1\n2 1\n", "", {"1 ★", "2"}},
      {"1 1\n", "DU", {"1", "2"}},  // cleared in 3 presses
      {"", "", {"1", "2"}},          // the fewest are not known
      {"2 1\n", "", {"1", "2"}},
  };
  for (const Row& r : rows) {
    Game g("", "", r.shortest);
    g.Key(g.app->Title(), Qt::Key_Return);
    g.ClearStage(r.before);
    g.app->Play().mnuToTitle_Click();
    EXPECT_EQ(g.app->Title().StageItems(), r.items) << r.shortest << r.before;
  }
  // The starred item starts its stage.
  Game g("", "", "1 1\n");
  g.Key(g.app->Title(), Qt::Key_Return);
  g.ClearStage();
  g.app->Play().mnuToTitle_Click();
  g.SelectStage("1 ★");
  g.Key(g.app->Title(), Qt::Key_Return);
  EXPECT_EQ(g.Showing(), "play");
  EXPECT_EQ(g.app->Game().stageNo, 1);
}

// A story stage cleared counts, however the player leaves while "CLEAR !" is announced.
TEST(Application, LeavingDuringTheClearAnnouncementKeepsTheClear) {
  struct Row {
    const char* name;
    std::function<void(Game&)> leave;
  } rows[] = {
      {"Ctrl+Q", [](Game& g) { test::TypeIntoWindow(&g.app->Play(), Qt::Key_Q, Qt::ControlModifier); }},
      {"F12", [](Game& g) { test::TypeIntoWindow(&g.app->Play(), Qt::Key_F12); }},
      {"window closed", [](Game& g) { g.app->Play().close(); }},
  };
  for (const Row& r : rows) {
    Game g;
    g.Key(g.app->Title(), Qt::Key_Return);
    g.scheduler.Advance(1800);
    g.Key(g.app->Play(), Qt::Key_Right);
    g.scheduler.Advance(500);  // the flower is taken: the jingle plays
    ASSERT_EQ(g.app->Play().Scene().message.text, "CLEAR !") << r.name;
    r.leave(g);
    EXPECT_EQ(g.app->Game().stageReached, 2) << r.name;
    EXPECT_TRUE(g.Saved().contains("PI11>BFHLP")) << r.name << ": " << g.Saved().toStdString();
  }
  // Stage 30: the ending counts as reached, the other stories open, whether the player leaves
  // during "CLEAR !" or in the wait before the ending.
  for (const Row& r : rows) {
    for (bool announcing : {true, false}) {
      Game g;
      g.app->Game().stageNo = 30;
      g.app->Title().hooks.startStage();
      g.scheduler.Advance(1800);
      g.Key(g.app->Play(), Qt::Key_Right);
      g.scheduler.Advance(500);
      if (!announcing) {
        g.sound.EndJingle();
        g.scheduler.Advance(2000);
      }
      ASSERT_EQ(g.app->Play().Scene().message.text, "CLEAR !") << r.name;
      r.leave(g);
      g.scheduler.RunUntilIdle();
      EXPECT_EQ(g.Ending(), nullptr) << r.name << ": leaving cancels the ending itself";
      EXPECT_EQ(g.SavedProgress(), "PI11Z^bdhl\rST(<<\r") << r.name << " " << announcing;
      if (g.Showing() == "title") {
        EXPECT_TRUE(g.app->Title().StoryListShown()) << r.name;
      }
    }
  }
}

// A story clear is saved the moment it happens, before the stage is left: a session that is
// killed then keeps it.
TEST(Application, AClearIsSavedAtOnce) {
  Game g;
  g.Key(g.app->Title(), Qt::Key_Return);
  g.scheduler.Advance(1800);
  g.Key(g.app->Play(), Qt::Key_Right);
  g.scheduler.Advance(500);
  ASSERT_EQ(g.app->Play().Scene().message.text, "CLEAR !");
  EXPECT_EQ(g.SavedProgress(), "PI11>BFHLP\rST(;;\r");
  EXPECT_EQ(g.app->Game().stageNo, 1) << "the stage shown is still the one cleared";
  g.sound.EndJingle();
  g.scheduler.Advance(4000);
  EXPECT_EQ(g.app->Game().stageNo, 2);
}

// The end of the session from outside (a signal, the desktop's logout) saves what ending the
// program from the screen shown would save; once the program has ended its own way, nothing.
TEST(Application, TheSessionsEndSavesWhatEndingFromTheScreenWould) {
  Game g;
  g.app->Title().hooks.soundToggled(false);
  g.app->SaveAtSessionEnd();
  EXPECT_EQ(g.SavedProgress(), "PI10=AEGKO\rST(;;\r") << "the title saves its settings, as its end menu does";
  const char* const atStageOne = "<Players' Information> For Morvik\r\nx\r\nPI11=AEGKO\r\nST(;;\r\n";
  Game play(atStageOne);
  play.app->Title().hooks.startStory();
  play.app->Play().hooks.musicToggled(false);
  play.app->SaveAtSessionEnd();
  EXPECT_EQ(play.Saved(), atStageOne) << "the play screen saves only new progress, as its end menu does";
  play.app->Title().hooks.quit();
  play.Write("PlayInfo.DAT", "kept");
  play.app->SaveAtSessionEnd();
  EXPECT_EQ(play.Saved(), "kept");
}

// Two copies of the game on one folder: the one that saves last never lowers the progress
// the other saved, except through "プレイデータ消去".
TEST(Application, ASaveNeverLowersTheProgressAnotherCopySaved) {
  Game g;
  g.Write("PlayInfo.DAT", "<Players' Information> For Morvik\r\nx\r\nPI11?CGIMQ\r\nST(<>\r\n");  // the other copy
  g.app->Title().hooks.soundToggled(false);
  g.app->Title().hooks.quit();
  EXPECT_EQ(g.SavedProgress(), "PI10?CGIMQ\rST(<>\r") << "stage 3 and the stories kept, this copy's settings";
  EXPECT_EQ(g.app->Game().stageReached, 3);
  EXPECT_EQ(g.app->Game().superReached, 3);
  g.messages.answers = {MsgResult::Yes};
  g.app->Title().hooks.resetProgress();
  EXPECT_EQ(g.SavedProgress(), "PI10=AEGKO\rST(;;\r");
}

TEST(Application, ThirdStoryStartsAtStageSixtyOne) {
  Game g("<Players' Information> For Morvik\r\nx\r\nPI11=AEGKO\r\nST*;;\r\n");
  EXPECT_EQ(g.app->Game().storyNo, 2);
  g.app->Title().hooks.startStory();
  EXPECT_EQ(g.Showing(), "play");
  EXPECT_EQ(g.app->Game().stageNo, 61);
  EXPECT_EQ(g.sound.music.back(), 4);
}

TEST(Application, StageUnitPlayAndBack) {
  Game g;
  g.app->Title().hooks.openUnitFile(g.dir.filePath("unit.mvk"));
  EXPECT_EQ(g.Showing(), "play");
  EXPECT_TRUE(g.app->Game().unitPlay);
  EXPECT_EQ(g.app->Game().stageNo, 0);
  g.scheduler.Advance(1800);
  g.app->Play().ComTestEnd_Click();
  EXPECT_EQ(g.Showing(), "title");
  EXPECT_FALSE(g.app->Game().unitPlay);
  EXPECT_EQ(g.app->Game().stageReached, 1) << "single files record no progress";
}

TEST(Application, ClearingAStageUnitAsksToTryAgain) {
  Game g;
  g.messages.answers = {MsgResult::Yes, MsgResult::No};
  g.app->Title().hooks.openUnitFile(g.dir.filePath("unit.mvk"));
  g.ClearStage();
  EXPECT_EQ(g.Showing(), "play");
  g.ClearStage();
  EXPECT_EQ(g.Showing(), "title");
  ASSERT_EQ(g.messages.shown.size(), 2u);
  EXPECT_EQ(g.messages.shown[0], "TRY AGAIN?|もう一度しますか？");
}

TEST(Application, MissingStageEndsTheProgram) {
  Game g;
  g.app->Game().stageReached = 5;
  g.app->Title().FillStageList();
  g.Key(g.app->Title(), Qt::Key_Return);  // stage 5 is not in the map file
  EXPECT_EQ(g.messages.shown.back(), "エラー|データが見つかりません。");
  EXPECT_EQ(g.ended, 1);
}

TEST(Application, StageThirtyClearedStartsTheEnding) {
  Game g;
  g.app->Game().stageNo = 30;
  g.app->Title().hooks.startStage();
  g.ClearStage();
  FormEnding* ending = g.Ending();
  ASSERT_NE(ending, nullptr);
  EXPECT_TRUE(ending->isVisible());
  EXPECT_EQ(g.Showing(), "none") << "the play screen is hidden, the title stays hidden";
  EXPECT_EQ(g.app->Game().stageReached, 30);
  // The ending opens the user and super stories at their first stages.
  EXPECT_EQ(g.SavedProgress(), "PI11Z^bdhl\rST(<<\r");
  EXPECT_EQ(g.sound.music.back(), 13);
  // The show runs to its end and rests there; Esc then ends the program without a question.
  g.scheduler.RunUntilIdle();
  EXPECT_EQ(ending->EndingStep(), 19);
  EXPECT_EQ(g.ended, 0);
  g.Key(*ending, Qt::Key_Escape);
  EXPECT_EQ(g.ended, 1);
  EXPECT_TRUE(g.messages.shown.empty());
}

TEST(Application, TheEndingKeepsAFartherStageReached) {
  Game g;
  g.app->Game().stageNo = 30;
  g.app->Title().hooks.startStage();
  g.app->Game().stageReached = 35;  // reached in a later story
  g.ClearStage();
  ASSERT_NE(g.Ending(), nullptr);
  EXPECT_EQ(g.app->Game().stageReached, 35);
  EXPECT_FALSE(g.Saved().contains("PI11Z^bdhl"));
}

// What a player who keeps to the main story writes is what older files hold, byte for byte:
// the story line keeps "ST(;;" until the ending opens the other stories.
TEST(Application, MainStoryProgressKeepsTheFileAsItWas) {
  const std::string old = "<Players' Information> For Morvik\r\n2020/01/02\r\nPI10>BFHLP\r\nST(;;\r\n";
  Game g(old);
  EXPECT_FALSE(g.app->Title().StoryListShown());
  EXPECT_EQ(g.app->Title().StageItems(), (QStringList{"1", "2"}));
  g.app->Title().hooks.quit();
  EXPECT_EQ(g.SavedProgress(), "PI10>BFHLP\rST(;;\r");
  // A file holding the other stories' progress reads back as written.
  Game again("<Players' Information> For Morvik\r\nx\r\nPI11Z^bdhl\r\nST)AH\r\n");
  EXPECT_EQ(again.app->Game().userReached, 6);
  EXPECT_EQ(again.app->Game().superReached, 13);
  again.app->Title().hooks.quit();
  EXPECT_EQ(again.SavedProgress(), "PI11Z^bdhl\rST)AH\r");
}

// Once open, each story keeps its own farthest stage; the main story's is untouched by the
// others, and leaving the play screen records the stage of the story played.
TEST(Application, EachStoryKeepsItsOwnFarthestStage) {
  Game g("<Players' Information> For Morvik\r\nx\r\nPI11Z^bdhl\r\nST(<<\r\n",
         StageBlock(31, {".@.y"}) + StageBlock(32, {".@.y"}) + StageBlock(33, {".@.y"}));
  FormTitle& title = g.app->Title();
  EXPECT_TRUE(title.StoryListShown());
  EXPECT_EQ(title.StageItems().size(), 30);
  g.ChooseStory(1);
  EXPECT_EQ(g.app->Game().storyNo, 1);
  EXPECT_EQ(title.StageItems(), QStringList{"1"});
  g.Key(title, Qt::Key_Return);
  EXPECT_EQ(g.app->Game().stageNo, 31);
  g.ClearStage();
  g.ClearStage();
  EXPECT_EQ(g.app->Game().stageNo, 33);
  g.app->Play().mnuToTitle_Click();
  EXPECT_EQ(g.app->Game().userReached, 3);
  EXPECT_EQ(g.app->Game().stageReached, 30);
  EXPECT_EQ(title.StageItems(), (QStringList{"1", "2", "3"}));
  EXPECT_EQ(g.SavedProgress(), "PI11Z^bdhl\rST)><\r");
  // "プレイデータ消去" forgets every story's progress: the player starts afresh in the main story.
  g.messages.answers = {MsgResult::Yes};
  title.hooks.resetProgress();
  EXPECT_FALSE(title.StoryListShown());
  EXPECT_EQ(title.StageItems(), QStringList{"1"});
  EXPECT_EQ(g.SavedProgress(), "PI11=AEGKO\rST(;;\r");
}

// Clearing a story's last stage, or a stage whose story has no next stage in the map file,
// congratulates the player and goes back to the title with the progress saved; the program
// goes on.
TEST(Application, FinishingAStoryReturnsToTheTitle) {
  // The title then offers the story's stages up to its farthest, that one selected.
  struct Row { const char* storyLine; const char* item; int clears; int lastStage; const char* savedStoryLine, *selected; } rows[] = {
      {"ST)G<", "12", 2, 43, "ST)H<", "13"},  // the user story's last two stages
      {"ST*<P", "21", 1, 81, "ST*<P", "21"},  // the super story's last stage, reached before
      {"ST(<<", "2", 1, 2, "ST(<<", "30"},    // the main story's next stage is missing from this map file
  };
  for (const Row& r : rows) {
    Game g(std::string("<Players' Information> For Morvik\r\nx\r\nPI11Z^bdhl\r\n") + r.storyLine + "\r\n",
           StageBlock(42, {".@.y"}) + StageBlock(43, {".@.y"}) + StageBlock(81, {".@.y"}));
    g.SelectStage(r.item);
    g.Key(g.app->Title(), Qt::Key_Return);
    for (int i = 0; i < r.clears; ++i) g.ClearStage();
    EXPECT_EQ(g.app->Game().stageNo, r.lastStage);
    EXPECT_EQ(g.Showing(), "title") << r.lastStage;
    EXPECT_EQ(g.ended, 0) << r.lastStage;
    ASSERT_EQ(g.messages.shown.size(), 1u) << r.lastStage;
    EXPECT_TRUE(g.messages.shown[0].startsWith("CONGRATULATIONS !|")) << g.messages.shown[0].toStdString();
    EXPECT_EQ(g.app->Title().SelectedStage(), r.selected) << r.lastStage;
    EXPECT_EQ(g.SavedProgress(), QByteArray("PI11Z^bdhl\r") + r.savedStoryLine + "\r") << r.lastStage;
  }
}

TEST(Application, MusicAndEffectSwitchesFollowEachOtherAndAreSaved) {
  Game g;
  g.app->Title().hooks.startStory();
  g.app->Play().hooks.musicToggled(false);
  EXPECT_FALSE(g.app->Title().MusicChecked());
  EXPECT_FALSE(g.sound.musicOn);
  g.app->Play().hooks.musicToggled(true);
  EXPECT_EQ(g.sound.music.back(), 1) << "the stage music starts again";
  g.app->Title().hooks.soundToggled(false);
  EXPECT_FALSE(g.app->Play().SoundChecked());
  EXPECT_FALSE(g.sound.effectsOn);
  g.app->Play().mnuToTitle_Click();
  g.app->Title().hooks.quit();
  EXPECT_EQ(g.ended, 1);
  EXPECT_TRUE(g.Saved().contains("PI10=AEGKO"));
}

TEST(Application, DamagedPlayInformationIsReportedAndStartsFresh) {
  Game g("<Players' Information> For Morvik\r\nx\r\nPI01=AFGKO\r\nST(;;\r\n");
  ASSERT_EQ(g.messages.shown.size(), 1u);
  EXPECT_TRUE(g.messages.shown[0].startsWith("エラー|セーブデータが読めません。"));
  EXPECT_FALSE(g.app->Title().MusicChecked()) << "the settings read before the damage still apply";
  EXPECT_EQ(g.app->Title().StageItems(), QStringList{"1"});
}

}  // namespace
}  // namespace morvik

#pragma once
// The title screen: the hero's blinking portrait, the list of stages the player may start
// from, the buttons and the menus. Everything that leaves the title goes through its hooks;
// the shell switches screens, plays music, saves the progress and shows the help.
#include <QImage>
#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <set>

#include "core/ModMain.h"
#include "platform/Platform.h"

class QAction;
class QComboBox;
class QLabel;
class QPushButton;

namespace morvik {

class FileDialogs;

class FormTitle final : public QMainWindow {
 public:
  // random gives a uniform value in [0, 1) for the blink pauses; unset, Qt's generator.
  FormTitle(ModMain& game, Platform& platform, FileDialogs& files, std::function<double()> random = {},
            QWidget* parent = nullptr);
  ~FormTitle() override;

  // Where the title hands over; unset hooks do nothing. The shell stops the title music and
  // the blink and hides the title before it shows another screen.
  struct Hooks {
    std::function<void()> startStory;                  // the story from its first stage
    std::function<void()> startStage;                  // game.stageNo of the main map file (set)
    std::function<void(QString)> openUnitFile;         // play this single stage file
    std::function<void()> openEditor;                  // the stage editor
    std::function<void()> quit;                        // end menu or window closed: stop, save, end
    std::function<void(bool)> musicToggled;            // "BGMあり" switched to this state
    std::function<void(bool)> soundToggled;            // "サウンドあり" switched to this state
    std::function<void()> resetProgress;               // ask, reset and refill the stage list
    std::function<void()> unlocked;                    // stages up to 30 were unlocked: save
    std::function<void(int topic)> help;               // the help file at this topic
    std::function<void()> version;                     // the version message
    std::function<void()> homePage;                    // the author's home page
    // The stages (numbered as game.stageNo) the player has cleared in the fewest presses
    // possible: the stage list marks them with a star.
    std::function<std::set<int>()> shortestClears;
    // Once, just after the title has first been painted: what the title does not show can
    // be made from then on without keeping the player waiting for the window.
    std::function<void()> firstPainted;
  };
  Hooks hooks;

  // Help topics the title opens: its own (F1, help menu) and the one of "How to Play".
  static constexpr int HelpTopicTitle = 1;
  static constexpr int HelpTopicHowToPlay = 10;

  // Selects story game.storyNo in the story list (a number it does not offer becomes 0), shows
  // that list once the other stories are open, and refills the stage list with the story's
  // stages reached ("1" … its farthest; a main story progress of 0 is taken as 1 and stored
  // so), its last item selected.
  void FillStageList();
  bool StoryListShown() const;
  // The blink timer; it starts with a 4000 ms wait, and each pause carries over to the next
  // start.
  void StartBlink();
  void StopBlink();

  // The check marks of "BGMあり" and "サウンドあり"; setting them calls no hook.
  void SetMusicChecked(bool on);
  void SetSoundChecked(bool on);
  bool MusicChecked() const;
  bool SoundChecked() const;
  bool IsMinimised() const { return isMinimized(); }

  // What tests and the shell look at.
  QStringList StageItems() const;
  QString SelectedStage() const;
  int StoryIndex() const;
  int EyeState() const { return eyeState_; }
  int UnlockClicks() const { return unlockClicks_; }
  bool Blinking() const { return blinkTimer_ != 0; }
  int BlinkInterval() const { return blinkInterval_; }
  const QImage& Portrait() const { return portrait_; }

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  class PortraitBox;

  void BuildMenus();
  void BuildControls();
  void FillStages();
  QString StageItemText(int item) const;
  void ComCont_Click();
  void mnuOpenMVK_Click();
  void PicMorvikTitle_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
  void TimerAnime_Timer();
  void DrawEyes();
  void FilesDropped(const QStringList& paths);

  ModMain& game_;
  Platform& platform_;
  FileDialogs& files_;
  std::function<double()> random_;
  QImage portrait_;              // the portrait as shown, eyes drawn into it
  QImage eyes_[2];               // open, closed
  PortraitBox* picMorvikTitle_ = nullptr;
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QComboBox* comboStg_ = nullptr;
  QComboBox* comboStory_ = nullptr;
  QPushButton* comCont_ = nullptr;
  QAction* mnuBGM_ = nullptr;
  QAction* mnuSound_ = nullptr;
  int eyeState_ = 0;
  int unlockClicks_ = 0;
  int blinkInterval_ = 4000;
  std::set<int> shortestClears_;  // as asked when the list was last filled
  Scheduler::Id blinkTimer_ = 0;
};

// Which stage a stage list item starts in the given story: its number plus 30 × story, or 0
// when the item names no stage of that story (a letter, a number beyond the story's length).
// The star of a stage cleared in the fewest presses is no part of its number.
int StageOfItem(const QString& item, int storyNo);
// Rounds to the nearest integer, ties to the even one.
int RoundHalfEven(double v);
// The mark after the number of a stage cleared in the fewest presses.
inline constexpr char16_t ShortestStar[] = u" ★";

}  // namespace morvik

#pragma once
// The play screen: the field and the controls under it, the menus, and the routing of keys
// and clicks to the rules and to the screen's parts, each of which owns its own timers: the
// stage's opening, the field performer that plays the rules' effect scripts, the jump meter,
// the outcome sequence, the visitor, the answer guide, the counts row and the hint. It keeps
// the attempt's undo line and tells the shell (its hooks) where to go when a stage is left.
#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "core/ModMain.h"
#include "play/FieldImage.h"
#include "play/FieldPerformer.h"
#include "play/FieldScene.h"
#include "play/GuideRunner.h"
#include "play/HintPanel.h"
#include "play/JumpMeter.h"
#include "play/OutcomeSequence.h"
#include "play/PressCounter.h"
#include "play/ScriptPlayer.h"
#include "play/StageOpening.h"
#include "play/UndoHistory.h"
#include "play/Visitor.h"
#include "platform/Platform.h"

class QLabel;
class QPushButton;
class QAction;

namespace morvik {

class FieldWidget;

class FormMain final : public QMainWindow {
 public:
  // records: the player's bests, which the program shares with the title; without, the
  // screen keeps its own.
  FormMain(ModMain& game, Platform& platform, PressRecords& records, QWidget* parent = nullptr);
  FormMain(ModMain& game, Platform& platform, QWidget* parent = nullptr);
  ~FormMain() override;

  // Where the screen hands over when a stage is left; unset hooks do nothing.
  struct Hooks {
    std::function<void()> endProgram;    // the stage could not be found, or the end menu
    std::function<void()> showTitle;     // back to the title
    std::function<void()> showEditor;    // back to the editor after a test play
    std::function<void()> startEnding;   // main story stage 30 cleared
    std::function<void()> saveProgress; // StageReached was raised: the play information is saved
    std::function<void(bool)> musicToggled;
    std::function<void(bool)> soundToggled;
    std::function<void(int)> help;       // F1: help at this topic
    std::function<void()> version;
    std::function<void()> homePage;
    std::function<void(QString)> showAdvice;  // unset: the advice window opens as a modal dialog
  };
  Hooks hooks;

  // Sets up stage game.stageNo of game.mapFilePath and starts its opening. False when the
  // stage could not be read: the player was told and the hooks took over.
  bool InitialTreat();
  // Ends the attempt: everything it was doing stops, the outcome's caption shows and the
  // outcome sequence takes over.
  void StageEnd(Outcome outcome);
  // The key handler of the field (virtual key code, modifiers 1 Shift, 2 Ctrl, 4 Alt).
  void Form_KeyDown(int keyCode, int modifiers);

  void SetMusicChecked(bool on);
  void SetSoundChecked(bool on);
  bool MusicChecked() const;
  bool SoundChecked() const;
  // The menu commands: back to the title (or the editor), and the end of the program.
  void mnuToTitle_Click();
  void mnuEnd_Click();
  void ComTestEnd_Click();
  // The session ends: the story stage being played counts as reached, as when it is left.
  void KeepProgress();
  // A press on the next-flower box (button, shift state 1 Shift 2 Ctrl 4 Alt).
  void PicNext_MouseDown(Qt::MouseButton button, int shift);
  static constexpr int HelpTopic = 2;

  // Taking presses of this attempt back and making them again (keys act only while the
  // field takes keys); the presses on the line played so far.
  void mnuUndo_Click();
  void mnuRedo_Click();
  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  int Presses() const { return history_.Presses(); }

  // Presses against the player's best and the fewest possible, and the hint.
  void SetRecordsFile(const QString& path) { records_.SetPath(path); }
  const PressRecords& Records() const { return records_; }
  int ShortestPresses() const { return counter_->Shortest(); }  // 0 while unknown
  QString PressesText() const;
  void ComHint_Click();
  QString HintText() const;
  bool HintShown() const { return hint_->Shown(); }
  bool ClearedInShortest() const { return counter_->ClearedInShortest(); }
  // The searches behind the shortest count and the hint (tests wait on them).
  SolverWorker& ShortestSearch() { return counter_->Search(); }
  SolverWorker& HintSearch() { return hint_->Search(); }

  // Answer files and the guide.
  void AnswerAppend(int x, int y, int action);
  void SaveAnsData();
  void ComAns_Click();
  const AnswerGuide& Guide() const { return guideRunner_.Guide(); }
  bool GuideBlinking() const { return guideRunner_.Blinking(); }

  // Advice and the visitor.
  void AdviceCheck();
  void PicAdvice_Click();
  void PicAdvice_KeyDown(int keyCode, int modifiers);
  void PicMeter_DblClick();
  QString AdviceText() const { return adviceText_; }
  bool VisitorPresent() const { return visitor_.Present(); }

  // What tests look at.
  const FieldScene& Scene() const { return scene_; }
  const FieldImage& Field() const { return image_; }
  QImage GrabField() const;
  // The field as the window shows it, at the view size's device pixels.
  QImage GrabFieldOnScreen() const;
  int NextPicture() const { return nextPicture_; }
  bool KeyPreview() const { return keyPreview_; }
  bool StageActive() const { return stageActive_; }
  bool Playing() const { return player_.Busy(); }
  const JumpMeter& Meter() const { return *meter_; }

 protected:
  bool event(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void BuildMenus();
  void BuildControls();
  void LayOutAids(bool withButtons);
  void StageOpen(const StageId& stage);
  void OpeningEnded();
  void Perform(const Effect& e, Script& expansion);
  void ScreenEffect(const Effect& e);  // an effect for the screen rather than the field
  void RunScript(const Script& s);
  void SetNextPicture(int picture);
  void Restart();
  void LeaveToTitle();
  void StopVisitorAndGuide();
  void RepaintField();
  bool eventFilter(QObject* watched, QEvent* event) override;
  void ReleaseJump();

  // What undo brings back: the board, the pictures over the field, the next-flower box, the
  // test play's recording and the guide's place in its answer.
  struct PlaySnapshot {
    Board board;
    FieldScene scene;
    int nextPicture = 0;
    std::string ansData;
    AnswerGuide guide;
  };
  PlaySnapshot TakeSnapshot() const;
  void RestoreSnapshot(const PlaySnapshot& s);
  void StartHistory();
  void AfterPress();
  bool UndoKeysAct();
  void UndoAfterPress();
  void UpdateUndoMenu();
  // The boards of this attempt from the current one back to its start.
  std::vector<Board> LineOfAttempt() const;

  ModMain& game_;
  Platform& platform_;
  PressRecords ownRecords_;  // used when the program shares none
  PressRecords& records_;
  FieldImage image_;
  FieldScene scene_;
  FieldPerformer performer_{image_, scene_, platform_.sound, [this](const Effect& e) { ScreenEffect(e); }};
  ScriptPlayer player_;
  FieldWidget* field_ = nullptr;
  QLabel* picNext_ = nullptr;
  QLabel* picMeter_ = nullptr;
  QPushButton* comTestEnd_ = nullptr;
  QPushButton* comAns_ = nullptr;
  QLabel* picAdvice_ = nullptr;
  QAction* mnuANS_ = nullptr;
  QAction* mnuToTitle_ = nullptr;
  QAction* mnuEnd_ = nullptr;
  QAction* mnuBGM_ = nullptr;
  QAction* mnuSound_ = nullptr;
  QAction* mnuUndo_ = nullptr;
  QAction* mnuRedo_ = nullptr;
  UndoHistory<PlaySnapshot> history_;
  bool missed_ = false;         // the attempt ended in a miss: the next start may resume it
  bool pressChanged_ = false;   // the press being played changed the board
  bool undoQueued_ = false;     // an undo asked for while a press played waits for its end
  GuideRunner guideRunner_{platform_, scene_, [this] { RepaintField(); }};
  Visitor visitor_{platform_, scene_, [this] { RepaintField(); }};
  std::unique_ptr<PressCounter> counter_;  // made with their widgets
  std::unique_ptr<HintPanel> hint_;
  bool aidsWithButtons_ = false;  // the rows under the field leave room for back and answer
  QString adviceText_;
  bool keyPreview_ = false;
  int nextPicture_ = 17;
  StageOpening opening_{platform_.scheduler, scene_, [this] { RepaintField(); }};
  bool stageActive_ = false;  // keys act on the field
  bool inputReady_ = false;   // the opening has ended: a finished press may switch keys back on
  OutcomeSequence outcome_{game_, platform_,
                           {[this] { Restart(); }, [this] { StopVisitorAndGuide(); }, [this] { LeaveToTitle(); },
                            [this] { SaveAnsData(); }, [this] { if (hooks.startEnding) hooks.startEnding(); },
                            [this] { if (hooks.saveProgress) hooks.saveProgress(); }}};
  std::unique_ptr<JumpMeter> meter_;  // made with its picture
};

// The virtual key code and modifier bits of a Qt key event (0 for keys the field ignores).
int VirtualKeyOf(const QKeyEvent& e);
int ModifiersOf(const QKeyEvent& e);

}  // namespace morvik

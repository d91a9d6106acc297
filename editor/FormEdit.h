#pragma once
// The stage editor: the grid, the terrain and character palettes, the first-flower choice,
// the music number with its preview, the buttons and the menus. It opens, saves and
// test-plays stage-unit files; the test play runs on the play screen, which shows the
// editor again when it ends. Leaving the editor goes back to the title through its hook.
#include <QMainWindow>
#include <array>
#include <functional>
#include <vector>

#include "core/ModMain.h"
#include "editor/EditModel.h"
#include "platform/Platform.h"

class QAction;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace morvik {

class DesignerBench;
class EditGrid;
class FileDialogs;
class PaletteTile;

class FormEdit final : public QMainWindow {
 public:
  FormEdit(ModMain& game, Platform& platform, FileDialogs& files, QWidget* parent = nullptr);
  ~FormEdit() override;

  struct Hooks {
    std::function<void()> showTitle;  // the editor has ended: back to the title
    std::function<void(int)> help;    // F1: help at this topic
    std::function<void()> beep;       // the system beep; by default the desktop's
    // Test play of the stage just saved: the application readies the play screen on it (false
    // if it refused the stage and told the player), then shows it once the editor has hidden.
    std::function<bool()> startTestPlay;
    std::function<void()> showTestPlay;
  };
  Hooks hooks;
  static constexpr int HelpTopic = 3;

  // Entering the editor (the caller has emptied game.mapFilePath and set game.stageNo to 0).
  void EditStart();
  // The empty stage; the first-flower choice, the music number and the file stay.
  void EditInitialize();
  // Sets the modified flag and the caption.
  void Renewal(bool modified);
  // Reads block n of game.mapFilePath into the editor; on failure the player is told and
  // the editor is left without a file. True when the stage was read.
  bool LoadStageData(int n);

  // The commands, as the buttons, menus and keys run them. The save commands return true
  // when the stage is in its file afterwards.
  void ComNew_Click();
  void ComLoad_Click();
  bool ComSave_Click();
  bool mnuSaveAs_Click();
  void ComConvert_Click();
  void ComEnd_Click();
  void ComBGMTest_Click();
  void ComBGMTestStop_Click();
  // Undo and redo of the drawing (Ctrl+Z, Ctrl+Y).
  void mnuUndo_Click();
  void mnuRedo_Click();
  void FilesDropped(const QStringList& paths);

  // What tests and the shell look at.
  const EditModel& Model() const { return model_; }
  QImage GrabGrid() const;
  DesignerBench& Bench() { return *bench_; }

 protected:
  void closeEvent(QCloseEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  void BuildMenus();
  void BuildControls();
  void PicElm_Click(int index);
  void PicEdit_MouseDown(int cell, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
  void PicSel_Click(int index);
  void OptFirst_Click(int index);
  void VScrBGM_Change(int value);
  bool SaveStageData();
  // Writes the drawing's shortest clear beside the saved stage, as its answer file.
  void SaveFoundAnswer(const QString& stagePath);
  bool SaveUnderName();
  bool AskToSave(const QString& question, const QString& title, bool& cancelled);
  // Where the file dialogs start: the folder of the stage being edited, or else the last used.
  QString DialogFolder() const;
  void RememberFolderOf(const QString& path);
  // The stage changed: the undo commands and the verdict follow it.
  void StageEdited();
  void ShowSettings();
  void ShowCounts();
  void ShowSelection();
  void Beep();
  // "黄色の花は15個までです": why a character of this kind was not placed.
  static QString RefusalAtLimit(Piece p);

  ModMain& game_;
  Platform& platform_;
  FileDialogs& files_;
  EditModel model_;
  bool syncing_ = false;  // controls are being set from the stage: no edit
  EditGrid* picEdit_ = nullptr;
  std::vector<PaletteTile*> terrainTiles_, charaTiles_;
  QLabel* picLeft_ = nullptr;
  QLabel* picRight_ = nullptr;
  std::array<QLabel*, 4> countLabels_{};  // yellow, red, stone, PX
  std::array<QRadioButton*, 2> optFirst_{};
  QScrollBar* vscrBGM_ = nullptr;
  QLabel* labelBGM_ = nullptr;
  DesignerBench* bench_ = nullptr;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  QLabel* labelRefusal_ = nullptr;  // why the last press on the grid placed nothing
  QString lastFolder_;              // of the stage file last opened, dropped or saved
};

}  // namespace morvik

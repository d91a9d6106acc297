#pragma once
// The program as a whole: it owns the game state, the platform services and the screens,
// starts up, switches between the title and the play screen, keeps the music and effect
// switches of both screens alike, reads and saves the play information, and ends.
#include <QString>
#include <QStringList>
#include <memory>

#include <functional>

#include "core/ModMain.h"
#include "platform/FileDialogs.h"
#include "play/PressRecords.h"
#include "play/ShortestTable.h"
#include "platform/Platform.h"
#include "shell/PlayInfoFile.h"

namespace morvik {

class FormEdit;
class FormEnding;
class FormMain;
class FormTitle;
class HelpWindow;

class Application {
 public:
  // The platform services the program runs on: Qt's in the program, doubles in tests.
  struct Services {
    Scheduler& scheduler;
    Sound& sound;
    MessageBoxes& messages;
    FileDialogs& files;
    PictureStore& pictures;
  };
  // installed: the program runs from an installed layout, and keeps progress in the user's
  // data folder only (see PlayInfoFile::ImportOnlyFrom for importFrom).
  Application(QString programDir, Services services, bool installed = false, QStringList importFrom = {});
  ~Application();

  // Plays a stage file given on the command line (the desktop opens .mvk files so); after Main.
  void OpenStageFile(const QString& path);

  // What ending the program does; by default the event loop ends.
  std::function<void()> onEnd;
  // Called once the play screen and the editor have been made, with the pictures they show.
  std::function<void()> screensMade;

  // Start-up: first values, the screens, the play information, then the title.
  void Main();
  // Where the title leaves for (the numbers the title's choices have always had).
  enum class Screen {
    StoryStart = 0,  // the chosen story from its first stage
    Editor = 1,
    ChosenStage = 2,  // stage game.stageNo of the main map file
    StageFile = 3,    // the stage-unit file in game.mapFilePath
  };
  void ChangeScreen(Screen screen);
  void ShowTitle();
  void EndProgram();
  // Never lowers the progress the file holds, except for a reset of it.
  void SavePlayInfo(PlayInfoFile::Progress progress = PlayInfoFile::Progress::KeepFarthest);
  // The session ends from outside (a signal, the desktop's logout): what ending the program
  // from the screen shown would save is saved now. Nothing when the program has ended its own way.
  void SaveAtSessionEnd();

  // Both screens' "BGMあり" and "サウンドあり" follow each other.
  void SetMusic(bool on);
  void SetEffects(bool on);

  ModMain& Game() { return game_; }
  // The play screen and the editor, made if the title has not yet been painted.
  FormMain& Play();
  FormEdit& Edit();
  FormTitle& Title() { return *formTitle_; }

 private:
  void LoadPlayInfo();
  void StartEnding();
  void ShowHelp(int topic);
  void ShowVersion();
  void OpenHomePage();
  void OfferFittingViewSizes();
  // The play screen and the editor, with their hooks and the pictures they show; once.
  void MakeScreens();
  QString PicturesFolder() const;
  void SetProgramIcon();
  void ViewSizeChosen(int scale);
  void LanguageChosen(const QString& language);
  QString MapFile() const;

  QString programDir_;
  ModMain game_;
  Sound& sound_;
  MessageBoxes& messages_;
  FileDialogs& files_;
  PictureStore& pictures_;
  Platform platform_;
  PlayInfoFile playInfo_;
  PlayInfo saved_;  // what the play information file holds besides the game state
  PressRecords records_;  // the player's bests: the play screen keeps them, the title shows them
  std::unique_ptr<FormMain> formMain_;
  std::unique_ptr<FormEdit> formEdit_;
  std::unique_ptr<FormTitle> formTitle_;
  std::unique_ptr<FormEnding> formEnding_;  // made when the ending starts
  std::unique_ptr<HelpWindow> help_;
  ShortestTable shortest_;  // the shipped stages' fewest presses, for the title's stars
  bool shortestLoaded_ = false;
  bool ended_ = false;  // EndProgram ran
};

}  // namespace morvik

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTranslator>
#include <algorithm>
#include <cstdio>
#include <QGuiApplication>
#include <QScreen>
#include <QSessionManager>

#include "platform/FileDialogs.h"
#include "platform/FindNoCase.h"
#include "platform/Fonts.h"
#include "platform/GameSound.h"
#include "platform/Gamepads.h"
#include "platform/Language.h"
#include "platform/MessageBoxes.h"
#include "platform/LateAudioOut.h"
#include "platform/PictureStore.h"
#include "platform/QtScheduler.h"
#include "platform/QuitSignals.h"
#include "platform/SettingsFile.h"
#include "platform/QtTranslations.h"
#include "platform/ViewScale.h"
#include "platform/SdlMixer.h"
#include "core/ModMain.h"
#include "shell/Application.h"
#include "shell/ProgramFolders.h"
#include "shell/ProgramStart.h"

namespace morvik {

namespace {

// The view size must be known before the application object: the kept choice, or on the first
// start the screen's own width, seen through a short-lived application object.
void ChooseViewSize(int& argc, char** argv) {
  SettingsFile settings(SettingsFile::UserSettingsPath());
  int scale = ViewScale::Stored(settings);
  const QSize window = ViewScale::StoredWindow(settings);
  // A kept size larger than 1 is checked against the screen's free area (without the panels),
  // seen at size 1, with the window size the last run measured.
  if (scale == 0 || (scale > 1 && window.isValid())) {
    int first = 0, fitting = ViewScale::Largest;
    {
      QGuiApplication probe(argc, argv);
      if (const QScreen* s = QGuiApplication::primaryScreen()) {
        first = ViewScale::FirstChoice(static_cast<int>(s->geometry().width() * s->devicePixelRatio()), s->devicePixelRatio());
        if (window.isValid()) fitting = ViewScale::LargestFitting(window, s->availableGeometry().size());
      }
    }
    if (scale == 0) scale = std::max(1, first);
    if (scale > fitting) {
      ViewScale::NoteFallBack(scale);
      scale = fitting;
    }
    ViewScale::Store(settings, scale);
  }
  ViewScale::ApplyBeforeStart(scale);
}

}  // namespace

int RunProgram(int& argc, char** argv, const StartOptions& options) {
  ChooseViewSize(argc, argv);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("morvik"));
  if (options.appMade) options.appMade();
  // The language: Japanese unless English was chosen, in the menu or with --lang (kept for later starts).
  SettingsFile settings(SettingsFile::UserSettingsPath());
  QString problem;
  const QString asked = Language::FromArguments(QCoreApplication::arguments(), &problem);
  if (!problem.isEmpty()) std::fprintf(stderr, "morvik: %s\n", problem.toLocal8Bit().constData());
  if (!asked.isEmpty()) Language::Store(settings, asked);
  const QString programHome = options.programDir.isEmpty() ? QCoreApplication::applicationDirPath() : options.programDir;
  QTranslator gameTexts;
  if (!Language::Install(Language::Stored(settings), gameTexts, QDir(programHome).filePath(QStringLiteral("translations")), &problem))
    std::fprintf(stderr, "morvik: %s\n", problem.toLocal8Bit().constData());
  // In Japanese the message boxes and file dialogs speak Japanese, as the help describes them.
  QTranslator qtJapanese;
  QString missing;
  if (!Language::IsEnglish() && !InstallQtJapanese(qtJapanese, QtTranslationsFolder(), &missing))
    std::fprintf(stderr, "morvik: %s\n", missing.toLocal8Bit().constData());
  // The screens name a Windows gothic face; IPA's proportional gothic has the same metrics.
  morvik::InstallCaptionFace();
  // The build folder and an unpacked copy keep their files beside the program; an installed
  // program finds them in the data folder of its layout.
  ProgramFolders folders = FindProgramFolders(QCoreApplication::applicationDirPath(), options.installedData, QString::fromLatin1(MapFileName));
  if (!options.programDir.isEmpty()) folders = ProgramFolders{options.programDir, false, {}};
  const QString programDir = folders.data;
  QtScheduler scheduler;
  // The title shows while the audio device opens and its music is read; the game controllers
  // follow the device, so that the two never start SDL's parts at once.
  std::unique_ptr<Gamepads> gamepads;  // presses reach whichever window is active, as the keyboard's do
  LateAudioOut audio(scheduler, [] { return std::make_unique<SdlMixer>(); });
  audio.opened = [&gamepads, &options] {
    gamepads = std::make_unique<Gamepads>();
    if (options.audioOpened) options.audioOpened();
  };
  GameSound sound(FindNoCase(programDir, QStringLiteral("sound")), audio);
  QtMessageBoxes messages;
  QtFileDialogs files;
  PictureStore pictures;
  Application game(programDir, {scheduler, sound, messages, files, pictures}, folders.installed, folders.importFrom);
  // A session that ends from outside keeps what the player earned: a signal is turned into a
  // save and an end through the event loop; the desktop's logout asks for the save itself.
  QuitSignals quitSignals([&game](int) {
    game.SaveAtSessionEnd();
    game.EndProgram();
  });
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &app, [&game](QSessionManager&) { game.SaveAtSessionEnd(); });
  QObject::connect(&app, &QCoreApplication::aboutToQuit, &app, [&game] { game.SaveAtSessionEnd(); });
  game.screensMade = [&pictures, &messages] { pictures.TellMissing(messages); };
  game.Main();
  // A stage file named on the command line (the desktop opens .mvk files so) is played at once;
  // other words are options and their values.
  const QStringList args = QCoreApplication::arguments();
  for (qsizetype i = args.size() - 1; i >= 1; --i)
    if (!args[i].startsWith(QLatin1Char('-')) &&
        (args[i].endsWith(QStringLiteral(".mvk"), Qt::CaseInsensitive) || QFileInfo(args[i]).isFile())) {
      game.OpenStageFile(QFileInfo(args[i]).absoluteFilePath());
      break;
    }
  sound.ReadAllAhead();  // after the title's music, which the worker reads first
  TellMissingJapaneseFont(JapaneseFamilies(), messages);
  return app.exec();
}

}  // namespace morvik

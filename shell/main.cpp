// The program's start: Qt's Japanese texts, the face of the Japanese captions and the application.
#include <QApplication>
#include <QTranslator>
#include <cstdio>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

#include "platform/FileDialogs.h"
#include "platform/FindNoCase.h"
#include "platform/Fonts.h"
#include "platform/GameSound.h"
#include "platform/Gamepads.h"
#include "platform/MessageBoxes.h"
#include "platform/MixerAudioOut.h"
#include "platform/PictureStore.h"
#include "platform/QtScheduler.h"
#include "platform/QtTranslations.h"
#include "platform/ViewScale.h"
#include "platform/SdlMixer.h"
#include "shell/Application.h"

using namespace morvik;

namespace {

// The view size must be known before the application object: the kept choice, or on the first
// start the screen's own width, seen through a short-lived application object.
void ChooseViewSize(int& argc, char** argv) {
  QSettings settings(QStringLiteral("morvik"), QStringLiteral("morvik"));
  int scale = ViewScale::Stored(settings);
  if (scale == 0) {
    {
      QGuiApplication probe(argc, argv);
      if (const QScreen* s = QGuiApplication::primaryScreen())
        scale = ViewScale::FirstChoice(static_cast<int>(s->geometry().width() * s->devicePixelRatio()), s->devicePixelRatio());
    }
    if (scale == 0) scale = 1;
    ViewScale::Store(settings, scale);
  }
  ViewScale::ApplyBeforeStart(scale);
}

}  // namespace

int main(int argc, char** argv) {
  ChooseViewSize(argc, argv);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("morvik"));
  // The message boxes and file dialogs speak Japanese, as the help describes them.
  QTranslator qtJapanese;
  QString missing;
  if (!InstallQtJapanese(qtJapanese, QtTranslationsFolder(), &missing))
    std::fprintf(stderr, "morvik: %s\n", missing.toLocal8Bit().constData());
  // The screens name a Windows gothic face; IPA's proportional gothic has the same metrics.
  morvik::InstallCaptionFace();
  const QString programDir = QCoreApplication::applicationDirPath();
  QtScheduler scheduler;
  SdlMixer mixer;
  MixerAudioOut audio(scheduler, mixer);
  GameSound sound(FindNoCase(programDir, QStringLiteral("sound")), audio);
  QtMessageBoxes messages;
  QtFileDialogs files;
  PictureStore pictures;
  Application game(programDir, {scheduler, sound, messages, files, pictures});
  Gamepads gamepads;  // presses reach whichever window is active, as the keyboard's do
  game.Main();
  pictures.TellMissing(messages);
  return app.exec();
}

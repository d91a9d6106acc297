// The program's start: the program folder, the face of the Japanese captions, the game
// state and the screens.
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QScreen>

#include "core/ModMain.h"
#include "play/FormMain.h"
#include "platform/MessageBoxes.h"
#include "platform/PictureStore.h"
#include "platform/QtScheduler.h"
#include "platform/GameSound.h"
#include "platform/QtAudioOut.h"

using namespace morvik;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("morvik"));
  // The screens name a Windows gothic face; IPA's proportional gothic has the same metrics.
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")});

  const QString programDir = QCoreApplication::applicationDirPath();
  ModMain game;
  game.appDir = programDir.toStdString();

  QtScheduler scheduler;
  QtAudioOut audio(scheduler);
  GameSound sound(FindNoCase(programDir, QStringLiteral("sound")), audio);
  QtMessageBoxes messages;
  PictureStore pictures;
  pictures.LoadFrom(QDir(programDir).filePath(QStringLiteral("pictures")));
  Platform platform{scheduler, sound, messages, pictures};

  FormMain formMain(game, platform);
  formMain.hooks.endProgram = [] { QApplication::exit(0); };
  formMain.hooks.showTitle = [] { QApplication::exit(0); };

  QString map = FindNoCase(programDir, QString::fromLatin1(MapFileName));
  if (map.isEmpty()) map = QDir(programDir).filePath(QString::fromLatin1(MapFileName));
  game.mapFilePath = map.toStdString();
  game.stageNo = 1;
  formMain.InitialTreat();
  formMain.adjustSize();
  if (const QScreen* screen = formMain.screen()) {
    const QRect area = screen->availableGeometry();
    formMain.move(area.center() - QPoint(formMain.width() / 2, formMain.height() / 2));
  }
  formMain.show();
  return app.exec();
}

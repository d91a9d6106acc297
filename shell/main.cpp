// The program's start: the face of the Japanese captions and the application.
#include <QApplication>
#include <QFont>

#include "shell/Application.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("morvik"));
  // The screens name a Windows gothic face; IPA's proportional gothic has the same metrics.
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")});
  morvik::Application game(QCoreApplication::applicationDirPath());
  game.Main();
  return app.exec();
}

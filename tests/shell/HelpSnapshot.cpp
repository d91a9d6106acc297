// Renders the help window to PNG files for a look at it, one file per topic, and each page
// scrolled to a place when one is given ("10#jump").
// Usage: help_snapshot <program folder> <out prefix> <topic[#place]>...
#include <QApplication>
#include <QFont>
#include <QTextBrowser>
#include <cstdio>

#include "shell/HelpWindow.h"

using namespace morvik;

namespace {
class PrintedMessages final : public MessageBoxes {
 public:
  MsgResult Show(const QString& text, const QString& title, MsgIcon, MsgButtons) override {
    std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
    return MsgResult::Ok;
  }
};
}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc < 4) return 2;
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")});
  PrintedMessages messages;
  HelpWindow window(QString::fromLocal8Bit(argv[1]), messages);
  const QString out = QString::fromLocal8Bit(argv[2]);
  for (int i = 3; i < argc; ++i) {
    const QString arg = QString::fromLocal8Bit(argv[i]);
    window.ShowTopic(arg.section('#', 0, 0).toInt());
    if (arg.contains('#')) window.Browser().scrollToAnchor(arg.section('#', 1));
    app.processEvents();
    window.grab().save(out + "_" + QString(arg).replace('#', '_') + ".png");
  }
  return 0;
}

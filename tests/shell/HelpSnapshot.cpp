// Renders the help window to PNG files for a look at it, one file per topic, and each page
// scrolled to a place when one is given ("10#jump"); "k" before the topic shows the keyword
// index beside the page instead of the contents ("k2").
// Usage: help_snapshot <program folder> <out prefix> <[k]topic[#place]>...
#include <QApplication>
#include <QTabWidget>
#include <QTextBrowser>
#include <cstdio>

#include "platform/Fonts.h"
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
  morvik::InstallCaptionFace();
  PrintedMessages messages;
  HelpWindow window(QString::fromLocal8Bit(argv[1]), messages);
  const QString out = QString::fromLocal8Bit(argv[2]);
  for (int i = 3; i < argc; ++i) {
    QString arg = QString::fromLocal8Bit(argv[i]);
    const bool keywords = arg.startsWith('k');
    window.findChild<QTabWidget*>()->setCurrentIndex(keywords ? 1 : 0);
    window.ShowTopic(arg.section('#', 0, 0).remove('k').toInt());
    if (arg.contains('#')) window.Browser().scrollToAnchor(arg.section('#', 1));
    app.processEvents();
    window.grab().save(out + "_" + QString(arg).replace('#', '_') + ".png");
  }
  return 0;
}

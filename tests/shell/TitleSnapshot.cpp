// Renders the title screen to PNG files for a look at it: as it opens, with the eyes closed,
// and with the window's menu bar. Usage: title_snapshot <pictures folder> <out prefix>
#include <QApplication>
#include <QFont>
#include <QMenu>
#include <QMenuBar>

#include "platform/FileDialogs.h"
#include "platform/VirtualScheduler.h"
#include "shell/FormTitle.h"

using namespace morvik;

namespace {
class NoMessages final : public MessageBoxes {
 public:
  MsgResult Show(const QString&, const QString&, MsgIcon, MsgButtons) override { return MsgResult::Ok; }
};
}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc < 3) return 2;
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")});
  ModMain game;
  game.stageReached = argc > 3 ? QString::fromLocal8Bit(argv[3]).toInt() : 12;
  VirtualScheduler scheduler;
  RecordingSound sound;
  NoMessages messages;
  PictureStore pictures;
  pictures.LoadFrom(QString::fromLocal8Bit(argv[1]));
  Platform platform{scheduler, sound, messages, pictures};
  RecordingFileDialogs files;
  FormTitle title(game, platform, files, [] { return 0.5; });
  title.show();
  const QString out = QString::fromLocal8Bit(argv[2]);
  title.grab().save(out + "_open.png");
  title.StartBlink();
  scheduler.Advance(4000);
  title.grab().save(out + "_closed.png");
  for (QMenu* menu : title.menuBar()->findChildren<QMenu*>()) {
    if (menu->objectName().isEmpty()) continue;
    menu->popup(QPoint(0, 0));
    menu->grab().save(out + "_" + menu->objectName() + ".png");
    menu->hide();
  }
  return 0;
}

// Renders the editor window to PNG files for a look at it: empty, with a stage drawn on it,
// and its menus. Usage: editor_snapshot <pictures folder> <out prefix> [<map file> <stage>]
#include <QApplication>
#include <QFont>
#include <QMenu>
#include <QMenuBar>

#include "editor/FormEdit.h"
#include "play/FormMain.h"
#include "platform/FileDialogs.h"
#include "platform/VirtualScheduler.h"

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
  VirtualScheduler scheduler;
  RecordingSound sound;
  NoMessages messages;
  PictureStore pictures;
  pictures.LoadFrom(QString::fromLocal8Bit(argv[1]));
  Platform platform{scheduler, sound, messages, pictures};
  RecordingFileDialogs files;
  FormMain play(game, platform);
  FormEdit edit(game, platform, files, play);
  edit.EditStart();
  edit.show();
  const QString out = QString::fromLocal8Bit(argv[2]);
  edit.grab().save(out + "_empty.png");
  if (argc >= 5) {
    game.mapFilePath = argv[3];
    edit.LoadStageData(QString::fromLocal8Bit(argv[4]).toInt());
    edit.grab().save(out + "_stage.png");
  }
  for (QMenu* menu : edit.menuBar()->findChildren<QMenu*>()) {
    if (menu->objectName().isEmpty()) continue;
    menu->popup(QPoint(0, 0));
    menu->grab().save(out + "_" + menu->objectName() + ".png");
    menu->hide();
  }
  return 0;
}

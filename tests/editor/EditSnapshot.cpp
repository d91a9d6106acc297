// Renders the editor window to PNG files for a look at it: empty, with a stage drawn on it,
// and its menus. Usage: editor_snapshot <pictures folder> <out prefix> [<map file> <stage>]

#include "editor/FormEdit.h"

#include "tests/support/SnapshotKit.h"

using namespace morvik;

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  test::SnapshotKit kit(argc, argv, QString::fromLocal8Bit(argv[1]));
  ModMain& game = kit.game;
  Platform& platform = kit.platform;
  RecordingFileDialogs& files = kit.files;
  FormEdit edit(game, platform, files);
  edit.EditStart();
  edit.show();
  const QString out = QString::fromLocal8Bit(argv[2]);
  edit.grab().save(out + "_empty.png");
  if (argc >= 5) {
    game.mapFilePath = argv[3];
    edit.LoadStageData(QString::fromLocal8Bit(argv[4]).toInt());
    edit.grab().save(out + "_stage.png");
  }
  test::SaveMenus(edit, out);
  return 0;
}

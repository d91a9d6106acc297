// Renders the title screen to PNG files for a look at it: as it opens, with the eyes closed,
// and with the window's menu bar. Usage: title_snapshot <pictures folder> <out prefix>

#include "shell/FormTitle.h"

#include "tests/support/SnapshotKit.h"

using namespace morvik;

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  test::SnapshotKit kit(argc, argv, QString::fromLocal8Bit(argv[1]));
  kit.game.stageReached = argc > 3 ? QString::fromLocal8Bit(argv[3]).toInt() : 12;
  ModMain& game = kit.game;
  Platform& platform = kit.platform;
  RecordingFileDialogs& files = kit.files;
  VirtualScheduler& scheduler = kit.scheduler;
  FormTitle title(game, platform, files, [] { return 0.5; });
  title.show();
  const QString out = QString::fromLocal8Bit(argv[2]);
  title.grab().save(out + "_open.png");
  title.StartBlink();
  scheduler.Advance(4000);
  title.grab().save(out + "_closed.png");
  test::SaveMenus(title, out);
  return 0;
}

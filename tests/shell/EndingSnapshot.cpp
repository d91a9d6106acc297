// Renders frames of the ending to PNG files for a look at them: the colour scene, the caption
// growing and done, " STAFF ", each group of credits, the icons, a dissolve half way, the
// scenes after the dissolves and the closing line.
// Usage: ending_snapshot <pictures folder> <out prefix>

#include "shell/FormEnding.h"

#include "tests/support/SnapshotKit.h"

using namespace morvik;

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  test::SnapshotKit kit(argc, argv, QString::fromLocal8Bit(argv[1]), MsgResult::No);
  Platform& platform = kit.platform;
  VirtualScheduler& scheduler = kit.scheduler;
  unsigned seed = 12345;
  FormEnding ending(platform, [&seed] {
    seed = seed * 1103515245u + 12345u;
    return ((seed >> 8) & 0xffff) / 65536.0;
  });
  ending.show();
  ending.Start();
  const QString out = QString::fromLocal8Bit(argv[2]);
  int shot = 0;
  auto save = [&](const char* what) {
    ending.grab().save(QStringLiteral("%1_%2_%3.png").arg(out).arg(shot++, 2, 10, QLatin1Char('0')).arg(QLatin1String(what)));
  };
  // Runs until the step is reached, then a little longer.
  auto until = [&](int step, int extraMs) {
    while (ending.EndingStep() < step && !scheduler.Idle()) scheduler.Advance(10);
    scheduler.Advance(extraMs);
  };
  save("scene");
  until(0, 10);
  save("ulat");
  until(4, 300);
  save("congratulations");
  until(5, 1000);
  save("red");
  until(6, 1000);
  save("staff");
  until(9, 2000);
  save("group_a_roles");
  until(10, 3000);
  save("group_a_icon");
  until(13, 3000);
  save("group_b_icon");
  until(16, 2000);
  save("group_c");
  until(17, 250);
  save("fading_out");
  until(17, 295);
  save("fading_in");
  until(17, 3000);
  save("second_scene");
  until(17, 8000);
  save("third_scene");
  until(18, 600);
  save("typing_thanks");
  until(19, 100);
  save("closing");
  return 0;
}

// Walk timing on the real play screen and Qt's timers: the time from a key press to the
// first painted frame, the length of a whole step, and the CPU used while the hero stands.
// Run under a display (or QT_QPA_PLATFORM=offscreen): walk_timing [steps]
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

#include "core/ModMain.h"
#include "play/FormMain.h"
#include "platform/MessageBoxes.h"
#include "platform/QtScheduler.h"

using namespace morvik;

namespace {

double CpuSeconds() {
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  return r.ru_utime.tv_sec + r.ru_stime.tv_sec + (r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

void Report(const char* what, std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const double median = v[v.size() / 2];
  std::printf("%-28s median %7.2f ms   p5 %7.2f   p95 %7.2f   min %7.2f   max %7.2f   (n=%zu)\n", what, median,
              v[v.size() * 5 / 100], v[v.size() * 95 / 100], v.front(), v.back(), v.size());
}

// Notes when the field widget is painted.
class PaintWatch : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint && waiting) {
      waiting = false;
      firstPaintMs = clock.nsecsElapsed() / 1e6;
    }
    return false;
  }
  QElapsedTimer clock;
  bool waiting = false;
  double firstPaintMs = 0;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int steps = argc > 1 ? std::max(10, std::atoi(argv[1])) : 100;

  QTemporaryDir dir;
  const QString map = dir.filePath("mapdata.dat");
  QFile f(map);
  f.open(QIODevice::WriteOnly);
  QByteArray text = "@01\r\n";
  for (int y = 0; y < 10; ++y) text += "20202020202020202020\r\n";
  text += "V2.00 beta\r\n00\r\n*\r\n99\r\n*\r\n*\r\n*\r\n0\r\n0\r\nEND@01\r\n";
  f.write(text);
  f.close();

  ModMain game;
  game.mapFilePath = map.toStdString();
  game.stageNo = 1;
  QtScheduler scheduler;
  RecordingSound sound;
  QtMessageBoxes messages;
  PictureStore pictures;
  pictures.LoadFrom(QCoreApplication::applicationDirPath() + "/../bin/pictures");
  Platform platform{scheduler, sound, messages, pictures};
  FormMain form(game, platform);
  form.InitialTreat();
  form.show();

  PaintWatch watch;
  QWidget* field = nullptr;
  for (QWidget* w : form.findChildren<QWidget*>())
    if (w->size() == QSize(320, 320)) field = w;
  if (field) field->installEventFilter(&watch);

  std::vector<double> stepMs, firstFrameMs;
  QElapsedTimer stepClock;
  int done = 0;
  double idleCpu = 0;
  std::function<void()> next = [&] {
    if (done == steps) {
      // The hero stands: measure the CPU used over two idle seconds.
      const double before = CpuSeconds();
      QTimer::singleShot(2000, [&, before] {
        idleCpu = CpuSeconds() - before;
        app.quit();
      });
      return;
    }
    const int key = (done / 8) % 2 == 0 ? Qt::Key_Right : Qt::Key_Left;
    watch.clock.start();
    watch.waiting = true;
    stepClock.start();
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&form, &press);
    // Wait for the step to end, polling the screen's state on the event loop.
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [&, poll] {
      if (form.Playing()) {
        QTimer::singleShot(1, *poll);
        return;
      }
      stepMs.push_back(stepClock.nsecsElapsed() / 1e6);
      firstFrameMs.push_back(watch.firstPaintMs);
      ++done;
      QTimer::singleShot(50, next);
    };
    QTimer::singleShot(1, *poll);
  };
  QTimer::singleShot(2200, next);  // after the stage opening
  app.exec();

  Report("key press to first frame", firstFrameMs);
  Report("whole step (180 ms + work)", stepMs);
  std::printf("CPU while standing: %.1f ms over 2000 ms (%.2f %%)\n", idleCpu * 1000, idleCpu / 2.0 * 100);
  return 0;
}

// Start-up: from main() to the title painted on screen and to its music playing, and the peak
// memory, with the real program folder (pictures, sounds, map), started as the program starts.
// Run under a display: startup_timing PROGRAM_DIR
// Prints one line; run it several times and take the median.
#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <sys/resource.h>

#include "platform/FileDialogs.h"
#include "platform/FindNoCase.h"
#include "platform/Fonts.h"
#include "platform/GameSound.h"
#include "platform/MessageBoxes.h"
#include "platform/LateAudioOut.h"
#include "platform/PictureStore.h"
#include "platform/QtScheduler.h"
#include "platform/SdlMixer.h"
#include "shell/Application.h"
#include "shell/FormTitle.h"

namespace {

class TitleWatch : public QObject {
 public:
  explicit TitleWatch(QElapsedTimer& clock) : clock_(clock) {}
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint && ms < 0) {
      ms = clock_.nsecsElapsed() / 1e6;
      QuitWhenDone();
    }
    return false;
  }
  void MusicStarted() {
    musicMs = clock_.nsecsElapsed() / 1e6;
    QuitWhenDone();
  }
  void QuitWhenDone() {
    if (ms >= 0 && musicMs >= 0) QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
  }
  double ms = -1, musicMs = -1;

 private:
  QElapsedTimer& clock_;
};

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer clock;
  clock.start();
  QApplication app(argc, argv);
  morvik::InstallCaptionFace();
  const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QCoreApplication::applicationDirPath();
  using namespace morvik;
  QtScheduler scheduler;
  LateAudioOut audio(scheduler, [] { return std::make_unique<SdlMixer>(); });
  GameSound sound(FindNoCase(dir, QStringLiteral("sound")), audio);
  QtMessageBoxes messages;
  QtFileDialogs files;
  PictureStore pictures;
  Application game(dir, {scheduler, sound, messages, files, pictures});
  TitleWatch watch(clock);
  app.installEventFilter(&watch);
  audio.opened = [&watch] { watch.MusicStarted(); };
  game.Main();
  app.exec();
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  std::printf("title painted %.1f ms after main(); music playing at %.1f ms; peak memory %.1f MB\n", watch.ms,
              watch.musicMs, r.ru_maxrss / 1024.0);
  return 0;
}

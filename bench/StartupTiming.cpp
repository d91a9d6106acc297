// Start-up: from main() to the title painted on screen and to its music playing, and the peak
// memory, with the real program folder (pictures, sounds, map), started as the program starts
// (the very same start: the view size, the languages, the sound, the screens).
// Run under a display: startup_timing PROGRAM_DIR
// Prints one line and ends at once, saving nothing; run it several times and take the median.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

#include "bench/GuiThreadCpu.h"
#include "shell/ProgramStart.h"

namespace {

class TitleWatch : public QObject {
 public:
  TitleWatch(QElapsedTimer& clock, double cpuAtMain) : clock_(clock), cpuAtMain_(cpuAtMain) {}
  // Taken as the bare window takes it: once the first paint is over.
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      QTimer::singleShot(0, [this] {
        ms = clock_.nsecsElapsed() / 1e6;
        cpuMs = ThreadCpuMs() - cpuAtMain_;
      });
    }
    return false;
  }
  void MusicStarted() { musicMs = clock_.nsecsElapsed() / 1e6; }
  double ms = -1, cpuMs = -1, musicMs = -1;

 private:
  QElapsedTimer& clock_;
  double cpuAtMain_;
  bool seen_ = false;
};

constexpr int kSettleMs = 300;

[[noreturn]] void Report(const TitleWatch& watch) {
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  std::printf("title painted %.1f ms after main() (%.1f ms of the GUI thread's CPU); music playing at %.1f ms; peak memory %.1f MB\n",
              watch.ms, watch.cpuMs, watch.musicMs, r.ru_maxrss / 1024.0);
  std::fflush(stdout);
  _exit(0);
}

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer clock;
  clock.start();
  const double cpuAtMain = ThreadCpuMs();
  if (argc < 2) {
    std::fprintf(stderr, "usage: startup_timing PROGRAM_DIR\n");
    return 2;
  }
  TitleWatch watch(clock, cpuAtMain);
  morvik::StartOptions options;
  options.programDir = QString::fromLocal8Bit(argv[1]);
  options.appMade = [&watch] { qApp->installEventFilter(&watch); };
  // The times are in once the music plays. The memory is taken a moment later, when the
  // screens made after the title's first paint are there too; then the benchmark leaves
  // without the program's own end, which would save the play information.
  options.audioOpened = [&watch] {
    watch.MusicStarted();
    QTimer::singleShot(kSettleMs, [&watch] { Report(watch); });
  };
  int count = 1;  // the program directory is no argument of the program
  return morvik::RunProgram(count, argv, options);
}

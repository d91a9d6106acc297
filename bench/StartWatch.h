#pragma once
// The one measure both start-up benchmarks take, so that the game and its yardstick are timed
// alike: from main() to the end of the first paint, in wall time and in the GUI thread's own
// CPU (which other work on a busy machine barely changes), to the music playing, and the peak
// memory; printed as one line that bench/startup_ratio.sh reads.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <functional>
#include <sys/resource.h>

class StartWatch : public QObject {
 public:
  // Made first thing in main(); `painted` runs once the first paint is over.
  explicit StartWatch(std::function<void()> painted = {}) : painted_(std::move(painted)), cpuAtMain_(ThreadCpuMs()) {
    clock_.start();
  }
  // Watches every object's events; install once the application object exists.
  void Install() { QCoreApplication::instance()->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      QTimer::singleShot(0, [this] {
        paintMs_ = Elapsed();
        paintCpuMs_ = ThreadCpuMs() - cpuAtMain_;
        if (painted_) painted_();
      });
    }
    return false;
  }
  void MusicPlaying() { musicMs_ = Elapsed(); }
  bool MusicHeard() const { return musicMs_ >= 0; }
  void PrintLine() const {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    std::printf("title painted %.1f ms after main() (%.1f ms of the GUI thread's CPU); music playing at %.1f ms; "
                "peak memory %.1f MB\n",
                paintMs_, paintCpuMs_, musicMs_, r.ru_maxrss / 1024.0);
    std::fflush(stdout);
  }

 private:
  static double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
  }
  double Elapsed() const { return static_cast<double>(clock_.nsecsElapsed()) / 1e6; }

  std::function<void()> painted_;
  QElapsedTimer clock_;
  double cpuAtMain_;
  double paintMs_ = -1, paintCpuMs_ = -1, musicMs_ = -1;
  bool seen_ = false;
};

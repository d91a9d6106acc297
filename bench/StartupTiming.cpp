// Start-up: from main() to the title painted on screen and to its music playing, and the peak
// memory, with the real program folder (pictures, sounds, map), started as the program starts
// (the very same start: the view size, the languages, the sound, the screens).
// Run under a display: startup_timing PROGRAM_DIR
// Prints one line and ends at once, saving nothing; run it several times and take the median.
#include <QTimer>
#include <cstdio>
#include <unistd.h>

#include "bench/StartWatch.h"
#include "shell/ProgramStart.h"

namespace {
constexpr int kSettleMs = 300;
}  // namespace

int main(int argc, char** argv) {
  StartWatch watch;
  if (argc < 2) {
    std::fprintf(stderr, "usage: startup_timing PROGRAM_DIR\n");
    return 2;
  }
  morvik::StartOptions options;
  options.programDir = QString::fromLocal8Bit(argv[1]);
  options.appMade = [&watch] { watch.Install(); };
  // The times are in once the music plays. The memory is taken a moment later, when the
  // screens made after the title's first paint are there too; then the benchmark leaves
  // without the program's own end, which would save the play information.
  options.audioOpened = [&watch] {
    watch.MusicPlaying();
    QTimer::singleShot(kSettleMs, [&watch] {
      watch.PrintLine();
      _exit(0);
    });
  };
  int count = 1;  // the program directory is no argument of the program
  return morvik::RunProgram(count, argv, options);
}

#pragma once
// The program's start and run: the view size, the application object, Qt's and the game's
// texts, the face of the Japanese captions, the sound, the screens, a stage file named on the
// command line, then the event loop. The program and the start-up benchmark both start here.
#include <QString>
#include <functional>

namespace morvik {

struct StartOptions {
  QString installedData;  // the data folder of an installed layout
  QString programDir;     // when set, the data is read from here wherever the program lives
  std::function<void()> appMade;      // just after the application object exists
  std::function<void()> audioOpened;  // once the audio device is open and the title's music read
};

// Runs the program until it ends; its exit code.
int RunProgram(int& argc, char** argv, const StartOptions& options);

}  // namespace morvik

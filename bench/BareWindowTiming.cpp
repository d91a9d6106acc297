// The yardstick of the start-up: a bare Qt window that opens the audio device with SDL2_mixer
// once it has painted and loops one piece of music, timed as startup_timing times the game:
// from main() to the first paint and to the music playing, and the peak memory then.
// Run under a display: bare_window_timing [--menus] MUSIC_FILE
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QWidget>
#include <SDL.h>
#include <SDL_mixer.h>
#include <cstdio>
#include <cstring>
#include <memory>

#include "bench/StartWatch.h"

int main(int argc, char** argv) {
  Mix_Music* music = nullptr;
  const char* musicFile = argv[argc - 1];
  std::unique_ptr<QApplication> app;
  StartWatch watch([&] {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 && Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) == 0 &&
        (music = Mix_LoadMUS(musicFile)) != nullptr && Mix_PlayMusic(music, -1) == 0)
      watch.MusicPlaying();
    else
      std::fprintf(stderr, "bare_window_timing: no music (%s)\n", Mix_GetError());
    app->quit();
  });
  app = std::make_unique<QApplication>(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: bare_window_timing [--menus] MUSIC_FILE\n");
    return 2;
  }
  const bool withMenus = argc > 2 && std::strcmp(argv[1], "--menus") == 0;
  watch.Install();
  // --menus: the least a window with Japanese text has to pay besides, a menu bar and a
  // caption, which the bare window does not (the font set-up and the style).
  std::unique_ptr<QWidget> window;
  if (withMenus) {
    auto menuWindow = std::make_unique<QMainWindow>();
    for (const char* title : {"ゲーム(&G)", "設定(&C)", "ヘルプ(&H)"})
      menuWindow->menuBar()->addMenu(QString::fromUtf8(title))->addAction(QStringLiteral("終了(&X)"));
    menuWindow->setCentralWidget(new QLabel(QStringLiteral("ステージ")));
    window = std::move(menuWindow);
  } else {
    window = std::make_unique<QWidget>();
  }
  window->resize(700, 560);
  window->show();
  app->exec();
  watch.PrintLine();
  if (music) Mix_FreeMusic(music);
  Mix_CloseAudio();
  return watch.MusicHeard() ? 0 : 1;
}

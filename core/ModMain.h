#pragma once
// The game's module-wide state: the board of the stage in play, which stage of which file is
// played and how, and progress. The application owns one and hands it to every screen by
// reference, so each test starts from a fresh game.
#include <string>

#include "core/Board.h"

namespace morvik {

// A music number that names no music: a stage whose music line names none plays silence.
inline constexpr int NoMusic = -1;

struct ModMain {
  Board board;

  std::string appDir;        // the program folder
  std::string mapFilePath;   // the map file or stage-unit file in use
  int stageNo = 0;
  int storyNo = 0;           // 0 main, 1 user, 2 super: story s starts at stage 30 s + 1
  int stageReached = 0;      // farthest stage of the main story reached; 0 counts as 1
  // Farthest stage reached in the user and super stories, counted within each story from 1;
  // 0 while the story is closed (see core/Stories.h).
  int userReached = 0;
  int superReached = 0;
  int stageBgm = 0;          // music number to play next (NoMusic: none)
  bool unitPlay = false;     // a stage-unit file opened from the title is played
  bool testPlay = false;     // the editor's stage is test-played
  std::string ansData;       // the moves of the test play so far, one record and CR LF each
};

inline constexpr const char* AppVersion = "2.00 beta";
inline constexpr const char* MapFileName = "mapdata.dat";

}  // namespace morvik

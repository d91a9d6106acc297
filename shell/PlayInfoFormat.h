#pragma once
// The play information file as text: the settings, the farthest stage reached and the story
// chosen, four lines ended by CR LF. The farthest stage is stored three times, each copy with
// a check character, so that a damaged or hand-edited file is noticed.
//
// The file is handled as bytes, one byte being one character code (0 to 255); nothing here
// decodes or encodes a character set.
#include <string>
#include <string_view>

namespace morvik {

struct PlayInfo {
  bool musicOn = true;    // "BGMあり" checked
  bool effectsOn = true;  // "サウンドあり" checked
  int stageReached = 0;   // 0 counts as 1
  int storyNo = 0;
  // The story line's two further values, written back as read. The game keeps the user and
  // super stories' progress in them: the farthest stage reached in that story plus one, so
  // that 1, what older files hold, is a story not yet open.
  int reserved1 = 1;
  int reserved2 = 1;

  friend bool operator==(const PlayInfo&, const PlayInfo&) = default;
};

inline constexpr std::string_view PlayInfoHeader = "<Players' Information> For Morvik";

// The largest farthest stage the progress line can hold: its last check character has the
// code stageReached + 78, and a character is one byte. Map files number their stages with
// two digits, so every stage that can be reached fits.
inline constexpr int MaxStoredStageReached = 255 - 78;

// The whole file: the header, dateText, the progress line and the story line, each followed
// by CR LF. Values that do not fit a one-byte character are stored at the nearest value that
// does; CR and LF are left out of dateText so that it stays one line.
std::string EncodePlayInfo(const PlayInfo& info, std::string_view dateText);

struct PlayInfoRead {
  PlayInfo info;
  bool failed = false;  // the file is damaged: the player must be told, progress is not taken
};

// Reads a file's bytes on top of current, the values in use before the read. The settings
// start checked. Lines before the first one beginning with "PI" are skipped; that line is the
// progress line and the next one the story line. A story line of the wrong form gives story 0
// and reserved values 1 without complaint. No progress line, a progress line shorter than 10
// characters once spaces are trimmed from both ends, or a copy whose check character does not
// match fails the read: what was taken before the failure stays (the settings, the story),
// and stageReached keeps its value from current. Otherwise stageReached is the largest copy,
// at least 1. Lines may end with CR LF, LF or CR.
PlayInfoRead DecodePlayInfo(std::string_view fileBytes, const PlayInfo& current);

// What is to be saved over what the file holds now (written meanwhile by another copy of the
// game on the same folder): the farthest stage of each story is never lowered. The settings
// and the story chosen are the saver's.
PlayInfo KeepFarthest(PlayInfo toSave, const PlayInfo& onDisk);

}  // namespace morvik

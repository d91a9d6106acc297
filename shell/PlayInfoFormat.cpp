#include "shell/PlayInfoFormat.h"

#include <algorithm>
#include <vector>

namespace morvik {

namespace {

constexpr std::string_view Eol = "\r\n";

// The character with the given code, held to one byte.
char CodeChar(int code) {
  return static_cast<char>(static_cast<unsigned char>(std::clamp(code, 0, 255)));
}

int CodeOf(char c) { return static_cast<unsigned char>(c); }

// The lines of a file; a line ends with CR LF, LF or CR, and a final line end does not open
// another line.
std::vector<std::string_view> SplitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 1;
    if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') ++start;
  }
  return lines;
}

std::string_view TrimSpaces(std::string_view s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

// Copy k of the farthest stage is the character stageReached + 60 + 4k and its check
// character is that code plus 10, each written as the single byte of its code. Up to stage
// 49 these are 7-bit ASCII, so the file is byte for byte what any reader of the format
// expects. From stage 50 the codes pass 127 and are written as the bytes 128 to 255; the
// reader takes one byte as one character, so they read back as the same codes and the
// checks hold. The highest storable stage is MaxStoredStageReached.
std::string EncodePlayInfo(const PlayInfo& info, std::string_view dateText) {
  const int stage = std::clamp(info.stageReached, 0, MaxStoredStageReached);
  std::string out;
  out += PlayInfoHeader;
  out += Eol;
  for (const char c : dateText) {
    if (c != '\r' && c != '\n') out += c;
  }
  out += Eol;
  out += "PI";
  out += info.musicOn ? '1' : '0';
  out += info.effectsOn ? '1' : '0';
  for (int k = 0; k < 3; ++k) out += CodeChar(stage + 60 + 4 * k);
  for (int k = 0; k < 3; ++k) out += CodeChar(stage + 70 + 4 * k);
  out += Eol;
  out += "ST";
  out += CodeChar(info.storyNo + 40);
  out += CodeChar(info.reserved1 + 58);
  out += CodeChar(info.reserved2 + 58);
  out += Eol;
  return out;
}

PlayInfoRead DecodePlayInfo(std::string_view fileBytes, const PlayInfo& current) {
  PlayInfoRead read{current, false};
  PlayInfo& info = read.info;
  info.musicOn = true;
  info.effectsOn = true;

  const std::vector<std::string_view> lines = SplitLines(fileBytes);
  const auto progressAt =
      std::find_if(lines.begin(), lines.end(), [](std::string_view line) { return line.starts_with("PI"); });
  if (progressAt == lines.end()) {
    read.failed = true;
    return read;
  }
  const std::string_view story = progressAt + 1 != lines.end() ? *(progressAt + 1) : std::string_view{};

  if (story.size() == 5 && story.starts_with("ST")) {
    info.storyNo = CodeOf(story[2]) - 40;
    info.reserved1 = CodeOf(story[3]) - 58;
    info.reserved2 = CodeOf(story[4]) - 58;
  } else {
    info.storyNo = 0;
    info.reserved1 = 1;
    info.reserved2 = 1;
  }
  if (info.reserved1 == 0) info.reserved1 = 1;
  if (info.reserved2 == 0) info.reserved2 = 1;

  const std::string_view progress = TrimSpaces(*progressAt);
  if (progress.size() < 10) {
    read.failed = true;
    return read;
  }
  if (progress[2] == '0') info.musicOn = false;
  if (progress[3] == '0') info.effectsOn = false;

  int largest = 1;
  for (int k = 0; k < 3; ++k) {
    const int code = CodeOf(progress[4 + k]);
    if (CodeOf(progress[7 + k]) - 10 != code) {
      read.failed = true;
      return read;
    }
    largest = std::max(largest, code - (4 * k + 60));
  }
  info.stageReached = largest;
  return read;
}

PlayInfo KeepFarthest(PlayInfo toSave, const PlayInfo& onDisk) {
  toSave.stageReached = std::max(toSave.stageReached, onDisk.stageReached);
  toSave.reserved1 = std::max(toSave.reserved1, onDisk.reserved1);
  toSave.reserved2 = std::max(toSave.reserved2, onDisk.reserved2);
  return toSave;
}

}  // namespace morvik

#pragma once
// The advice file's blocks: "@" and the stage number with at least two digits opens the
// advice of a stage, its lines follow, a line beginning with "*" closes it.
#include <string>
#include <string_view>

namespace morvik {

struct Advice {
  std::string text;         // the lines, each ended by CR LF; empty when there is none
  bool found = false;       // the block was there and closed
  bool unterminated = false;  // the block was there but the file ended inside it
};

Advice FindAdvice(std::string_view fileText, int stageNo);

}  // namespace morvik

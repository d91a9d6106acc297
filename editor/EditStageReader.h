#pragma once
// The editor's reader of stage blocks: finds block n of a stage-unit file, reads it into a
// temporary stage and checks every line before the editor takes it. The file may end
// right after the music line; a file that ends before it, or holds no block n, fails.
#include <string>
#include <string_view>
#include <variant>

#include "stagedata/StageWriter.h"
#include "stagedata/TextLines.h"

namespace morvik {

struct EditLoadError {
  // EndOfFile: no header n, or the file ends before the music line. Malformed: a line the
  // editor cannot show (line and reason say which).
  enum class Kind { EndOfFile, Malformed } kind = Kind::EndOfFile;
  int line = 0;        // 1-based line of the file (Malformed)
  std::string reason;  // Japanese, for the player (Malformed)
};

using EditLoadResult = std::variant<StageSheet, EditLoadError>;

// Reads lines only up to the music line of block n.
EditLoadResult ReadEditStage(const NextLine& next, int stageNo);
EditLoadResult ReadEditStage(std::string_view fileText, int stageNo);

// The message box of a failed load: text and title.
struct EditLoadMessage {
  std::string text, title;
};
EditLoadMessage LoadFailureMessage(const EditLoadError& e, std::string_view fileName);

}  // namespace morvik

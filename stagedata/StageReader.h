#pragma once
// The stage reader: finds a stage block in the text of a map file or stage-unit file, checks
// every line, and only then fills a board. A refusal is a value that names the line and the
// reason; nothing is half-read.
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/Board.h"
#include "stagedata/TextLines.h"

namespace morvik {

struct StageRequest {
  int stageNo = 0;
  bool unitPlay = false;  // the first line of the file opens the block, whatever it holds
  bool testPlay = false;  // the editor's test play reads block 0
};

struct LoadedStage {
  Board board;            // layers, hero, counts and first flower set; the attempt reset
  int music = 0;          // the stage's music number
  int nextPicture = 17;   // picture of the next-flower box at the start
  int openerLine = 0;     // 1-based line of the block's opener in the file
};

struct StageError {
  enum class Kind { NotFound, Malformed } kind = Kind::Malformed;
  int line = 0;            // 1-based line of the file the fault was found on (0: none)
  std::string reason;      // Japanese, for the player
};

using StageResult = std::variant<LoadedStage, StageError>;

// Reads lines only up to the block's music line; the rest of the source is left unread.
StageResult ReadStage(const NextLine& next, const StageRequest& request);
StageResult ReadStage(const std::vector<std::string>& lines, const StageRequest& request);
StageResult ReadStage(std::string_view fileText, const StageRequest& request);

// Whether the text of a map file holds a block for stage n, as ReadStage would find it; the
// block's lines are not checked.
bool HoldsStage(std::string_view fileText, int n);

// Stage music numbers: 10 and above name the outcome jingles, the title and the ending music.
inline constexpr int StageMusicCount = 10;

// The sentence for a character that stands on a hole, where no character can be: the editor
// says it before a test play and the reader on a file, in the same words.
std::string CharaOnHoleText(std::string_view charaName, int x, int y);

// Text quoted from a file into a message: bytes outside printable ASCII as \xFF.
std::string PrintableText(std::string_view bytes);

// The message box text of a refusal, naming the file by the path it was opened by.
std::string StageErrorMessage(const StageError& e, std::string_view fileName);
// The text of a stage the file does not hold.
std::string StageNotFoundText();

}  // namespace morvik

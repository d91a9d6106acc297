#pragma once
// Reads the stage the game state names (file, number, kind of play) from disk into the
// board. File access and the player's messages live here; the format is the stage reader's.
#include <QString>
#include <optional>

#include "core/ModMain.h"
#include "platform/RegularFile.h"
#include "platform/StageFileMessage.h"
#include "stagedata/StageReader.h"

namespace morvik {

struct StageLoadFailure {
  bool notFound = false;  // no such stage: the program ends after the message
  QString message;        // text of the message box, titled "エラー"
};

// On success the board, the stage music and the next-flower picture are set in `game`.
std::optional<StageLoadFailure> LoadStageInto(ModMain& game, int& nextPicture);

// Whether game.mapFilePath holds a block for the stage; false also when it cannot be read.
bool MapHoldsStage(const ModMain& game, int stageNo);

// The whole content of a regular file of at most maxBytes, or nothing (why says why).
std::optional<std::string> ReadWholeFile(const QString& path, std::uint64_t maxBytes, QString* why = nullptr);

}  // namespace morvik

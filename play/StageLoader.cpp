#include "play/StageLoader.h"
#include "core/Stories.h"

#include <QCoreApplication>
#include <QFile>

namespace morvik {

std::optional<std::string> ReadWholeFile(const QString& path, std::uint64_t maxBytes, QString* why) {
  FileOpenError error;
  auto bytes = ReadRegularFile(QFile::encodeName(path).toStdString(), maxBytes, &error);
  if (!bytes && why) *why = QString::fromStdString(FileErrorText(error));
  return bytes;
}

bool MapHoldsStage(const ModMain& game, int stageNo) {
  const auto text = ReadWholeFile(QString::fromStdString(game.mapFilePath), StageFileMaxBytes);
  return text && HoldsStage(*text, stageNo);
}

std::optional<StageLoadFailure> LoadStageInto(ModMain& game, int& nextPicture) {
  const QString path = QString::fromStdString(game.mapFilePath);
  RegularFile file;
  if (!file.Open(QFile::encodeName(path).toStdString(), StageFileMaxBytes))
    return StageLoadFailure{false, CannotOpenStageFile(path, QString::fromStdString(FileErrorText(file.Error())))};
  // Only the lines up to the block are read.
  const StageResult result =
      ReadStage(NextLine([&file](std::string& line) { return file.ReadLine(line); }), {game.stageNo, game.unitPlay, game.testPlay});
  if (file.ReadFailed())
    return StageLoadFailure{false, CannotOpenStageFile(path, QString::fromStdString(FileErrorText(file.Error())))};
  if (const auto* error = std::get_if<StageError>(&result)) {
    const bool notFound = error->kind == StageError::Kind::NotFound;
    return StageLoadFailure{notFound, QString::fromStdString(StageErrorMessage(*error, path.toStdString()))};
  }
  const auto& loaded = std::get<LoadedStage>(result);
  game.board = loaded.board;
  game.board.hiddenWarp = !game.testPlay && !game.unitPlay && game.stageNo == HiddenExitStage;
  // A number beyond the stage music would name a jingle or the ending's music: it plays nothing.
  game.stageBgm = loaded.music < StageMusicCount ? loaded.music : NoMusic;
  nextPicture = loaded.nextPicture;
  return std::nullopt;
}

}  // namespace morvik

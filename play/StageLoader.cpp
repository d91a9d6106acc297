#include "play/StageLoader.h"

#include <QFile>
#include <QFileInfo>

namespace morvik {

std::optional<std::string> ReadWholeFile(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = f.readAll();
  if (f.error() != QFileDevice::NoError) return std::nullopt;
  return bytes.toStdString();
}

bool MapHoldsStage(const ModMain& game, int stageNo) {
  const auto text = ReadWholeFile(QString::fromStdString(game.mapFilePath));
  return text && HoldsStage(*text, stageNo);
}

std::optional<StageLoadFailure> LoadStageInto(ModMain& game, int& nextPicture) {
  const QString path = QString::fromStdString(game.mapFilePath);
  const auto text = ReadWholeFile(path);
  if (!text)
    return StageLoadFailure{false, QStringLiteral("ステージデータのファイルを開けません。\nファイル: %1").arg(path)};
  const StageResult result = ReadStage(std::string_view(*text), {game.stageNo, game.unitPlay, game.testPlay});
  if (const auto* error = std::get_if<StageError>(&result)) {
    const bool notFound = error->kind == StageError::Kind::NotFound;
    return StageLoadFailure{notFound, QString::fromStdString(StageErrorMessage(*error, QFileInfo(path).fileName().toStdString()))};
  }
  const auto& loaded = std::get<LoadedStage>(result);
  game.board = loaded.board;
  game.board.hiddenWarp = !game.testPlay && !game.unitPlay && game.stageNo == 16;
  game.stageBgm = loaded.music;
  nextPicture = loaded.nextPicture;
  return std::nullopt;
}

}  // namespace morvik

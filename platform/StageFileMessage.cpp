#include "platform/StageFileMessage.h"

namespace morvik {

QString CannotOpenStageFile(const QString& path, const QString& why) {
  return QStringLiteral("ステージデータのファイルを開けません。\nファイル: %1\n%2").arg(path, why);
}

}  // namespace morvik

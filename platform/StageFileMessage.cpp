#include "platform/StageFileMessage.h"

#include <QCoreApplication>

namespace morvik {

QString CannotOpenStageFile(const QString& path, const QString& why) {
  return QCoreApplication::translate("StageLoader", "ステージデータのファイルを開けません。\nファイル: %1\n%2").arg(path, why);
}

}  // namespace morvik

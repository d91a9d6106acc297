#include "shell/ProgramFolders.h"

#include <QDir>
#include <QFileInfo>

#include "core/ModMain.h"
#include "platform/FindNoCase.h"

namespace morvik {

namespace {
bool HoldsStages(const QString& folder) { return !FindNoCase(folder, QString::fromLatin1(MapFileName)).isEmpty(); }
}  // namespace

ProgramFolders FindProgramFolders(const QString& programDir, const QString& installedData) {
  if (HoldsStages(programDir) || installedData.isEmpty()) return {programDir, false, {}};
  const QString data = QDir::cleanPath(QDir(programDir).absoluteFilePath(installedData));
  if (!HoldsStages(data)) return {programDir, false, {}};
  // Older installs kept the whole program folder, progress included, under lib/morvik.
  const QString older = QDir::cleanPath(QDir(programDir).absoluteFilePath(QStringLiteral("../lib/morvik")));
  return {data, true, {programDir, data, older}};
}

}  // namespace morvik

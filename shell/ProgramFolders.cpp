#include "shell/ProgramFolders.h"

#include <QDir>
#include <QFileInfo>

#include "platform/FindNoCase.h"

namespace morvik {

ProgramFolders FindProgramFolders(const QString& programDir, const QString& installedData, const QString& stages) {
  auto holdsStages = [&stages](const QString& folder) { return !FindNoCase(folder, stages).isEmpty(); };
  if (holdsStages(programDir) || installedData.isEmpty()) return {programDir, false, {}};
  const QString data = QDir::cleanPath(QDir(programDir).absoluteFilePath(installedData));
  if (!holdsStages(data)) return {programDir, false, {}};
  // Older installs kept the whole program folder, progress included, under lib/morvik.
  const QString older = QDir::cleanPath(QDir(programDir).absoluteFilePath(QStringLiteral("../lib/morvik")));
  return {data, true, {programDir, data, older}};
}

}  // namespace morvik

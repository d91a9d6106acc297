#include "platform/FindNoCase.h"

#include <QDir>

namespace morvik {

QString FindNoCase(const QString& folder, const QString& name) {
  const QDir dir(folder);
  if (folder.isEmpty() || !dir.exists()) return {};
  if (dir.exists(name)) return dir.filePath(name);
  const QStringList entries = dir.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
  for (const QString& e : entries)
    if (e.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(e);
  return {};
}

}  // namespace morvik

#include "platform/FileDrops.h"

#include <QMimeData>
#include <QUrl>

namespace morvik {

QStringList DroppedLocalFiles(const QMimeData* mime) {
  QStringList paths;
  if (!mime) return paths;
  for (const QUrl& url : mime->urls())
    if (url.isLocalFile()) paths << url.toLocalFile();
  return paths;
}

}  // namespace morvik

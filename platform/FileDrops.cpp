#include "platform/FileDrops.h"

#include <QDragEnterEvent>
#include <QDropEvent>
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

void AcceptFileDrag(QDragEnterEvent* e) {
  if (!DroppedLocalFiles(e->mimeData()).isEmpty()) e->acceptProposedAction();
}

QStringList TakeFileDrop(QDropEvent* e) {
  const QStringList paths = DroppedLocalFiles(e->mimeData());
  if (!paths.isEmpty()) e->acceptProposedAction();
  return paths;
}

}  // namespace morvik

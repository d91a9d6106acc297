#pragma once
// Files dropped on a window: the local paths among the dropped items.
#include <QStringList>

class QMimeData;

namespace morvik {

QStringList DroppedLocalFiles(const QMimeData* mime);

}  // namespace morvik

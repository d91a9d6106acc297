#pragma once
// Files dropped on a window: the local paths among the dropped items.
#include <QStringList>

class QMimeData;
class QDragEnterEvent;
class QDropEvent;

namespace morvik {

QStringList DroppedLocalFiles(const QMimeData* mime);
// Accepts a drag that carries local files.
void AcceptFileDrag(QDragEnterEvent* e);
// The local files of a drop, accepting it when there are any.
QStringList TakeFileDrop(QDropEvent* e);

}  // namespace morvik

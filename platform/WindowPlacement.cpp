#include "platform/WindowPlacement.h"

#include <QScreen>
#include <QWidget>

namespace morvik {

void CentreOnScreen(QWidget& w) {
  if (const QScreen* screen = w.screen()) {
    const QRect area = screen->availableGeometry();
    w.move(area.left() + (area.width() - w.width()) / 2, area.top() + (area.height() - w.height()) / 2);
  }
}

}  // namespace morvik

#pragma once
// Windows open centred on the screen they are on.
class QWidget;

namespace morvik {

void CentreOnScreen(QWidget& window);

}  // namespace morvik

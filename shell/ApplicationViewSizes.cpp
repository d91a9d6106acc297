// The view sizes offered: only those at which the largest window fits the screen's free area
// (the desktop's panels left out). The largest window's size is kept, so that the next start
// falls back from a kept size that no longer fits before Qt fixes its scale.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

#include "editor/FormEdit.h"
#include "play/FormMain.h"
#include "platform/SettingsFile.h"
#include "platform/ViewScale.h"
#include "shell/Application.h"
#include "shell/FormTitle.h"

namespace morvik {

namespace {
// The title bar and borders the window system adds around a window.
const QSize kFrame(16, 40);
}  // namespace

void Application::OfferFittingViewSizes() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  QSize window;
  for (const QWidget* w : {static_cast<QWidget*>(formTitle_.get()), static_cast<QWidget*>(formMain_.get()),
                           static_cast<QWidget*>(formEdit_.get())})
    window = window.expandedTo(w->size().expandedTo(w->sizeHint()));
  window += kFrame;
  const int current = ViewScale::Current();
  const int fitting = ViewScale::LargestFitting(window, screen->availableGeometry().size() * current);
  ViewScale::OfferUpTo(fitting);
  SettingsFile settings(SettingsFile::UserSettingsPath());
  ViewScale::StoreWindow(settings, window);
  if (const int from = ViewScale::FellBackFrom()) {
    messages_.Show(QCoreApplication::translate("Application", "表示の大きさ %1倍 では画面に収まらないため、%2倍 で表示します。").arg(from).arg(current),
                   QCoreApplication::translate("Application", "表示"), MsgIcon::Information, MsgButtons::Ok);
  } else if (current > fitting) {
    ViewScale::Store(settings, fitting);
    messages_.Show(QCoreApplication::translate("Application", "表示の大きさ %1倍 では画面に収まりません。次にモルビクを起動したときから %2倍 になります。")
                       .arg(current)
                       .arg(fitting),
                   QCoreApplication::translate("Application", "表示"), MsgIcon::Information, MsgButtons::Ok);
  }
}

}  // namespace morvik

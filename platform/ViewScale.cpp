#include "platform/ViewScale.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QSettings>
#include <algorithm>
#include <vector>

namespace morvik::ViewScale {

namespace {
const QString kKey = QStringLiteral("view/scale");
const QString kWindowKey = QStringLiteral("view/window");
int current = 1;
int fellBackFrom = 0;
int offered = Largest;
// Every window's menu, so that a choice made in one is checked in all.
std::vector<QPointer<QActionGroup>> groups;

void CheckEverywhere(int scale) {
  for (const QPointer<QActionGroup>& g : groups)
    if (g)
      for (QAction* a : g->actions()) a->setChecked(a->data().toInt() == scale);
}
}  // namespace

int Stored(const QSettings& settings) {
  const int scale = settings.value(kKey, 0).toInt();
  return scale >= 1 && scale <= Largest ? scale : 0;
}

void Store(QSettings& settings, int scale) {
  if (scale < 1 || scale > Largest) return;
  settings.setValue(kKey, scale);
  settings.sync();
}

int FirstChoice(int screenDevicePixelsWide, double devicePixelRatio) {
  if (devicePixelRatio >= 1.5) return 1;
  return screenDevicePixelsWide >= 2560 ? 2 : 1;
}

void ApplyBeforeStart(int scale) {
  current = scale >= 1 && scale <= Largest ? scale : 1;
  if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
    bool ok = false;
    const double own = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    if (ok && own >= 1) current = static_cast<int>(own);
    return;
  }
  if (current > 1) qputenv("QT_SCALE_FACTOR", QByteArray::number(current));
}

int Current() { return current; }

int LargestFitting(QSize window, QSize availableAtOne) {
  for (int scale = Largest; scale > 1; --scale)
    if (window.width() * scale <= availableAtOne.width() && window.height() * scale <= availableAtOne.height()) return scale;
  return 1;
}

QSize StoredWindow(const QSettings& settings) {
  const QSize s = settings.value(kWindowKey).toSize();
  return s.isValid() && s.width() > 0 && s.height() > 0 && s.width() < 10000 && s.height() < 10000 ? s : QSize();
}

void StoreWindow(QSettings& settings, QSize window) {
  if (StoredWindow(settings) == window) return;
  settings.setValue(kWindowKey, window);
  settings.sync();
}

void NoteFallBack(int from) { fellBackFrom = from; }
int FellBackFrom() { return fellBackFrom; }

void OfferUpTo(int largest) {
  offered = std::clamp(largest, 1, Largest);
  for (const QPointer<QActionGroup>& g : groups)
    if (g)
      for (QAction* a : g->actions()) a->setVisible(a->data().toInt() <= offered);
}

void AddMenu(QMainWindow& window, std::function<void(int)> chosen) {
  auto* menu = new QMenu(QStringLiteral("表示(&V)"), &window);
  auto* group = new QActionGroup(menu);
  for (int scale = 1; scale <= Largest; ++scale) {
    QAction* a = menu->addAction(QStringLiteral("%1倍(&%1)").arg(scale));
    a->setCheckable(true);
    a->setChecked(scale == current);
    a->setData(scale);
    a->setVisible(scale <= offered);
    group->addAction(a);
    QObject::connect(a, &QAction::triggered, &window, [chosen, scale] {
      CheckEverywhere(scale);
      if (chosen) chosen(scale);
    });
  }
  groups.emplace_back(group);
  const QList<QAction*> menus = window.menuBar()->actions();
  if (menus.isEmpty()) window.menuBar()->addMenu(menu);
  else window.menuBar()->insertMenu(menus.last(), menu);
}

}  // namespace morvik::ViewScale

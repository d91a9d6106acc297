#include "platform/ViewScale.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
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

int Stored(const SettingsFile& settings) {
  const int scale = settings.IntValue(kKey, 0);
  return scale >= 1 && scale <= Largest ? scale : 0;
}

bool Store(SettingsFile& settings, int scale) {
  if (scale < 1 || scale > Largest) return false;
  settings.SetValue(kKey, QString::number(scale));
  return settings.Save();
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

QSize StoredWindow(const SettingsFile& settings) {
  // "WIDTHxHEIGHT", a plain word as the settings file keeps its values.
  const QStringList parts = settings.Value(kWindowKey).split(QLatin1Char('x'));
  if (parts.size() != 2) return {};
  bool okW = false, okH = false;
  const int w = parts[0].toInt(&okW), h = parts[1].toInt(&okH);
  return okW && okH && w > 0 && h > 0 && w < 10000 && h < 10000 ? QSize(w, h) : QSize();
}

bool StoreWindow(SettingsFile& settings, QSize window) {
  if (StoredWindow(settings) == window) return true;
  settings.SetValue(kWindowKey, QStringLiteral("%1x%2").arg(window.width()).arg(window.height()));
  return settings.Save();
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
  auto* menu = new QMenu(QCoreApplication::translate("ViewScale", "表示(&V)"), &window);
  menu->setObjectName(QStringLiteral("viewMenu"));
  auto* group = new QActionGroup(menu);
  for (int scale = 1; scale <= Largest; ++scale) {
    QAction* a = menu->addAction(QCoreApplication::translate("ViewScale", "%1倍(&%1)").arg(scale));
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

#include "platform/ViewScale.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <vector>

namespace morvik::ViewScale {

namespace {
const QString kKey = QStringLiteral("view/scale");
int current = 1;
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

void AddMenu(QMainWindow& window, std::function<void(int)> chosen) {
  auto* menu = new QMenu(QStringLiteral("表示(&V)"), &window);
  auto* group = new QActionGroup(menu);
  for (int scale = 1; scale <= Largest; ++scale) {
    QAction* a = menu->addAction(QStringLiteral("%1倍(&%1)").arg(scale));
    a->setCheckable(true);
    a->setChecked(scale == current);
    a->setData(scale);
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

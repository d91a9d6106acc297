#pragma once
// Keys typed into a window as the window system delivers them: the window is made the active
// one, and its menus' shortcuts see the key before the widget does.
#include <QApplication>
#include <QTest>
#include <QWidget>

namespace morvik::test {

inline void TypeIntoWindow(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QApplication::setActiveWindow(w->window());
  QTest::keyClick(w, key, mods);
}

}  // namespace morvik::test

#pragma once
// Runs `then` once, when the widget it watches (as an event filter) is first painted: work
// that the first picture need not wait for is started from there.
#include <QEvent>
#include <QObject>
#include <functional>

namespace morvik {

class FirstPaint final : public QObject {
 public:
  std::function<void()> then;

  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint && then) {
      auto once = std::move(then);
      then = nullptr;
      once();
    }
    return false;
  }
};

}  // namespace morvik

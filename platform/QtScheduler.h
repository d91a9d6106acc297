#pragma once
// Scheduler on Qt single-shot timers of the GUI thread's event loop.
#include <QObject>
#include <QElapsedTimer>
#include <map>

#include "platform/Scheduler.h"

class QTimer;

namespace morvik {

class QtScheduler final : public QObject, public Scheduler {
 public:
  QtScheduler();
  ~QtScheduler() override;
  Id After(int ms, std::function<void()> fn) override;
  void Cancel(Id id) override;
  std::int64_t Now() const override { return clock_.elapsed(); }

 private:
  QElapsedTimer clock_;
  Id next_ = 1;
  std::map<Id, QTimer*> pending_;
};

}  // namespace morvik

#include "platform/QtScheduler.h"

#include <QTimer>

namespace morvik {

QtScheduler::QtScheduler() { clock_.start(); }

QtScheduler::~QtScheduler() {
  for (auto& [id, timer] : pending_) delete timer;
}

Scheduler::Id QtScheduler::After(int ms, std::function<void()> fn) {
  const Id id = next_++;
  auto* timer = new QTimer(this);
  timer->setSingleShot(true);
  timer->setTimerType(Qt::PreciseTimer);
  pending_[id] = timer;
  connect(timer, &QTimer::timeout, this, [this, id, timer, fn = std::move(fn)]() {
    pending_.erase(id);
    timer->deleteLater();
    fn();
  });
  timer->start(ms < 0 ? 0 : ms);
  return id;
}

void QtScheduler::Cancel(Id id) {
  auto it = pending_.find(id);
  if (it == pending_.end()) return;
  it->second->stop();
  it->second->deleteLater();
  pending_.erase(it);
}

}  // namespace morvik

#include "platform/VirtualScheduler.h"

namespace morvik {

Scheduler::Id VirtualScheduler::After(int ms, std::function<void()> fn) {
  const Id id = next_++;
  queue_.emplace(std::make_pair(now_ + (ms < 0 ? 0 : ms), id), std::move(fn));
  return id;
}

void VirtualScheduler::Cancel(Id id) {
  for (auto it = queue_.begin(); it != queue_.end(); ++it)
    if (it->first.second == id) {
      queue_.erase(it);
      return;
    }
}

void VirtualScheduler::Advance(std::int64_t ms) {
  const std::int64_t end = now_ + ms;
  while (!queue_.empty() && queue_.begin()->first.first <= end) {
    auto node = queue_.extract(queue_.begin());
    now_ = node.key().first;
    node.mapped()();
  }
  now_ = end;
}

std::int64_t VirtualScheduler::RunUntilIdle(std::int64_t limitMs) {
  const std::int64_t start = now_;
  while (!queue_.empty() && queue_.begin()->first.first - start <= limitMs) Advance(queue_.begin()->first.first - now_);
  return now_ - start;
}

}  // namespace morvik

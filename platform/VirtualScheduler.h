#pragma once
// Scheduler for tests: a virtual clock that moves only when Advance is called, running due
// callbacks in time order (ties in the order they were scheduled).
#include <map>
#include <utility>

#include "platform/Scheduler.h"

namespace morvik {

class VirtualScheduler final : public Scheduler {
 public:
  Id After(int ms, std::function<void()> fn) override;
  void Cancel(Id id) override;
  std::int64_t Now() const override { return now_; }

  // Moves the clock forward by ms, running every callback that falls due on the way.
  void Advance(std::int64_t ms);
  // Runs callbacks due now (zero-delay ones included) without moving the clock.
  void RunDue() { Advance(0); }
  // Advances until nothing is pending or the limit is reached; returns the time advanced.
  std::int64_t RunUntilIdle(std::int64_t limitMs = 600'000);
  bool Idle() const { return queue_.empty(); }

 private:
  std::int64_t now_ = 0;
  Id next_ = 1;
  std::map<std::pair<std::int64_t, Id>, std::function<void()>> queue_;
};

}  // namespace morvik

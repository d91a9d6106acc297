#pragma once
// Time for the screens: run a callback after a delay on the GUI thread, never blocking.
// The Qt scheduler uses timers; the virtual one advances a clock only when a test says so.
#include <cstdint>
#include <functional>

namespace morvik {

class Scheduler {
 public:
  using Id = std::uint64_t;
  virtual ~Scheduler() = default;
  // Runs fn once, ms milliseconds from now (0: as soon as pending events have run).
  virtual Id After(int ms, std::function<void()> fn) = 0;
  // Forgets a callback that has not run yet; unknown or finished ids are ignored.
  virtual void Cancel(Id id) = 0;
  // Milliseconds on this scheduler's clock.
  virtual std::int64_t Now() const = 0;
};

}  // namespace morvik

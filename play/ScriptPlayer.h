#pragma once
// Plays an effect script in order on the scheduler: effects are handed to the performer one
// by one; a pause or a yield schedules the rest, so the window keeps painting and taking
// events in between. Cancel drops whatever has not been played.
#include <functional>
#include <vector>

#include "core/Effect.h"
#include "platform/Scheduler.h"

namespace morvik {

class ScriptPlayer {
 public:
  // Performs one effect; a compound effect may put the effects it consists of into
  // `expansion`, which are played next.
  using Performer = std::function<void(const Effect& effect, Script& expansion)>;
  ScriptPlayer(Scheduler& scheduler, Performer perform);
  ~ScriptPlayer();

  // Starts playing; effects up to the first pause run at once. done runs after the last.
  void Play(const Script& script, std::function<void()> done = {});
  bool Busy() const { return busy_; }
  void Cancel();

 private:
  void Continue();
  Scheduler& scheduler_;
  Performer perform_;
  std::vector<Effect> items_;
  std::size_t next_ = 0;
  bool busy_ = false;
  unsigned generation_ = 0;  // changes whenever a script is started or cancelled
  Scheduler::Id pending_ = 0;
  std::function<void()> done_;
};

}  // namespace morvik

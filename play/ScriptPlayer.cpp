#include "play/ScriptPlayer.h"

namespace morvik {

ScriptPlayer::ScriptPlayer(Scheduler& scheduler, Performer perform) : scheduler_(scheduler), perform_(std::move(perform)) {}

ScriptPlayer::~ScriptPlayer() { Cancel(); }

void ScriptPlayer::Play(const Script& script, std::function<void()> done) {
  Cancel();
  ++generation_;
  items_ = script.Items();
  next_ = 0;
  busy_ = true;
  done_ = std::move(done);
  Continue();
}

void ScriptPlayer::Cancel() {
  if (pending_) scheduler_.Cancel(pending_);
  pending_ = 0;
  busy_ = false;
  ++generation_;
  items_.clear();
  done_ = nullptr;
}

void ScriptPlayer::Continue() {
  pending_ = 0;
  while (next_ < items_.size()) {
    const Effect e = items_[next_++];
    if (e.kind == Fx::Pause || e.kind == Fx::Yield) {
      pending_ = scheduler_.After(e.kind == Fx::Pause ? e.a : 0, [this] { Continue(); });
      return;
    }
    const unsigned generation = generation_;
    Script expansion;
    perform_(e, expansion);
    if (generation != generation_) return;  // the performer cancelled or replaced the script
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(next_), expansion.Items().begin(), expansion.Items().end());
  }
  busy_ = false;
  items_.clear();
  if (auto done = std::move(done_)) {
    done_ = nullptr;
    done();
  }
}

}  // namespace morvik

#pragma once
// The line of play of one stage: the position at the start and one after every key press that
// changed it. Undo walks back along the line, redo forward again; a new press forgets what
// was undone. A miss starts the attempt afresh, but the line up to the fatal press is kept,
// so that an undo before anything else is pressed brings back the position before that press.
// Plain data only: the play screen stores its snapshots here, tests store boards.
#include <cstddef>
#include <utility>
#include <vector>

namespace morvik {

template <class Snapshot>
class UndoHistory {
 public:
  // A new attempt from `start`; nothing to undo.
  void Start(Snapshot start) {
    line_.clear();
    line_.push_back(std::move(start));
    pos_ = 0;
    resume_.clear();
  }
  // The attempt starts again from `start` after a miss; the line before the fatal press
  // (which was never recorded) waits for the first undo.
  void StartAfterMiss(Snapshot start) {
    std::vector<Snapshot> kept(line_.begin(), line_.begin() + static_cast<std::ptrdiff_t>(line_.empty() ? 0 : pos_ + 1));
    Start(std::move(start));
    if (kept.size() > 1) resume_ = std::move(kept);
  }
  // The stage was cleared: the clear stands, nothing can be undone or redone.
  void Close() {
    line_.clear();
    pos_ = 0;
    resume_.clear();
  }
  // A press changed the position to `after`.
  void Record(Snapshot after) {
    if (line_.empty()) return;
    line_.resize(pos_ + 1);
    line_.push_back(std::move(after));
    ++pos_;
    resume_.clear();
  }

  bool CanUndo() const { return pos_ > 0 || !resume_.empty(); }
  bool CanRedo() const { return pos_ + 1 < line_.size(); }
  // The position to return to, or nullptr when there is nothing to undo.
  const Snapshot* Undo() {
    if (pos_ == 0 && !resume_.empty()) {
      line_ = std::move(resume_);
      resume_.clear();
      pos_ = line_.size() - 1;
      return &line_[pos_];
    }
    if (pos_ == 0) return nullptr;
    return &line_[--pos_];
  }
  const Snapshot* Redo() { return CanRedo() ? &line_[++pos_] : nullptr; }

  // Presses on the line up to the current position.
  int Presses() const { return static_cast<int>(pos_); }
  const Snapshot* Current() const { return line_.empty() ? nullptr : &line_[pos_]; }
  // The position n presses back along the line, or nullptr before its start.
  const Snapshot* Back(std::size_t n) const { return line_.empty() || n > pos_ ? nullptr : &line_[pos_ - n]; }

 private:
  std::vector<Snapshot> line_;
  std::size_t pos_ = 0;
  std::vector<Snapshot> resume_;
};

}  // namespace morvik

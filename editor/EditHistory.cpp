#include "editor/EditHistory.h"

namespace morvik {

void EditHistory::Record(const StageSheet& before) {
  if (past_.size() >= Depth) past_.erase(past_.begin());
  past_.push_back(before);
  future_.clear();
}

std::optional<StageSheet> EditHistory::Undo(const StageSheet& current) {
  if (past_.empty()) return std::nullopt;
  StageSheet back = past_.back();
  past_.pop_back();
  future_.push_back(current);
  return back;
}

std::optional<StageSheet> EditHistory::Redo(const StageSheet& current) {
  if (future_.empty()) return std::nullopt;
  StageSheet forward = future_.back();
  future_.pop_back();
  past_.push_back(current);
  return forward;
}

void EditHistory::Clear() {
  past_.clear();
  future_.clear();
}

}  // namespace morvik

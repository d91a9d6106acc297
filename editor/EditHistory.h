#pragma once
// The editor's undo and redo: the stage as it stood before each edit of the drawing (a
// placement, an erase, a fill, the first flower or the music number). The model records an
// edit only when it changed the stage; a new edit after an undo drops what could be redone.
#include <cstddef>
#include <optional>
#include <vector>

#include "stagedata/StageWriter.h"

namespace morvik {

class EditHistory {
 public:
  // An edit turned `before` into another stage.
  void Record(const StageSheet& before);
  // The stage to go back to from `current`, which becomes what a redo brings back.
  std::optional<StageSheet> Undo(const StageSheet& current);
  std::optional<StageSheet> Redo(const StageSheet& current);
  void Clear();
  bool CanUndo() const { return !past_.empty(); }
  bool CanRedo() const { return !future_.empty(); }

  // Past this many edits the oldest is forgotten (a stage is about 300 bytes).
  static constexpr std::size_t Depth = 1000;

 private:
  std::vector<StageSheet> past_, future_;
};

}  // namespace morvik

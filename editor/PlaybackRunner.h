#pragma once
// Plays a solution back on the editor's grid: one press every StepMs on the scheduler, each
// board handed to the grid as a stage to show in place of the drawing, until the last press
// or Stop. The drawing itself is never touched.
#include <functional>
#include <vector>

#include "core/Board.h"
#include "core/Move.h"
#include "platform/Scheduler.h"
#include "stagedata/StageWriter.h"

namespace morvik {

// A board between presses as the editor draws a stage: its terrain, objects and the hero.
StageSheet SheetOfBoard(const Board& b);

class PlaybackRunner {
 public:
  explicit PlaybackRunner(Scheduler& scheduler) : scheduler_(scheduler) {}
  ~PlaybackRunner() { Stop(); }

  static constexpr int StepMs = 300;

  // show(board, presses made) runs for the start at once and after every press; ended runs
  // after the last press or on Stop.
  void Start(const Board& start, std::vector<Move> presses, std::function<void(const Board&, int)> show,
             std::function<void()> ended);
  void Stop();
  bool Running() const { return timer_ != 0; }

 private:
  void Step();

  Scheduler& scheduler_;
  Board board_;
  std::vector<Move> presses_;
  std::size_t next_ = 0;
  std::function<void(const Board&, int)> show_;
  std::function<void()> ended_;
  Scheduler::Id timer_ = 0;
};

}  // namespace morvik

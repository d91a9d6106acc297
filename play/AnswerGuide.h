#pragma once
// The answer guide's walk through an answer: the move it marks (action and cell) and the
// records still to come. It advances only when the player makes exactly the marked move.
#include <string>

namespace morvik {

class AnswerGuide {
 public:
  // Starts with the records joined without separators ("034250"); the first is marked.
  void Start(std::string data);
  void Stop() { running_ = false; }
  bool Running() const { return running_; }

  // The marked move.
  int Action() const { return action_; }
  int X() const { return x_; }
  int Y() const { return y_; }

  // A move was made (action 0 step, 1 dig, 2 jump landing, at that cell): true when it was
  // the marked one and the guide went on to the next, or ended after the last.
  bool Check(int action, int x, int y);

 private:
  void Mark();
  std::string data_;
  int action_ = 0, x_ = 0, y_ = 0;
  bool running_ = false;
};

}  // namespace morvik

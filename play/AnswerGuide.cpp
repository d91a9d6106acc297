#include "play/AnswerGuide.h"

namespace morvik {

void AnswerGuide::Start(std::string data) {
  data_ = std::move(data);
  running_ = true;
  Mark();
}

void AnswerGuide::Mark() {
  if (data_.size() < 3) {
    running_ = false;  // the last move was made: the mark stays where it is
    return;
  }
  action_ = data_[0] - '0';
  x_ = data_[1] - '0';
  y_ = data_[2] - '0';
}

bool AnswerGuide::Check(int action, int x, int y) {
  if (!running_ || data_.size() <= 2 || action != action_ || x != x_ || y != y_) return false;
  data_.erase(0, 3);
  Mark();
  return true;
}

}  // namespace morvik

#include "editor/PlaybackRunner.h"

namespace morvik {

StageSheet SheetOfBoard(const Board& b) {
  StageSheet s;
  for (int x = 0; x < FieldSize; ++x)
    for (int y = 0; y < FieldSize; ++y) {
      const int cell = 10 * x + y;
      s.terrain[cell] = b.T(x, y);
      switch (b.C(x, y).kind) {
        case CharaKind::Stone: s.pieces[cell] = Piece::Stone; break;
        case CharaKind::Yellow: s.pieces[cell] = Piece::Yellow; break;
        case CharaKind::Red: s.pieces[cell] = Piece::Red; break;
        case CharaKind::PX: s.pieces[cell] = Piece::PX; break;
        default: break;
      }
    }
  s.pieces[10 * b.heroX + b.heroY] = Piece::Hero;
  s.firstFlower = b.firstFlower;
  return s;
}

void PlaybackRunner::Start(const Board& start, std::vector<Move> presses, std::function<void(const Board&, int)> show,
                           std::function<void()> ended) {
  Stop();
  board_ = start;
  presses_ = std::move(presses);
  next_ = 0;
  show_ = std::move(show);
  ended_ = std::move(ended);
  show_(board_, 0);
  timer_ = scheduler_.After(StepMs, [this] { Step(); });
}

void PlaybackRunner::Step() {
  timer_ = 0;
  Script discard(false);
  ApplyMove(board_, discard, presses_[next_++]);
  show_(board_, static_cast<int>(next_));
  if (next_ < presses_.size() && !board_.Ended()) timer_ = scheduler_.After(StepMs, [this] { Step(); });
  else if (ended_) ended_();
}

void PlaybackRunner::Stop() {
  if (!timer_) return;
  scheduler_.Cancel(timer_);
  timer_ = 0;
  if (ended_) ended_();
}

}  // namespace morvik

#include "core/BoardOps.h"

#include "core/Pictures.h"
#include "core/SoundEffects.h"

namespace morvik {

void FallSpin(const Board& b, Script& s) {
  for (int k = 0;; ++k) {
    const int d = (b.heroDir + k) % 4 + 1;
    s.Add(Fx::HeroPose, pic::Spin(d));
    if (k >= 3 && d == DirDown) break;
    s.Add(Fx::Yield);
    s.Add(Fx::Pause, 150);
  }
  s.Add(Fx::Sound, sfx::Thud);
  s.Add(Fx::HeroPose, pic::KnockedDown);
  s.Add(Fx::Yield);
}

void OpenGates(Board& b, Script& s) {
  bool changed = false;
  for (int y = 0; y < FieldSize; ++y)
    for (int x = 0; x < FieldSize; ++x)
      if (b.T(x, y) == cell::GateClosed) {
        b.T(x, y) = cell::GateOpen;
        s.Add(Fx::PaintTile, x, y, cell::GateOpen);
        changed = true;
      }
  if (changed) s.Add(Fx::Sound, sfx::Chime);
  s.Add(Fx::Yield);
}

void EndStage(Board& b, Script& s, Outcome o) {
  b.outcome = o;
  s.Add(Fx::StageEnd, static_cast<int>(o));
}

void ItemTaken(Board& b, Script& s, int kind) {
  s.Add(Fx::ItemTaken, kind);
  if (kind == 0) {
    ++b.yFlowerTaken;
    b.firstFlower = 1;
  } else if (kind == 1) {
    ++b.rFlowerTaken;
    b.firstFlower = 0;
  } else {
    ++b.pxTaken;
    if (b.pxTaken == b.pxCount) OpenGates(b, s);
  }
  const bool flowersDone = b.yFlowerTaken == b.yFlowerCount && b.rFlowerTaken == b.rFlowerCount;
  if (flowersDone && b.pxTaken == b.pxCount) {
    EndStage(b, s, Outcome::Clear);
    return;
  }
  if (kind == 0) s.Add(Fx::SetNext, pic::RedFlower);
  if (kind == 1) s.Add(Fx::SetNext, pic::YellowFlower);
  if (flowersDone) s.Add(Fx::SetNext, pic::Empty);
}

}  // namespace morvik

#include "core/Walk.h"

#include "core/Pictures.h"
#include "core/StepRules.h"

namespace morvik {

void Walk(Board& b, Script& s) {
  const int quarter = CellPixels / 4;
  const int dx = b.heroDir == DirLeft ? -quarter : b.heroDir == DirRight ? quarter : 0;
  const int dy = b.heroDir == DirUp ? -quarter : b.heroDir == DirDown ? quarter : 0;
  const int pool = MovingPoolOf(b.stepKind);
  int phase = 0;
  for (int frame = 1; frame <= 4; ++frame) {
    if (pool >= 0) s.Add(Fx::NudgeChara, pool, b.C(NextX(b), NextY(b)).index, dx, dy);
    s.Add(Fx::NudgeHero, dx, dy);
    const int pose = phase == 0 ? pic::FirstFoot(b.heroDir) : phase == 1 ? pic::Standing(b.heroDir) : pic::SecondFoot(b.heroDir);
    s.Add(Fx::HeroPose, pose);
    phase = (phase + 1) % 3;
    if (frame < 4) {
      s.Add(Fx::Yield);
      s.Add(Fx::Pause, WalkWaitMs);
    }
  }
  ResolveStep(b, s);
  // A step that ended the attempt leaves the hero as the outcome shows it.
  if (!b.Ended()) s.Add(Fx::HeroPose, pic::Standing(b.heroDir));
}

}  // namespace morvik

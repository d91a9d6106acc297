#include "core/JumpRules.h"

#include <cmath>
#include <cstdlib>

#include "core/BoardOps.h"
#include "core/Pictures.h"
#include "core/SoundEffects.h"
#include "core/Stories.h"

namespace morvik {

namespace {

constexpr double kHalfTurn = 3.1415;  // the arc's constant, a shade under pi
constexpr int kFlightFrameMs = 200;

int Sign(int dir) { return dir == DirLeft || dir == DirUp ? -1 : 1; }

void Crash(Board& b, Script& s) {
  s.Add(Fx::Sound, sfx::Bump);
  FallSpin(b, s);
  s.Add(Fx::Yield);
  EndStage(b, s, Outcome::Miss);
}

// The hero went down into water, a hole or breaking ice: only the head shows.
void GoUnder(Script& s) {
  s.Add(Fx::HeroPose, pic::HeadInWater);
  s.Add(Fx::ShowShadow, 0);
  s.Add(Fx::Pause, 200);
}

void UnsafeLanding(Board& b, Script& s, CellCode t) {
  if (t == cell::CrackedIce) {
    // The ice breaks at once; the terrain keeps its code, the attempt is over anyway.
    s.Add(Fx::PaintTile, b.heroX, b.heroY, cell::DeepWater);
    s.Add(Fx::Sound, sfx::IceBreaks);
    GoUnder(s);
    s.Add(Fx::Yield);
    EndStage(b, s, Outcome::Miss);
    return;
  }
  if (IsWater(t) || IsHole(t)) {
    s.Add(Fx::Sound, IsWater(t) ? sfx::Splash : sfx::Thud);
    GoUnder(s);
    if (b.hiddenWarp && b.heroX == HiddenExitX && b.heroY == HiddenExitY) {
      s.Add(Fx::Sound, sfx::Warp);
      s.Add(Fx::Yield);
      s.Add(Fx::Pause, 2000);
      s.Add(Fx::HeroPose, pic::Empty);
      EndStage(b, s, Outcome::Warp);
      return;
    }
    s.Add(Fx::Yield);
    EndStage(b, s, Outcome::Miss);
    return;
  }
  Crash(b, s);
}

}  // namespace

int JumpDistance(int level) {
  constexpr int table[] = {0, 1, 1, 2, 2, 3, 4, 5};
  return level >= 0 && level <= MeterLevels ? table[level] : 0;
}

int MeterColourNumber(int level) {
  constexpr int table[] = {0, 11, 11, 9, 9, 1, 14, 12};
  return level >= 1 && level <= MeterLevels ? table[level] : 0;
}

unsigned CgaRgb(int n) {
  constexpr unsigned palette[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
                                    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
  return palette[n & 15];
}

int ShortenedJump(const Board& b, int d) {
  const int tx = b.heroX + d * (NextX(b) - b.heroX);
  const int ty = b.heroY + d * (NextY(b) - b.heroY);
  if (tx > FieldSize - 1) d = FieldSize - 1 - b.heroX;
  if (tx < 0) d = b.heroX;
  if (ty > FieldSize - 1) d = FieldSize - 1 - b.heroY;
  if (ty < 0) d = b.heroY;
  return d;
}

void Jump(Board& b, Script& s, int distance) {
  if (b.Ended()) return;
  const int H = CellPixels, W = CellPixels;
  const int T0 = b.heroY * CellPixels, L0 = b.heroX * CellPixels;
  const bool horizontal = b.heroDir == DirLeft || b.heroDir == DirRight;
  const int shift = horizontal ? (b.heroDir - 2) * distance : (b.heroDir - 3) * distance;
  s.Add(Fx::Sound, b.padBounce ? sfx::PadBounce : std::abs(shift) < 5 ? sfx::JumpShort : sfx::JumpLong);
  s.Add(Fx::PlaceShadow, L0, T0);
  for (int f = 0; f <= 180; f += 20) {
    if (f >= 160) s.Add(Fx::HeroPose, pic::Flight(b.heroDir));
    else if (f >= 40) s.Add(Fx::HeroPose, pic::TakeOff(b.heroDir));
    const double a = f / 180.0 * kHalfTurn;
    const double g = static_cast<double>(f) * (horizontal ? W : H) * shift / 180.0;
    const double top = T0 - std::abs(shift) * H * std::sin(a) + (horizontal ? 0.0 : g);
    const double left = L0 + (horizontal ? g : 0.0);
    s.Add(Fx::PlaceHero, static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)));
    s.Add(Fx::PlaceShadow, static_cast<int>(std::lround(left)), static_cast<int>(std::lround(T0 + (horizontal ? 0.0 : g))));
    s.Add(Fx::Yield);
    s.Add(Fx::Pause, kFlightFrameMs);
  }
  s.Add(Fx::Yield);
  b.sliding = false;
  JumpLand(b, s, shift, horizontal, !horizontal);
  s.Add(Fx::Yield);
}

void JumpLand(Board& b, Script& s, int shift, bool horizontal, bool vertical) {
  if (b.Ended()) return;
  if (b.onFlower) {
    // Took off from a flower it had walked onto: the flower is back, the slots are empty.
    b.onFlower = false;
    b.C(b.heroX, b.heroY) = b.onFlowerCode;
    b.underState = {};
    b.underCode = {};
  }
  if (b.C(b.heroX, b.heroY) == HeroChara) b.C(b.heroX, b.heroY) = NoChara;
  if (horizontal) b.heroX = static_cast<std::int16_t>(b.heroX + shift);
  if (vertical) b.heroY = static_cast<std::int16_t>(b.heroY + shift);
  s.Add(Fx::AnswerMove, b.heroX, b.heroY, 2);
  s.Add(Fx::Yield);

  CellCode t = b.T(b.heroX, b.heroY);
  const Chara c = b.C(b.heroX, b.heroY);
  const bool frontOff = NextOffField(b);
  const CharaKind a = frontOff ? CharaKind::None : b.C(NextX(b), NextY(b)).kind;
  CellCode front = frontOff ? cell::Mountain : b.T(NextX(b), NextY(b));
  s.Add(Fx::Sound, sfx::Step);
  if (b.landedFlower) {
    b.C(b.landedX, b.landedY) = b.landedCode;
    b.landedFlower = false;
  }
  if (!IsFloor(t)) {
    UnsafeLanding(b, s, t);
    return;
  }
  const int sign = Sign(b.heroDir);
  switch (c.kind) {
    case CharaKind::PX:
      s.Add(Fx::Sound, sfx::Bump);
      s.Add(Fx::Yield);
      EndStage(b, s, Outcome::Miss);
      return;
    case CharaKind::Yellow:
    case CharaKind::Red: {
      const int colour = c.kind == CharaKind::Yellow ? 0 : 1;
      if (b.firstFlower == colour) {
        s.Add(Fx::Sound, colour == sfx::Step ? sfx::YellowFlower : sfx::RedFlower);
        s.Add(Fx::HideChara, static_cast<int>(colour == 0 ? Pool::Yellow : Pool::Red), c.index, 0);
        ItemTaken(b, s, colour);
        if (b.Ended()) return;  // the last flower: nothing of this attempt goes on
      } else {
        b.landedFlower = true;
        b.landedCode = c;
        b.landedX = b.heroX;
        b.landedY = b.heroY;
      }
      break;
    }
    case CharaKind::Stone:
      if (FacesBorder(b)) {
        Crash(b, s);
        return;
      }
      s.Add(Fx::Sound, sfx::StoneBounce);
      SlideStep(b, s, 50);
      s.Add(Fx::Yield);
      JumpLand(b, s, sign, horizontal, vertical);
      s.Add(Fx::Yield);
      return;
    default:
      break;
  }

  b.C(b.heroX, b.heroY) = HeroChara;
  if (t == cell::CrackedIce && b.sliding) t = cell::Ice;
  if (IsHazard(t)) {
    Crash(b, s);
    return;
  }
  if (t == cell::Ice) {
    s.Add(Fx::Yield);
    if (IsLandingDanger(front)) front = cell::Light;  // the slide goes on into the danger
    if (a != CharaKind::Stone && a != CharaKind::PX && IsFloor(front)) {
      if (c.IsNone()) s.Add(Fx::Sound, sfx::Slide);
      SlideStep(b, s, 30);
      s.Add(Fx::Yield);
      b.sliding = true;
      JumpLand(b, s, sign, horizontal, vertical);
      s.Add(Fx::Yield);
      b.sliding = false;
    }
    return;
  }
  if (t == cell::CrackedIce) {
    UnsafeLanding(b, s, t);
    return;
  }
  if (t == cell::JumpPad && std::abs(shift) >= 3) {
    const int bounce = ShortenedJump(b, std::abs(shift) == 5 ? 2 : 1);
    if (bounce != 0) {
      b.padBounce = true;
      Jump(b, s, bounce);
      b.padBounce = false;
      s.Add(Fx::Yield);
    } else {
      s.Add(Fx::Sound, sfx::Refused);
    }
  }
}

void SlideStep(const Board& b, Script& s, int delayMs) {
  if (b.Ended()) return;
  const int dx = NextX(b) - b.heroX, dy = NextY(b) - b.heroY;
  for (int i = 0; i < 4; ++i) {
    s.Add(Fx::NudgeHero, dx * CellPixels / 4, dy * CellPixels / 4);
    s.Add(Fx::Yield);
    s.Add(Fx::Pause, delayMs);
  }
  s.Add(Fx::PlaceHero, NextX(b) * CellPixels, NextY(b) * CellPixels);
  s.Add(Fx::PlaceShadow, NextX(b) * CellPixels, NextY(b) * CellPixels);
}

}  // namespace morvik

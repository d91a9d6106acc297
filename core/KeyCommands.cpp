#include "core/KeyCommands.h"

#include "core/BoardOps.h"
#include "core/JumpRules.h"
#include "core/Pictures.h"
#include "core/SoundEffects.h"
#include "core/StepRules.h"
#include "core/Walk.h"

namespace morvik {

KeyCommand CommandForKey(int key, int modifiers) {
  const auto play = [](Move m) { return KeyCommand{KeyCommand::Play, m}; };
  if (modifiers == ModShift) return play(Move::Turn);
  switch (key) {
    case vk::Left: case vk::Pad4: return play(Move::Left);
    case vk::Up: case vk::Pad8: return play(Move::Up);
    case vk::Right: case vk::Pad6: return play(Move::Right);
    case vk::Down: case vk::Pad2: return play(Move::Down);
    case vk::Delete: return play(Move::GiveUp);
    case vk::X: return {KeyCommand::Meter};
    case vk::Z: return play(Move::Dig);
    default: return {};
  }
}

void StepCommand(Board& b, Script& s, int dir) {
  b.heroDir = static_cast<std::int16_t>(dir);
  if (FacesBorder(b)) return;
  b.stepKind = ClassifyStep(b, s);
  if (b.stepKind != step::Impossible) Walk(b, s);
}

void TurnCommand(Board& b, Script& s) {
  b.heroDir = static_cast<std::int16_t>(b.heroDir % 4 + 1);
  s.Add(Fx::Sound, sfx::Turn);
  s.Add(Fx::HeroPose, pic::Standing(b.heroDir));
}

void DigCommand(Board& b, Script& s) {
  if (FacesBorder(b)) {
    s.Add(Fx::Sound, sfx::DigRefused);
    return;
  }
  const int fx = NextX(b), fy = NextY(b);
  const CellCode v = b.T(fx, fy);
  if ((v != cell::Light && v != cell::Grass) || !b.C(fx, fy).IsNone()) {
    s.Add(Fx::Sound, sfx::DigRefused);
    return;
  }
  const CellCode hole = v == cell::Light ? cell::HoleLight : cell::HoleGrass;
  b.C(fx, fy) = HoleMark;
  s.Add(Fx::Sound, sfx::Dig);
  s.Add(Fx::PaintTile, fx, fy, hole);
  b.T(fx, fy) = hole;
  s.Add(Fx::AnswerDig, fx, fy);
}

void GiveUpCommand(Board& b, Script& s) { EndStage(b, s, Outcome::GiveUp); }

}  // namespace morvik

namespace morvik {

bool StartMeterCommand(const Board& b, Script& s) {
  const bool onPad = b.T(b.heroX, b.heroY) == cell::JumpPad;
  s.Add(Fx::Sound, onPad ? sfx::MeterStart : sfx::Refused);
  return onPad;
}

int ReleaseJumpCommand(Board& b, Script& s, int level) {
  const int d = ShortenedJump(b, JumpDistance(level));
  if (d == 0) {
    s.Add(Fx::Sound, sfx::Refused);
    return 0;
  }
  Jump(b, s, d);
  return d;
}

int LevelForDistance(int d) {
  for (int level = 1; level <= MeterLevels; ++level)
    if (JumpDistance(level) == d) return level;
  return 0;
}

}  // namespace morvik

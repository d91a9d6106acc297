#include "core/StepRules.h"

#include "core/BoardOps.h"
#include "core/Pictures.h"
#include "core/SoundEffects.h"

namespace morvik {

namespace {

struct StepCells {
  int fx, fy, bx, by;
};

StepCells CellsOf(const Board& b) {
  const int fx = NextX(b), fy = NextY(b);
  return {fx, fy, 2 * fx - b.heroX, 2 * fy - b.heroY};
}

// Beyond the field everything counts as empty mountain, so nothing can be pushed out.
CellCode TerrainBeyond(const Board& b, int x, int y) { return OnField(x, y) ? b.T(x, y) : cell::Mountain; }
Chara CharaBeyond(const Board& b, int x, int y) { return OnField(x, y) ? b.C(x, y) : NoChara; }

std::int16_t HoleKind(CellCode hole, bool px) {
  switch (hole) {
    case cell::HoleGrass: return px ? step::PXIntoHoleGrass : step::StoneIntoHoleGrass;
    case cell::HoleLight: return px ? step::PXIntoHoleLight : step::StoneIntoHoleLight;
    case cell::HoleSnow: return px ? step::PXIntoHoleSnow : step::StoneIntoHoleSnow;
    case cell::HoleSand: return px ? step::PXIntoHoleSand : step::StoneIntoHoleSand;
    default: return step::Impossible;
  }
}

std::int16_t ClassifyPush(Script& s, CellCode tF, CellCode tB, Chara cB, bool px) {
  if (IsWater(tB)) return px ? step::PXIntoWater : step::StoneIntoWater;
  if (tB == cell::CrackedIce && (px || cB.IsNone())) return px ? step::PXOntoCrackedIce : step::StoneOntoCrackedIce;
  if (!IsFloor(tB) && cB.kind != CharaKind::EmptyHole) return step::Impossible;
  if (cB.IsFlower()) return px ? step::PXOntoFlower : step::StoneOntoFlower;
  if (cB.kind == CharaKind::EmptyHole) return HoleKind(tB, px);
  if (cB.IsObject()) return step::Impossible;
  if (IsHazard(tF)) return px ? step::PXOffHazard : step::StoneOffHazard;
  s.Add(Fx::Sound, px ? sfx::PushPX : sfx::PushStone);
  return px ? step::PushPX : step::PushStone;
}

CellCode FilledBy(int kind) {
  switch (kind) {
    case step::StoneIntoHoleLight: return cell::FilledLight;
    case step::StoneIntoHoleGrass: return cell::FilledGrass;
    case step::StoneIntoHoleSnow: return cell::FilledSnow;
    case step::StoneIntoHoleSand: return cell::FilledSand;
    case step::PXIntoHoleLight: return cell::WhirlLight;
    case step::PXIntoHoleGrass: return cell::WhirlGrass;
    case step::PXIntoHoleSnow: return cell::WhirlSnow;
    default: return cell::WhirlSand;
  }
}

// Cracked ice turns into deep water, with its shores repaired.
void BreakIce(Board& b, Script& s, int x, int y) {
  b.T(x, y) = cell::DeepWater;
  s.Add(Fx::PaintTile, x, y, cell::DeepWater);
  s.Add(Fx::RenewShores, x, y);
}

// The hero enters the cell in front; a pushed object's code moves on by one cell.
void Move(Board& b, Script& s, const StepCells& c, bool pushed) {
  const int hx = b.heroX, hy = b.heroY;
  if (b.underState[0] == flowerSlot::HeroOnIt) {
    b.C(hx, hy) = b.underCode[0];
    b.underState[0] = flowerSlot::Empty;
  } else {
    if (b.underState[0] == flowerSlot::Entering) b.underState[0] = flowerSlot::HeroOnIt;
    b.C(hx, hy) = NoChara;
  }
  if (b.underState[1] == flowerSlot::HeroOnIt) {
    b.C(hx, hy) = b.underCode[1];
    b.underState[1] = flowerSlot::Empty;
  } else if (b.underState[1] == flowerSlot::Entering) {
    b.underState[1] = flowerSlot::HeroOnIt;
  }
  if (b.T(hx, hy) == cell::CrackedIce) {
    BreakIce(b, s, hx, hy);
    s.Add(Fx::Sound, sfx::IceBreaks);
    s.Add(Fx::InWaterAnime, hx, hy, 0);
  }
  b.heroX = static_cast<std::int16_t>(c.fx);
  b.heroY = static_cast<std::int16_t>(c.fy);
  s.Add(Fx::AnswerMove, b.heroX, b.heroY, 0);
  s.Add(Fx::Yield);
  if (pushed) b.C(c.bx, c.by) = b.C(c.fx, c.fy);
  b.C(c.fx, c.fy) = HeroChara;
  if (b.landedFlower) {
    b.C(b.landedX, b.landedY) = b.landedCode;
    b.landedFlower = false;
  }
}

// After an object has gone into a hole or the water: a hero left standing on a whirl falls.
bool MissedOnHazard(Board& b, Script& s, CellCode t) {
  if (!IsHazard(t)) return false;
  EndStage(b, s, Outcome::Miss);
  return true;
}

}  // namespace

int MovingPoolOf(int kind) {
  switch (kind) {
    case step::PushStone: case step::StoneIntoWater: case step::StoneOntoFlower: case step::StoneIntoHoleLight:
    case step::StoneIntoHoleGrass: case step::StoneOffHazard: case step::StoneIntoHoleSnow:
    case step::StoneIntoHoleSand: case step::StoneOntoCrackedIce:
      return static_cast<int>(Pool::Stone);
    case step::PushPX: case step::PXIntoWater: case step::PXOntoFlower: case step::PXIntoHoleLight:
    case step::PXIntoHoleGrass: case step::PXOffHazard: case step::PXIntoHoleSnow: case step::PXIntoHoleSand:
    case step::PXOntoCrackedIce:
      return static_cast<int>(Pool::PX);
    default:
      return -1;
  }
}

std::int16_t ClassifyStep(const Board& b, Script& s) {
  const StepCells c = CellsOf(b);
  const CellCode tF = b.T(c.fx, c.fy);
  const Chara cF = b.C(c.fx, c.fy);
  if (!IsFloor(tF)) return step::Impossible;
  switch (cF.kind) {
    case CharaKind::None: return IsHazard(tF) ? step::OntoHazard : step::Floor;
    case CharaKind::Yellow: return b.firstFlower == 0 ? step::TakeYellow : step::OntoWrongFlower;
    case CharaKind::Red: return b.firstFlower == 1 ? step::TakeRed : step::OntoWrongFlower;
    case CharaKind::Stone:
    case CharaKind::PX:
      return ClassifyPush(s, tF, TerrainBeyond(b, c.bx, c.by), CharaBeyond(b, c.bx, c.by),
                          cF.kind == CharaKind::PX);
    default: return step::Impossible;
  }
}

void ResolveStep(Board& b, Script& s) {
  const StepCells c = CellsOf(b);
  const CellCode t = b.T(c.fx, c.fy);
  const Chara cF = b.C(c.fx, c.fy);
  b.onFlower = false;
  switch (b.stepKind) {
    case step::Floor:
      s.Add(Fx::Sound, sfx::Step);
      Move(b, s, c, false);
      break;
    case step::TakeYellow:
    case step::TakeRed: {
      const bool yellow = b.stepKind == step::TakeYellow;
      s.Add(Fx::Sound, yellow ? sfx::YellowFlower : sfx::RedFlower);
      s.Add(Fx::HideChara, static_cast<int>(yellow ? Pool::Yellow : Pool::Red), cF.index, 1);
      Move(b, s, c, false);
      ItemTaken(b, s, yellow ? 0 : 1);
      break;
    }
    case step::PushStone:
    case step::PushPX:
      Move(b, s, c, true);
      break;
    case step::StoneIntoWater:
      Move(b, s, c, true);
      s.Add(Fx::HideChara, static_cast<int>(Pool::Stone), b.C(c.bx, c.by).index, 0);
      s.Add(Fx::Sound, sfx::Splash);
      s.Add(Fx::InWaterAnime, c.bx, c.by, 75);
      if (!MissedOnHazard(b, s, t)) b.C(c.bx, c.by) = NoChara;
      break;
    case step::StoneOntoFlower:
    case step::PXOntoFlower:
      s.Add(Fx::Sound, sfx::Bump);
      Move(b, s, c, true);
      EndStage(b, s, Outcome::Miss);
      break;
    case step::StoneIntoHoleLight:
    case step::StoneIntoHoleGrass:
    case step::StoneIntoHoleSnow:
    case step::StoneIntoHoleSand:
    case step::PXIntoHoleLight:
    case step::PXIntoHoleGrass:
    case step::PXIntoHoleSnow:
    case step::PXIntoHoleSand: {
      const bool px = cF.kind == CharaKind::PX;
      s.Add(Fx::Sound, px ? sfx::PXIntoHole : sfx::Thud);
      Move(b, s, c, true);
      const CellCode filled = FilledBy(b.stepKind);
      b.T(c.bx, c.by) = filled;
      s.Add(Fx::PaintTile, c.bx, c.by, filled);
      s.Add(Fx::HideChara, static_cast<int>(px ? Pool::PX : Pool::Stone), cF.index, 1);
      if (MissedOnHazard(b, s, t)) break;
      b.C(c.bx, c.by) = NoChara;
      if (px) ItemTaken(b, s, 2);
      break;
    }
    case step::OntoWrongFlower: {
      b.onFlower = true;
      b.onFlowerCode = cF;
      const int slot = b.underState[0] != flowerSlot::Empty ? 1 : 0;
      b.underState[slot] = flowerSlot::Entering;
      b.underCode[slot] = cF;
      Move(b, s, c, false);
      break;
    }
    case step::PXIntoWater:
      s.Add(Fx::Sound, sfx::Splash);
      EndStage(b, s, Outcome::Miss);
      break;
    case step::StoneOffHazard:
    case step::PXOffHazard:
    case step::OntoHazard:
      s.Add(Fx::Sound, sfx::Bump);
      FallSpin(b, s);
      EndStage(b, s, Outcome::Miss);
      break;
    case step::StoneOntoCrackedIce:
      Move(b, s, c, true);
      s.Add(Fx::HideChara, static_cast<int>(Pool::Stone), cF.index, 0);
      s.Add(Fx::Sound, sfx::IceBreaks);
      b.C(c.bx, c.by) = NoChara;
      BreakIce(b, s, c.bx, c.by);
      s.Add(Fx::InWaterAnime, c.bx, c.by, 75);
      MissedOnHazard(b, s, t);
      break;
    case step::PXOntoCrackedIce:
      // Only the hero's coordinates follow: the attempt ends here.
      b.heroX = static_cast<std::int16_t>(c.fx);
      b.heroY = static_cast<std::int16_t>(c.fy);
      s.Add(Fx::PaintTile, c.bx, c.by, cell::DeepWater);
      s.Add(Fx::Sound, sfx::IceBreaks);
      s.Add(Fx::Yield);
      EndStage(b, s, Outcome::Miss);
      break;
    default:
      break;
  }
}

}  // namespace morvik

#include "solver/StageAnalysis.h"

#include "solver/FieldMask.h"
#include "solver/PxPushReach.h"

#include <bit>
#include <cstdint>
#include <vector>

namespace morvik {

namespace {

constexpr int kDx[4] = {-1, 0, 1, 0};
constexpr int kDy[4] = {0, -1, 0, 1};

bool MayBeFloorCell(const Board& b, int x, int y) {
  const CellCode t = b.T(x, y);
  if (IsFloor(t)) return true;
  if (IsHole(t) && b.C(x, y).kind == CharaKind::EmptyHole) return true;
  return t == cell::GateClosed && b.pxCount > b.pxTaken;
}

}  // namespace

StageAnalysis AnalyseStage(const Board& b) {
  StageAnalysis a;
  for (int y = 0; y < FieldSize; ++y)
    for (int x = 0; x < FieldSize; ++x) {
      const int i = CellIndex(x, y);
      a.mayBeFloor[i] = MayBeFloorCell(b, x, y);
      a.diggable[i] = b.T(x, y) == cell::Light || b.T(x, y) == cell::Grass;
      if (b.T(x, y) == cell::JumpPad)
        for (int d = 0; d < 4; ++d)
          if (OnField(x + kDx[d], y + kDy[d])) a.besidePad[CellIndex(x + kDx[d], y + kDy[d])] = true;
    }

  // Stones that can never move stand for walls. A push along a line needs the hero on one
  // side and room on the other (floor, a hole, water), so a stone with a side on each line
  // that is neither is stuck for good; so are stones stuck only against each other, since
  // none of them can move first. Start from every stone, drop those that may move, repeat.
  for (int i = 0; i < FieldSize * FieldSize; ++i) a.frozenStones[i] = b.chara[i].kind == CharaKind::Stone;
  auto blocks = [&](int x, int y) {
    if (!OnField(x, y)) return true;
    const int i = CellIndex(x, y);
    return a.frozenStones[i] || (!a.mayBeFloor[i] && !IsWater(b.terrain[i]));
  };
  for (bool changed = true; changed;) {
    changed = false;
    for (int i = 0; i < FieldSize * FieldSize; ++i) {
      if (!a.frozenStones[i]) continue;
      const int x = i % FieldSize, y = i / FieldSize;
      if ((blocks(x - 1, y) || blocks(x + 1, y)) && (blocks(x, y - 1) || blocks(x, y + 1))) continue;
      a.frozenStones[i] = false;
      changed = true;
    }
  }
  for (int i = 0; i < FieldSize * FieldSize; ++i)
    if (a.frozenStones[i]) a.mayBeFloor[i] = a.diggable[i] = false;

  // A push moves an object standing on floor from n to m = n + d; the hero stands on n - d.
  auto canPush = [&](int x, int y, int d) {
    const int hx = x - kDx[d], hy = y - kDy[d], mx = x + kDx[d], my = y + kDy[d];
    return OnField(hx, hy) && OnField(mx, my) && a.mayBeFloor[CellIndex(x, y)] && a.mayBeFloor[CellIndex(hx, hy)];
  };

  // Objects: from where they start, onto any cell that is or may become floor (a marked or
  // dug hole swallows the object, but may be filled and crossed by another one later).
  std::vector<int> todo;
  for (int i = 0; i < FieldSize * FieldSize; ++i)
    if (b.chara[i].IsObject()) {
      a.objectReach[i] = true;
      todo.push_back(i);
    }
  while (!todo.empty()) {
    const int i = todo.back();
    todo.pop_back();
    const int x = i % FieldSize, y = i / FieldSize;
    for (int d = 0; d < 4; ++d) {
      if (!canPush(x, y, d)) continue;
      const int m = CellIndex(x + kDx[d], y + kDy[d]);
      if (a.mayBeFloor[m] && !a.objectReach[m]) {
        a.objectReach[m] = true;
        todo.push_back(m);
      }
    }
  }

  // PX pieces, backwards from the holes: a PX piece pushed into water or onto cracked ice
  // misses the stage, so those cells are never on its way.
  auto holeTarget = [&](int i) {
    return (IsHole(b.terrain[i]) && b.chara[i].kind == CharaKind::EmptyHole) || a.diggable[i];
  };
  auto pxMayStand = [&](int i) { return a.mayBeFloor[i] && b.terrain[i] != cell::CrackedIce; };
  for (bool changed = true; changed;) {
    changed = false;
    for (int i = 0; i < FieldSize * FieldSize; ++i) {
      if (a.pxCanFinish[i]) continue;
      const int x = i % FieldSize, y = i / FieldSize;
      for (int d = 0; d < 4; ++d) {
        if (!canPush(x, y, d)) continue;
        const int m = CellIndex(x + kDx[d], y + kDy[d]);
        if (holeTarget(m) || (pxMayStand(m) && a.pxCanFinish[m])) {
          a.pxCanFinish[i] = true;
          changed = true;
          break;
        }
      }
    }
  }
  return a;
}

namespace {

using fieldmask::Bit;
using fieldmask::ColumnMask;
using fieldmask::kField;
using fieldmask::kNotFirstColumn;
using fieldmask::kNotLastColumn;
using fieldmask::LowestCell;
using fieldmask::Mask;
using fieldmask::RowMask;

}  // namespace

CellSet HeroMayReach(const Board& b) {
  Mask floor = 0, pads = 0;
  for (int i = 0; i < FieldSize * FieldSize; ++i) {
    floor |= Mask{MayBeFloorCell(b, i % FieldSize, i / FieldSize)} << i;
    pads |= Mask{b.terrain[i] == cell::JumpPad} << i;
  }
  Mask reach = Bit(b.heroY * FieldSize + b.heroX), rayed = 0;
  for (;;) {
    // One step in every direction, kept on the field and on floor.
    Mask grown = reach | ((reach << 1) & kNotFirstColumn) | ((reach >> 1) & kNotLastColumn) |
                 ((reach << FieldSize) & kField) | (reach >> FieldSize);
    grown = reach | (grown & floor);
    // Every landing, bounce and slide of a jump stays on the pad's row or column.
    for (Mask p = grown & pads & ~rayed; p; p &= p - 1) {
      const int i = LowestCell(p);
      grown |= (RowMask(i / FieldSize) | ColumnMask(i % FieldSize)) & floor;
      rayed |= Bit(i);
    }
    if (grown == reach) break;
    reach = grown;
  }
  CellSet out;
  for (Mask m = reach; m; m &= m - 1) out[LowestCell(m)] = true;
  return out;
}

bool FlowerCutOff(const Board& b) {
  const CellSet reach = HeroMayReach(b);
  for (int i = 0; i < FieldSize * FieldSize; ++i)
    if (b.chara[i].IsFlower() && !reach[i]) return true;
  return false;
}

std::string ClearRuledOut(const Board& b, const StageAnalysis& a) {
  const int yLeft = b.yFlowerCount - b.yFlowerTaken, rLeft = b.rFlowerCount - b.rFlowerTaken;
  if (yLeft + rLeft == 0 && b.pxCount == b.pxTaken) return "no flower and no PX piece to take";
  // Each flower taken is of the colour due and makes the other colour due.
  const int due = b.firstFlower == 0 ? yLeft : rLeft, other = b.firstFlower == 0 ? rLeft : yLeft;
  if (due != other && due != other + 1) return "the flowers cannot be taken alternately";
  if (FlowerCutOff(b)) return "a flower can never be reached";
  PxPushReach pushes(b, a);
  const int hero = CellIndex(b.heroX, b.heroY);
  for (int i = 0; i < FieldSize * FieldSize; ++i)
    if (b.chara[i].kind == CharaKind::PX && (!a.pxCanFinish[i] || !pushes.MayFinish(i, hero)))
      return "a PX piece can never reach a hole";
  return "";
}

}  // namespace morvik

#include "solver/LowerBound.h"

#include "solver/FieldMask.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace morvik {

namespace {

using fieldmask::Bit;
using fieldmask::ColumnMask;
using fieldmask::kField;
using fieldmask::kNotFirstColumn;
using fieldmask::kNotLastColumn;
using fieldmask::LowestCell;
using fieldmask::Mask;
using fieldmask::RowMask;
constexpr int kCells = FieldSize * FieldSize;
constexpr int kFar = 255;
constexpr int kDx[4] = {-1, 0, 1, 0};
constexpr int kDy[4] = {0, -1, 0, 1};

// A cell the hero may stand on now or later: floor, but a hazard only while a flower on it
// may still be taken (a step onto a bare one misses), a hole still open (it may be filled),
// a closed gate while a PX piece is left.
bool OpenCell(const Board& b, int i) {
  const CellCode t = b.terrain[i];
  return (IsFloor(t) && (!IsHazard(t) || b.chara[i].IsFlower())) ||
         (IsHole(t) && b.chara[i].kind == CharaKind::EmptyHole) || (t == cell::GateClosed && b.pxCount > b.pxTaken);
}

// A slot of a cache of 2^bits entries for two masks and a few more bits. Every bit of the
// masks must move the slot: fields often differ only in a cell or two.
std::size_t CacheSlot(Mask a, Mask b, std::uint64_t extra, int bits) {
  const std::uint64_t h = (static_cast<std::uint64_t>(a) * 0x9E3779B97F4A7C15ull) ^
                          (static_cast<std::uint64_t>(a >> 64) * 0xC2B2AE3D27D4EB4Full) ^
                          (static_cast<std::uint64_t>(b) * 0x165667B19E3779F9ull) ^
                          (static_cast<std::uint64_t>(b >> 64) * 0xD6E8FEB86659FD93ull) ^ (extra * 0xFF51AFD7ED558CCDull);
  return static_cast<std::size_t>((h ^ (h >> 32)) * 0x94D049BB133111EBull >> (64 - bits));
}

int CellCount(Mask m) {
  return std::popcount(static_cast<std::uint64_t>(m)) + std::popcount(static_cast<std::uint64_t>(m >> 64));
}

}  // namespace

LowerBound::LowerBound(const Board& start, const StageAnalysis& a) {
  for (int i = 0; i < kCells; ++i)
    if (start.terrain[i] == cell::JumpPad) {
      pads_ |= Bit(i);
      padLine_[i] = RowMask(i / FieldSize) | ColumnMask(i % FieldSize);
      onPadLine_ |= padLine_[i];
    }

  for (int i = 0; i < kCells; ++i)
    if (start.terrain[i] == cell::GateClosed) gates_ |= Bit(i);
  auto holeTarget0 = [&](int i) {
    return (IsHole(start.terrain[i]) && start.chara[i].kind == CharaKind::EmptyHole) || a.diggable[i];
  };
  auto pxMayStand0 = [&](int i) { return a.mayBeFloor[i] && start.terrain[i] != cell::CrackedIce; };

  // Distances on the start's field over (cell, facing): a press turns the hero in place to
  // any facing (T, or a direction key the cell ahead refuses), steps it onto an open
  // neighbour facing that way, or, on a pad, jumps it to any open cell ahead.
  for (int i = 0; i < kCells; ++i) {
    if (a.frozenStones[i]) frozen_ |= Bit(i);
    if (OpenCell(start, i)) open_ |= Bit(i);
  }
  open_ &= ~frozen_;

  // Pushes of a stone into each hole, backwards from it (a stone pushed onto cracked ice sinks).
  for (int h = 0; h < kCells; ++h) {
    auto& row = stonePushes_[h];
    row.fill(kFar);
    const int x = h % FieldSize, y = h / FieldSize;
    for (int d = 0; d < 4; ++d)
      if (OnField(x + kDx[d], y + kDy[d]) && a.mayBeFloor[CellIndex(x + kDx[d], y + kDy[d])])
        beside_[h] |= Bit(CellIndex(x + kDx[d], y + kDy[d]));
    if (a.diggable[h]) besideDiggable_ |= beside_[h];
    if (a.diggable[h] && !a.besidePad[h]) dugFilled_ |= Bit(h);
    if (!holeTarget0(h)) continue;
    std::vector<int> at{h}, following;
    for (int k = 0; !at.empty(); ++k) {
      following.clear();
      for (const int m : at) {
        if (m != h && !pxMayStand0(m)) continue;
        const int mx = m % FieldSize, my = m / FieldSize;
        for (int d = 0; d < 4; ++d) {
          const int sx = mx - kDx[d], sy = my - kDy[d], hx = sx - kDx[d], hy = sy - kDy[d];
          if (!OnField(hx, hy) || !OnField(sx, sy)) continue;
          const int i = CellIndex(sx, sy);
          if (row[i] != kFar || i == h || !a.mayBeFloor[i] || !a.mayBeFloor[CellIndex(hx, hy)]) continue;
          row[i] = static_cast<std::uint8_t>(std::min(k + 1, kFar - 1));
          following.push_back(i);
        }
      }
      at.swap(following);
    }
  }

  // Pushes of a PX piece into a hole, backwards from the holes over the moves the stage
  // analysis allows (the hero behind the piece on a cell that may be floor).
  auto holeTarget = [&](int i) {
    return (IsHole(start.terrain[i]) && start.chara[i].kind == CharaKind::EmptyHole) || a.diggable[i];
  };
  auto pxMayStand = [&](int i) { return a.mayBeFloor[i] && start.terrain[i] != cell::CrackedIce; };
  pxPushes_.fill(Never);
  std::vector<int> layer, next;
  // Distance 1: one push into a target.
  for (int i = 0; i < kCells; ++i) {
    const int x = i % FieldSize, y = i / FieldSize;
    if (!a.mayBeFloor[i]) continue;
    for (int d = 0; d < 4; ++d) {
      const int hx = x - kDx[d], hy = y - kDy[d], mx = x + kDx[d], my = y + kDy[d];
      if (!OnField(hx, hy) || !OnField(mx, my) || !a.mayBeFloor[CellIndex(hx, hy)]) continue;
      if (holeTarget(CellIndex(mx, my))) {
        pxPushes_[i] = 1;
        layer.push_back(i);
        break;
      }
    }
  }
  // Then a piece one push before a cell at distance k is at k + 1.
  for (int k = 1; !layer.empty(); ++k) {
    next.clear();
    for (const int m : layer) {
      if (!pxMayStand(m)) continue;
      const int mx = m % FieldSize, my = m / FieldSize;
      for (int d = 0; d < 4; ++d) {
        const int x = mx - kDx[d], y = my - kDy[d], hx = x - kDx[d], hy = y - kDy[d];
        if (!OnField(hx, hy) || !OnField(x, y)) continue;
        const int i = CellIndex(x, y);
        if (pxPushes_[i] != Never || !a.mayBeFloor[i] || !a.mayBeFloor[CellIndex(hx, hy)]) continue;
        pxPushes_[i] = static_cast<std::uint16_t>(k + 1);
        next.push_back(i);
      }
    }
    layer.swap(next);
  }
}

void LowerBound::Add(Summary& s, const Board& b, int i, int sign) const {
  if (OpenCell(b, i) && !(frozen_ & Bit(i))) s.open ^= Bit(i);
  switch (b.chara[i].kind) {
    case CharaKind::Yellow:
      s.flowers ^= Bit(i);
      s.yellow ^= Bit(i);
      break;
    case CharaKind::Red: s.flowers ^= Bit(i); break;
    case CharaKind::PX:
      s.pxPieces ^= Bit(i);
      s.pushes += sign * pxPushes_[i];
      s.px += sign;
      break;
    case CharaKind::EmptyHole:
      s.openHoles += sign;
      s.holes ^= Bit(i);
      break;
    case CharaKind::Stone: s.stones ^= Bit(i); break;
    default: break;
  }
}

LowerBound::Summary LowerBound::Summarize(const Board& b) const {
  Summary s;
  for (int i = 0; i < kCells; ++i) Add(s, b, i, 1);
  return s;
}

void LowerBound::Update(Summary& s, const Board& from, const Board& to, const std::uint8_t* cells, int n) const {
  // The last PX piece taken opens the gates, which changes every gate cell at once.
  if ((from.pxCount > from.pxTaken) != (to.pxCount > to.pxTaken)) {
    s = Summarize(to);
    return;
  }
  for (int j = 0; j < n; ++j) {
    Add(s, from, cells[j], -1);
    Add(s, to, cells[j], 1);
  }
}

// One press: a step in any direction onto an open cell, or a jump along the lines of a pad
// already reached (each pad's lines are added once; `rayed` remembers which).
LowerBound::Mask LowerBound::GrowOnePress(Mask reach, Mask open, Mask& rayed) const {
  Mask grown = ((reach << 1) & kNotFirstColumn) | ((reach >> 1) & kNotLastColumn) | ((reach << FieldSize) & kField) |
               (reach >> FieldSize);
  for (Mask p = reach & pads_ & ~rayed; p; p &= p - 1) {
    const int i = LowestCell(p);
    grown |= padLine_[i];
    rayed |= Bit(i);
  }
  return reach | (grown & open);
}

int LowerBound::HeroReach(const Board& b, Mask open, Mask targets) const {
  const int far = FarthestFromEveryCell(open, targets).far[b.heroY * FieldSize + b.heroX];
  return far == kFar ? Never : far;
}

const LowerBound::FarEntry& LowerBound::FarthestFromEveryCell(Mask open, Mask targets) const {
  constexpr int kBits = 12;
  if (farCache_.empty()) farCache_.resize(std::size_t{1} << kBits);
  FarEntry& e = farCache_[CacheSlot(open, targets, 0, kBits)];
  if (e.used && e.open == open && e.targets == targets) return e;
  e.used = true;
  e.open = open;
  e.targets = targets;
  e.far.fill(0);
  // From each target backwards: the cells one press before a set are its open cells'
  // neighbours and the pads whose lines meet them. The hero's own cell need not be open.
  for (Mask t = targets; t; t &= t - 1) {
    Mask near = Bit(LowestCell(t));
    std::array<std::uint8_t, FieldSize * FieldSize> dist;
    dist.fill(kFar);
    dist[LowestCell(t)] = 0;
    for (int d = 1;; ++d) {
      const Mask via = near & open;
      Mask before = ((via << 1) & kNotFirstColumn) | ((via >> 1) & kNotLastColumn) | ((via << FieldSize) & kField) |
                    (via >> FieldSize);
      for (Mask p = pads_; p; p &= p - 1)
        if (padLine_[LowestCell(p)] & via) before |= Bit(LowestCell(p));
      const Mask added = before & ~near;
      if (added == 0) break;
      for (Mask a = added; a; a &= a - 1) dist[LowestCell(a)] = static_cast<std::uint8_t>(std::min(d, kFar - 1));
      near |= added;
    }
    for (int i = 0; i < kCells; ++i) e.far[i] = std::max(e.far[i], dist[i]);
  }
  return e;
}

const std::uint8_t* LowerBound::Distances(int from, int facing) const {
  const int row = facing < 0 ? from : kCells + from * 4 + facing;
  if (haveRow_[row]) return rows_[row].data();
  std::array<int, kCells * 4> queue;
  std::array<std::uint8_t, kCells * 4> seen;
  seen.fill(kFar);
  int head = 0, tail = 0;
  for (int f = 0; f < 4; ++f)
    if (facing < 0 || f == facing) {
      seen[from * 4 + f] = 0;
      queue[tail++] = from * 4 + f;
    }
  while (head < tail) {
    const int st = queue[head++], c = st / 4, f = st % 4;
    const int next = std::min(seen[st] + 1, kFar - 1);
    auto visit = [&](int to) {
      if (seen[to] == kFar) {
        seen[to] = static_cast<std::uint8_t>(next);
        queue[tail++] = to;
      }
    };
    for (int d = 0; d < 4; ++d) {
      visit(c * 4 + d);
      const int x = c % FieldSize + kDx[d], y = c / FieldSize + kDy[d];
      if (OnField(x, y) && (open_ & Bit(CellIndex(x, y)))) visit(CellIndex(x, y) * 4 + d);
    }
    if (pads_ & Bit(c))
      for (int x = c % FieldSize + kDx[f], y = c / FieldSize + kDy[f]; OnField(x, y); x += kDx[f], y += kDy[f])
        if (open_ & Bit(CellIndex(x, y))) visit(CellIndex(x, y) * 4 + f);
  }
  auto& out = rows_[row];
  for (int i = 0; i < kCells; ++i)
    out[i] = std::min(std::min(seen[i * 4], seen[i * 4 + 1]), std::min(seen[i * 4 + 2], seen[i * 4 + 3]));
  haveRow_[row] = true;
  return out.data();
}

LowerBound::Mask LowerBound::Reach(int hero, Mask open) const {
  Mask reach = Bit(hero), rayed = 0;
  for (;;) {
    const Mask grown = GrowOnePress(reach, open, rayed);
    if (grown == reach) return reach;
    reach = grown;
  }
}

int LowerBound::FillPushes(const Summary& s, const int* holes, int nHoles, int hero, int& approach) const {
  // Each hole its own stone: the cheapest assignment, holes taken in order, stones as a set.
  constexpr int kMaxStones = 10;
  constexpr int kNone = kFar * kMaxHoles;
  int stones[kMaxStones], nStones = 0;
  bool more = false;
  for (Mask t = s.stones; t; t &= t - 1) {
    const int c = LowestCell(t);
    for (int j = 0; j < nHoles; ++j)
      if (stonePushes_[holes[j]][c] < kFar) {
        if (nStones == kMaxStones) more = true;
        else stones[nStones++] = c;
        break;
      }
  }
  approach = 0;
  // Too many stones to weigh: no bound from them.
  if (more) return 0;
  if (nStones < nHoles) return Never;
  // best[used]: the least pushes filling the first popcount(used) holes with the stones in used.
  std::array<int, 1 << kMaxStones> best;
  const unsigned sets = 1u << nStones;
  std::fill(best.begin(), best.begin() + sets, kNone);
  best[0] = 0;
  int pushes = kNone;
  for (unsigned used = 0; used < sets; ++used) {
    if (best[used] >= kNone) continue;
    const int j = std::popcount(used);
    if (j == nHoles) {
      pushes = std::min(pushes, best[used]);
      continue;
    }
    for (int k = 0; k < nStones; ++k) {
      if (used & (1u << k)) continue;
      const int p = stonePushes_[holes[j]][stones[k]];
      if (p < kFar) best[used | (1u << k)] = std::min(best[used | (1u << k)], best[used] + p);
    }
  }
  if (pushes >= kNone) return Never;
  // Before the first push the hero walks up to one of the stones; the push enters its cell.
  approach = kFar;
  for (int k = 0; k < nStones; ++k) approach = std::min(approach, static_cast<int>(Distances(hero)[stones[k]]));
  if (approach >= kFar) return Never;
  approach = std::max(0, approach - 1);
  return pushes;
}

LowerBound::HoleCut LowerBound::HolesToFill(const Board& b, const Summary& s, Mask flowers) const {
  const bool gatesClosed = gates_ != 0 && b.pxCount > b.pxTaken;
  if ((s.holes == 0 && !gatesClosed) || flowers == 0) return {};
  const int hero = b.heroY * FieldSize + b.heroX;
  // Many states share the field and differ in the objects: the cut is looked up first.
  const auto place = static_cast<std::uint16_t>(hero << 1 | b.firstFlower);
  constexpr int kBits = 14;
  if (cutCache_.empty()) cutCache_.resize(std::size_t{1} << kBits);
  CutEntry& e = cutCache_[CacheSlot(s.open, s.holes, (flowers ^ (flowers >> 64)) * 0x2545F4914F6CDD1Dull ^ place, kBits)];
  if (e.used && e.place == place && e.open == s.open && e.holes == s.holes && e.flowers == flowers) return e.cut;
  e.used = true;
  e.place = place;
  e.open = s.open;
  e.holes = s.holes;
  e.flowers = flowers;
  HoleCut& cut = e.cut;
  cut = {};
  const Mask reach = Reach(hero, s.open) & flowers;
  // The first flower taken is of the colour due (the one under the hero is not).
  const Mask due = (b.firstFlower == 0 ? s.yellow : s.flowers & ~s.yellow) & ~Bit(hero);
  if (gatesClosed) cut.gates = (reach & due) != 0 && (Reach(hero, s.open & ~gates_) & due) == 0;
  if (s.holes == 0 || (Reach(hero, s.open & ~s.holes) & flowers) == reach) return cut;
  for (Mask m = s.holes; m; m &= m - 1) {
    const int h = LowestCell(m);
    const Mask without = Reach(hero, s.open & ~Bit(h)) & flowers;
    if (without == reach) continue;
    if ((without & due) == 0 && (reach & due) != 0 && cut.nAll < kMaxHoles) {
      cut.all[cut.nAll++] = h;
      cut.beside |= beside_[h];
    }
    if (cut.nSome < kMaxHoles) cut.some[cut.nSome++] = h;
  }
  return cut;
}

int LowerBound::FillThenWalk(const Board& b, const HoleCut& cut, const Summary& s, Mask flowers) const {
  if (cut.nAll == 0 && !cut.gates) return 0;
  const int hero = b.heroY * FieldSize + b.heroX;
  int approach = kFar, pushes = 0;
  Mask from = cut.beside;
  if (cut.nAll) {
    pushes = FillPushes(s, cut.all, cut.nAll, hero, approach);
    if (pushes == Never) return Never;
  }
  if (cut.gates) {
    // Every PX piece first, each into a hole open now or dug later, the last push leaving
    // the hero beside it.
    if (s.pushes >= Never) return Never;
    pushes += s.pushes;
    for (Mask p = s.pxPieces; p; p &= p - 1)
      approach = std::min(approach, std::max(0, static_cast<int>(Distances(hero)[LowestCell(p)]) - 1));
    from |= besideDiggable_;
    for (Mask h = s.holes; h; h &= h - 1) from |= beside_[LowestCell(h)];
  }
  if (approach >= kFar - 1) return Never;
  const int walk = FlowerWalk(b, flowers, from);
  return walk == Never ? Never : approach + pushes + walk;
}

int LowerBound::FlowerWalk(const Board& b, Mask flowers, Mask from, Mask px) const {
  // The walk reads no stone: states that differ in the stones alone share it.
  const bool recorded = b.onFlower || b.landedFlower || b.underState[0] || b.underState[1];
  const auto place = static_cast<std::uint16_t>((b.heroY * FieldSize + b.heroX) << 4 | (b.heroDir & 3) << 2 |
                                                (b.firstFlower != 0) << 1 | recorded);
  constexpr int kBits = 13;
  if (walkCache_.empty()) walkCache_.resize(std::size_t{1} << kBits);
  WalkEntry& e = walkCache_[CacheSlot(flowers ^ (px * 0x9E3779B97F4A7C15ull), from, place, kBits)];
  if (e.used && e.place == place && e.flowers == flowers && e.from == from && e.px == px) return e.walk;
  e.used = true;
  e.place = place;
  e.flowers = flowers;
  e.from = from;
  e.px = px;
  e.walk = WorkOutFlowerWalk(b, flowers, from, px);
  return e.walk;
}

int LowerBound::WorkOutFlowerWalk(const Board& b, Mask flowers, Mask from, Mask px) const {
  // From the hero alone its facing counts.
  const bool fromHero = from == Bit(b.heroY * FieldSize + b.heroX);
  const std::uint8_t* heroRow = Distances(b.heroY * FieldSize + b.heroX, (b.heroDir + 3) % 4);
  // Like colours may follow each other while a flower on a pad's line is left to be taken
  // between them. A flower under the hero is one it could not take: of the colour not due.
  const bool strict = (flowers & onPadLine_) == 0;
  const int hero = b.heroY * FieldSize + b.heroX;
  const bool recorded = b.onFlower || b.landedFlower || b.underState[0] || b.underState[1];
  const int due = b.firstFlower == 0 ? 0 : 1;
  int cell[FieldSize * FieldSize], colour[FieldSize * FieldSize], n = 0;
  for (Mask m = flowers & ~onPadLine_; m; m &= m - 1) {
    const int i = LowestCell(m);
    cell[n] = i;
    colour[n] = i == hero && recorded ? 1 - due : b.chara[i].kind == CharaKind::Yellow ? 0 : 1;
    ++n;
  }
  // A PX piece's cell, entered by its first push, in any order among the flowers.
  constexpr int kAny = 2;
  for (Mask m = px; m; m &= m - 1) {
    cell[n] = LowestCell(m);
    colour[n++] = kAny;
  }
  if (n == 0) return 0;
  // The first flower taken, of the colour due.
  int first = kFar;
  for (Mask f = from; f; f &= f - 1) {
    const int start = LowestCell(f);
    for (int j = 0; j < n; ++j)
      if (!strict || colour[j] == due || colour[j] == kAny)
        first = std::min(first, static_cast<int>(fromHero ? heroRow[cell[j]] : Distances(start)[cell[j]]));
  }
  if (first >= kFar) return Never;
  // Prim's tree over the flowers.
  int best[FieldSize * FieldSize];
  bool inTree[FieldSize * FieldSize] = {};
  auto edge = [&](int a, int c) {
    if (strict && colour[a] == colour[c] && colour[a] != kAny) return kFar;
    return static_cast<int>(std::min(Distances(cell[a])[cell[c]], Distances(cell[c])[cell[a]]));
  };
  inTree[0] = true;
  for (int j = 1; j < n; ++j) best[j] = edge(0, j);
  int tree = 0;
  for (int added = 1; added < n; ++added) {
    int next = -1;
    for (int j = 1; j < n; ++j)
      if (!inTree[j] && (next < 0 || best[j] < best[next])) next = j;
    if (best[next] >= kFar) return Never;
    tree += best[next];
    inTree[next] = true;
    for (int j = 1; j < n; ++j)
      if (!inTree[j]) best[j] = std::min(best[j], edge(next, j));
  }
  return first + tree;
}

int LowerBound::Of(const Board& b, const Summary& s) const {
  // Each PX piece's pushes count in full: a PX piece standing where no push brings it to a
  // hole makes the sum reach Never.
  if (s.pushes >= Never) return Never;
  Mask flowers = s.flowers;
  // A flower the hero stands on without taking it comes back when the hero moves on.
  if (b.onFlower || b.landedFlower || b.underState[0] || b.underState[1]) flowers |= Bit(b.heroY * FieldSize + b.heroX);
  const int heroReach = HeroReach(b, s.open, flowers);
  if (heroReach == Never) return Never;
  const int walkOnly = CellCount(flowers & ~onPadLine_);
  const int onLines = (flowers & onPadLine_) != 0;
  const int digs = std::max(0, s.px - s.openHoles);
  int walk = FlowerWalk(b, flowers, Bit(b.heroY * FieldSize + b.heroX));
  if (walk == Never) return Never;
  // The tree through the PX pieces too may be the shorter one (a piece between two flowers
  // shortens it): the larger of the two counts.
  if (s.pxPieces) walk = std::max(walk, FlowerWalk(b, flowers, Bit(b.heroY * FieldSize + b.heroX), s.pxPieces));
  const HoleCut cut = HolesToFill(b, s, flowers);
  const int fill = FillThenWalk(b, cut, s, flowers);
  if (fill == Never) return Never;
  // Stone pushes never take a flower: they come on top of the presses that do.
  int approach = 0;
  const int stonePushes = cut.nSome ? FillPushes(s, cut.some, cut.nSome, b.heroY * FieldSize + b.heroX, approach) : 0;
  if (stonePushes == Never) return Never;
  // A hole dug off a pad's neighbours that is never filled only makes the hero face it, which
  // no dig or jump reads: a shortest clear fills every such hole (see Solver.cpp). Those
  // beyond the PX pieces each take the push of a stone.
  const int stoneFills = std::max(0, CellCount(s.holes & dugFilled_) - s.px);
  return std::max({heroReach, std::max(walk, fill) + digs,
                   s.pushes + std::max(stonePushes, stoneFills) + digs + walkOnly + onLines});
}

}  // namespace morvik

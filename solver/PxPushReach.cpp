#include "solver/PxPushReach.h"

#include <vector>

namespace morvik {

namespace {

constexpr int kDx[4] = {-1, 0, 1, 0};
constexpr int kDy[4] = {0, -1, 0, 1};

}  // namespace

PxPushReach::PxPushReach(const Board& start, const StageAnalysis& a) {
  for (int i = 0; i < kCells; ++i) {
    heroMay_[i] = a.mayBeFloor[i];
    // Water and cracked ice take a PX piece and miss the stage.
    pxMay_[i] = a.mayBeFloor[i] && start.terrain[i] != cell::CrackedIce;
    target_[i] = (IsHole(start.terrain[i]) && start.chara[i].kind == CharaKind::EmptyHole) || a.diggable[i];
    pads_[i] = start.terrain[i] == cell::JumpPad;
  }
}

const std::uint8_t* PxPushReach::Regions(int px) {
  auto& out = regions_[px];
  if (haveRegions_[px]) return out.data();
  haveRegions_[px] = true;
  out.fill(kNone);
  std::vector<int> todo;
  for (int seed = 0; seed < kCells; ++seed) {
    if (!heroMay_[seed] || seed == px || out[seed] != kNone) continue;
    const auto label = static_cast<std::uint8_t>(seed);
    out[seed] = label;
    todo.assign(1, seed);
    while (!todo.empty()) {
      const int c = todo.back();
      todo.pop_back();
      auto join = [&](int n) {
        if (heroMay_[n] && n != px && out[n] == kNone) {
          out[n] = label;
          todo.push_back(n);
        }
      };
      const int x = c % FieldSize, y = c / FieldSize;
      for (int d = 0; d < 4; ++d)
        if (OnField(x + kDx[d], y + kDy[d])) join(CellIndex(x + kDx[d], y + kDy[d]));
      // A jump from a pad lands anywhere on its row or column, over the piece too. The way
      // back to the pad is taken as open as well: regions must be alike from either end, and
      // a larger region only ever says less.
      if (pads_[c])
        for (int k = 0; k < FieldSize; ++k) {
          join(CellIndex(k, y));
          join(CellIndex(x, k));
        }
      for (int k = 0; k < FieldSize; ++k) {
        if (pads_[CellIndex(k, y)]) join(CellIndex(k, y));
        if (pads_[CellIndex(x, k)]) join(CellIndex(x, k));
      }
    }
  }
  return out.data();
}

bool PxPushReach::MayFinish(int px, int hero) {
  const std::uint8_t region = Regions(px)[hero];
  if (region == kNone) return true;  // the hero off the relaxed field: nothing to say
  if (known_[px][region]) return known_[px][region] == 1;
  // Breadth-first over (piece, hero's region); a push leaves the hero where the piece stood.
  struct Node {
    int px;
    std::uint8_t region;
  };
  std::vector<Node> seen{{px, region}};
  known_[px][region] = 3;  // on the way
  bool finish = false;
  for (std::size_t k = 0; k < seen.size() && !finish; ++k) {
    const Node n = seen[k];
    const std::uint8_t* r = Regions(n.px);
    const int x = n.px % FieldSize, y = n.px / FieldSize;
    for (int d = 0; d < 4 && !finish; ++d) {
      const int hx = x - kDx[d], hy = y - kDy[d], tx = x + kDx[d], ty = y + kDy[d];
      if (!OnField(hx, hy) || !OnField(tx, ty) || r[CellIndex(hx, hy)] != n.region) continue;
      const int to = CellIndex(tx, ty);
      if (target_[to]) {
        finish = true;
      } else if (pxMay_[to]) {
        const std::uint8_t after = Regions(to)[n.px];
        if (after == kNone) {
          finish = true;  // not met: a piece stands on floor
          break;
        }
        std::uint8_t& mark = known_[to][after];
        if (mark == 1) finish = true;
        else if (mark == 0) {
          mark = 3;
          seen.push_back({to, after});
        }
      }
    }
  }
  // Every node seen was on the way: lost if none finishes, otherwise unsettled but the first.
  for (const Node& n : seen) known_[n.px][n.region] = finish ? 0 : 2;
  known_[px][region] = finish ? 1 : 2;
  return finish;
}

}  // namespace morvik

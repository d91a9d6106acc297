#include "tools/cli/StageMechanics.h"

#include <algorithm>
#include <cstdlib>
#include <set>

#include "core/Effect.h"
#include "solver/StageAudit.h"

namespace morvik {

namespace {

constexpr int kPadBounceSound = 18;
constexpr int kStoneBounceSound = 17;
constexpr int kSlideStepMs = 30;  // the pause between the frames of one cell of an ice slide

bool IsWhirl(CellCode c) {
  return c == cell::WhirlLight || c == cell::WhirlGrass || c == cell::WhirlSnow || c == cell::WhirlSand;
}
bool IsFilled(CellCode c) {
  return c == cell::FilledLight || c == cell::FilledGrass || c == cell::FilledSnow || c == cell::FilledSand;
}
int Count(const Board& b, CharaKind k) {
  return static_cast<int>(std::count_if(b.chara.begin(), b.chara.end(), [k](Chara c) { return c.kind == k; }));
}

// The mechanics of one press, from the board before and after it and its effects.
void UsesOfPress(const Board& before, const Board& after, const Script& s, Move p, std::set<std::string>& uses) {
  bool slid = false;
  if (IsJump(p)) uses.insert("jump");
  int fromX = before.heroX, fromY = before.heroY;
  for (const Effect& e : s.Items()) {
    if (e.kind == Fx::Sound && e.a == kPadBounceSound) uses.insert("bounce-pad");
    if (e.kind == Fx::Sound && e.a == kStoneBounceSound) uses.insert("bounce-stone");
    if (e.kind == Fx::Pause && e.a == kSlideStepMs) slid = true;
    if (e.kind != Fx::AnswerMove || e.c != 2) continue;
    // A landing: the cells flown over since the last landing, then the cell landed on.
    const int dx = (e.a > fromX) - (e.a < fromX), dy = (e.b > fromY) - (e.b < fromY);
    for (int x = fromX + dx, y = fromY + dy; (x != e.a || y != e.b) && OnField(x, y); x += dx, y += dy)
      if (IsWhirl(before.T(x, y))) uses.insert("whirl");
    if (OnField(e.a, e.b) && before.T(e.a, e.b) == cell::Spikes) uses.insert("spike-landing");
    fromX = e.a;
    fromY = e.b;
  }
  if (slid) uses.insert("slide");
  // A jump that ends on ice before a stone or PX piece: the object stopped the slide, or kept
  // it from starting.
  const int fx = NextX(after), fy = NextY(after);
  if (IsJump(p) && !after.Ended() && after.T(after.heroX, after.heroY) == cell::Ice && OnField(fx, fy) &&
      after.C(fx, fy).IsObject())
    uses.insert("slide-stop");
  bool stoneSank = Count(after, CharaKind::Stone) < Count(before, CharaKind::Stone);
  for (int y = 0; y < FieldSize; ++y) {
    for (int x = 0; x < FieldSize; ++x) {
      const CellCode was = before.T(x, y), now = after.T(x, y);
      if (was == now) continue;
      if (was == cell::CrackedIce && IsWater(now)) {
        const bool heroLeft = x == before.heroX && y == before.heroY;
        uses.insert(heroLeft ? "hero-breaks-ice" : "stone-breaks-ice");
        if (!heroLeft) stoneSank = false;
      } else if (IsHole(now)) {
        uses.insert("dig");
      } else if (IsFilled(now)) {
        uses.insert("stone-hole");
        stoneSank = false;
      } else if (IsWhirl(now)) {
        uses.insert("px-hole");
      } else if (was == cell::GateClosed) {
        uses.insert("gate");
      }
    }
  }
  if (stoneSank && !after.Ended()) uses.insert("stone-water");
  if (after.yFlowerTaken + after.rFlowerTaken > before.yFlowerTaken + before.rFlowerTaken) uses.insert("flowers");
  if (after.onFlower && !before.onFlower && p != Move::Turn && !IsJump(p)) uses.insert("over-flower");
}

}  // namespace

const std::vector<std::string>& MechanicWords() {
  static const std::vector<std::string> words{
      "jump",    "bounce-pad", "bounce-stone", "spike-landing", "slide",   "slide-stop", "whirl",      "hero-breaks-ice",
      "stone-breaks-ice", "dig", "stone-hole", "stone-water", "px-hole", "gate",       "over-flower", "flowers"};
  return words;
}

ClearUse MechanicsOf(const Board& start, const std::vector<Move>& clear) {
  ClearUse out;
  std::set<std::string> uses;
  Board b = start;
  for (Move p : clear) {
    if (b.Ended()) break;
    const Board before = b;
    Script s(true);
    ApplyMove(b, s, p);
    ++out.presses;
    if (!IsJump(p) && PlainWalk(before, b)) ++out.plainSteps;
    UsesOfPress(before, b, s, p, uses);
  }
  out.clears = b.outcome == Outcome::Clear;
  for (const std::string& w : MechanicWords())
    if (uses.count(w)) out.mechanics.push_back(w);
  return out;
}

std::vector<std::string> NamedMechanics(const std::string& idea) {
  std::vector<std::string> out;
  const auto open = idea.rfind('[');
  const auto close = idea.rfind(']');
  if (open == std::string::npos || close == std::string::npos || close < open) return out;
  std::string word;
  for (std::size_t i = open + 1; i <= close; ++i) {
    const char c = idea[i];
    if (c == ',' || c == ']' || c == ' ') {
      if (!word.empty()) out.push_back(word);
      word.clear();
    } else {
      word += c;
    }
  }
  return out;
}

}  // namespace morvik

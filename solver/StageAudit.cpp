#include "solver/StageAudit.h"

#include <set>
#include <string_view>

#include "core/Effect.h"
#include "stagedata/StageReader.h"
#include "stagedata/TextLines.h"

namespace morvik {

namespace {

constexpr int kBlockLines = 21;
constexpr int kFirstListLine = 13;  // 0-based: stones, yellow, red, PX, empty holes
constexpr char kListKinds[] = {'S', 'Y', 'R', 'P', 'E'};

// The plain ground a hole was dug from (or lies in), for a hole taken away.
char const* GroundUnder(std::string_view hole) {
  if (hole == "13") return "20";
  if (hole == "14") return "22";
  if (hole == "38") return "52";
  if (hole == "39") return "21";
  return nullptr;
}

// The board as a key for "seen before": both layers, the hero and the counts taken.
std::string BoardKey(const Board& b) {
  std::string k;
  k.reserve(2 * FieldSize * FieldSize + 16);
  for (int i = 0; i < FieldSize * FieldSize; ++i) {
    k += static_cast<char>(b.terrain[i]);
    k += static_cast<char>(static_cast<int>(b.chara[i].kind) * 32 + b.chara[i].index);
  }
  for (int v : {int(b.heroX), int(b.heroY), int(b.firstFlower), int(b.pxTaken), int(b.yFlowerTaken),
                int(b.rFlowerTaken), int(b.underState[0]), int(b.underState[1]), int(b.landedFlower)})
    k += static_cast<char>(v);
  return k;
}

// A search that a state limit cut short gets a second try with five times the limit, so that
// the few hard positions are settled without raising the limit of every search.
SolveResult SolveSettled(const Board& b, const SolverOptions& options) {
  SolveResult r = Solve(b, options);
  if (r.verdict == Verdict::Unknown && r.stop == StopReason::StateLimit) {
    SolverOptions wider = options;
    wider.maxStates *= 5;
    r = Solve(b, wider);
  }
  return r;
}

}  // namespace

std::string StageObject::Text() const {
  return std::string(1, kind) + " " + std::to_string(x) + std::to_string(y);
}

bool PlainWalk(const Board& before, const Board& after) {
  if (before.terrain != after.terrain) return false;
  if (before.yFlowerTaken != after.yFlowerTaken || before.rFlowerTaken != after.rFlowerTaken ||
      before.pxTaken != after.pxTaken || before.underState != after.underState || before.landedFlower ||
      after.landedFlower || before.onFlower || after.onFlower)
    return false;
  const int dx = after.heroX - before.heroX, dy = after.heroY - before.heroY;
  if (std::abs(dx) + std::abs(dy) != 1) return false;
  // A stone pushed into the water leaves no trace but the cell it stood on, which the hero takes.
  if (!before.C(after.heroX, after.heroY).IsNone()) return false;
  for (int i = 0; i < FieldSize * FieldSize; ++i) {
    const bool heroCell = i == before.heroY * FieldSize + before.heroX || i == after.heroY * FieldSize + after.heroX;
    if (!heroCell && !(before.chara[i] == after.chara[i])) return false;
  }
  return true;
}

std::vector<std::string> StageBlock(const std::vector<std::string>& lines, int n) {
  for (std::size_t i = 0; i + kBlockLines <= lines.size(); ++i)
    if (IsBlockOpener(lines[i], n)) return {lines.begin() + i, lines.begin() + i + kBlockLines};
  return {};
}

std::vector<StageObject> BlockObjects(const std::vector<std::string>& block) {
  std::vector<StageObject> out;
  if (block.size() < kBlockLines) return out;
  for (int k = 0; k < 5; ++k) {
    const std::string list(TrimRight(block[kFirstListLine + k]));
    if (list == "*") continue;
    for (std::size_t i = 0; i + 1 < list.size(); i += 2) out.push_back({kListKinds[k], list[i] - '0', list[i + 1] - '0'});
  }
  return out;
}

std::vector<std::string> WithoutObject(std::vector<std::string> block, const StageObject& o) {
  for (int k = 0; k < 5; ++k) {
    if (kListKinds[k] != o.kind) continue;
    std::string& list = block[kFirstListLine + k];
    list = std::string(TrimRight(list));
    const std::string pos = std::to_string(o.x) + std::to_string(o.y);
    for (std::size_t i = 0; i + 1 < list.size(); i += 2) {
      if (list.compare(i, 2, pos) != 0) continue;
      list.erase(i, 2);
      break;
    }
    if (list.empty()) list = "*";
  }
  if (o.kind == 'E') {
    std::string& row = block[1 + o.y];
    if (const char* ground = GroundUnder(std::string_view(row).substr(2 * o.x, 2))) row.replace(2 * o.x, 2, ground);
  }
  return block;
}

bool BlockBoard(const std::vector<std::string>& block, int n, Board& b, std::string& error) {
  const StageResult r = ReadStage(block, StageRequest{n, false, false});
  if (const auto* e = std::get_if<StageError>(&r)) {
    error = e->reason;
    return false;
  }
  b = std::get<LoadedStage>(r).board;
  b.hiddenWarp = n == 16;
  return true;
}

TrapCount CountTraps(const Board& start, const std::vector<Move>& clear, const SolverOptions& options) {
  TrapCount out;
  // Boards on the clear and boards already found solvable need no second look.
  std::set<std::string> solvable, trapped;
  std::vector<Board> path{start};
  for (Move p : clear) {
    Board next = path.back();
    Script discard(false);
    ApplyMove(next, discard, p);
    path.push_back(next);
  }
  for (std::size_t i = 0; i + 1 < path.size(); ++i) solvable.insert(BoardKey(path[i]));
  Script discard(false);
  for (std::size_t i = 0; i < clear.size(); ++i) {
    const Board& here = path[i];
    for (int p = 0; p < SearchMoveCount; ++p) {
      const Move press = static_cast<Move>(p);
      if (press == clear[i]) continue;
      Board child = here;
      ApplyMove(child, discard, press);
      if (child.Ended()) continue;  // a miss is shown, or the stage is cleared
      if (child == here) continue;
      // Turning, or facing a wall, changes the facing alone: four more turns undo it.
      Board facing = child;
      facing.heroDir = here.heroDir;
      facing.stepKind = here.stepKind;
      if (facing == here) continue;
      if (PlainWalk(here, child)) continue;
      const std::string key = BoardKey(child);
      if (solvable.count(key)) continue;
      if (trapped.count(key)) {
        ++out.traps;
        continue;
      }
      const SolveResult r = SolveSettled(child, options);
      if (r.verdict == Verdict::Solved) {
        solvable.insert(key);
      } else if (r.verdict == Verdict::Unsolvable) {
        trapped.insert(key);
        ++out.traps;
      } else {
        ++out.unknown;
      }
    }
  }
  return out;
}

DecoySearch FindDecoys(const std::vector<std::string>& block, int n, const std::vector<Move>& clear,
                       const SolverOptions& options) {
  DecoySearch out;
  for (const StageObject& o : BlockObjects(block)) {
    Board b;
    std::string error;
    if (!BlockBoard(WithoutObject(block, o), n, b, error)) continue;  // no longer a stage at all
    // The clear played without the object: if it no longer clears, the object is used.
    Board played = b;
    Script discard(false);
    for (Move p : clear) {
      if (played.Ended()) break;
      ApplyMove(played, discard, p);
    }
    if (played.outcome != Outcome::Clear) continue;
    const SolveResult r = SolveSettled(b, options);
    if (r.verdict == Verdict::Unknown) {
      ++out.unknown;
    } else if (r.verdict == Verdict::Solved && r.presses.size() == clear.size()) {
      out.decoys.push_back(o);
    }
  }
  return out;
}

TrapVerdict DecoyTrap(const Board& start, const std::vector<Move>& clear, const StageObject& o,
                      const SolverOptions& options) {
  int x = o.x, y = o.y;
  const Chara object = start.C(x, y);
  if (!object.IsObject()) return TrapVerdict::NotTrap;  // flowers and holes cannot be moved
  bool moved = false, unknown = false;
  Board here = start;
  Script discard(false);
  for (Move step : clear) {
    if (here.Ended() || !(here.C(x, y) == object)) break;  // the clear itself moves it: no decoy
    for (int p = 0; p < SearchMoveCount; ++p) {
      const Move press = static_cast<Move>(p);
      if (press == step) continue;
      Board child = here;
      ApplyMove(child, discard, press);
      if (child.C(x, y) == object || child.outcome == Outcome::Clear) continue;
      moved = true;
      if (child.Ended()) continue;  // a miss at once: a dead end too
      const SolveResult r = SolveSettled(child, options);
      if (r.verdict == Verdict::Solved) return TrapVerdict::NotTrap;
      unknown = unknown || r.verdict == Verdict::Unknown;
    }
    ApplyMove(here, discard, step);
  }
  if (!moved) return TrapVerdict::NotTrap;
  return unknown ? TrapVerdict::Unknown : TrapVerdict::Trap;
}

}  // namespace morvik

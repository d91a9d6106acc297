#include "tools/solver/Solver.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <new>
#include <stdexcept>
#include <unordered_map>

#include "core/KeyCommands.h"
#include "tools/solver/BigBuffer.h"
#include "tools/solver/StageAnalysis.h"
#include "tools/solver/StateCodec.h"
#include "tools/solver/StateStore.h"

// Pruning, and why no solution is lost:
//
// Digs. A hole that nothing is ever pushed into only stands in the hero's way: the hero cannot
// enter it, and a jump, bounce or slide that ends in it misses the stage. Take a clear and
// leave out the digs of such holes: every other press does the same as before, except a
// direction key that the hole blocked, which now walks; turning with T to the same facing
// instead gives the same board again. So if a stage can be cleared it can be cleared with
// every dug hole filled later, each by an object on the field at the time of the dig.
// Hence a dig can be skipped where no object can ever be pushed in (StageAnalysis::
// objectReach) and when the open dug holes already match the objects left. A hole that
// blocks a step off a jump pad turns the hero for a jump in one press where T may need
// three, so cells beside a pad are never pruned and do not count as open holes. What remains
// given up is a hole dug only to block a step before another dig, which saves at most one
// turn per use and so costs its own dig back unless used twice.
//
// Not pruning but the same: a direction key sets the facing before anything else, so its
// outcome does not depend on the facing before it. A state that differs from its parent in
// the facing alone (after T, or a step the hero could not take) has the parent's direction
// key successors, all stored when the parent was expanded; they are not made again.
//
// Dead states. A PX piece must end in a hole for the clear; one standing where no push can
// ever bring it to a hole (StageAnalysis::pxCanFinish) means the stage is lost. A flower the
// hero can no longer reach (HeroMayReach after cracked ice broke) can never be taken.
// Flowers alternate, so remaining counts that do not fit the colour due rule out the clear
// from the start, as does a stage with nothing to take.

namespace morvik {

std::string VerdictName(Verdict v) {
  switch (v) {
    case Verdict::Solved: return "solved";
    case Verdict::Unsolvable: return "unsolvable";
    case Verdict::Unknown: break;
  }
  return "unknown";
}

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::uint32_t kNoParent = 0xFFFFFFFFu;
// Set on the stored press of a state that differs from its parent in the facing alone.
constexpr std::uint8_t kFacingOnly = 0x80;

bool SameKey(const std::uint64_t* a, const std::uint64_t* b, int words) {
  std::uint64_t d = 0;
  for (int w = 0; w < words; ++w) d |= a[w] ^ b[w];
  return d == 0;
}

// Dug holes still open on the cells where digging may be pruned, and the stones and PX
// pieces on the field: the two sides of the rule that no more holes are dug than can be filled.
class HoleAndObjectCount {
 public:
  explicit HoleAndObjectCount(const CellSet& cells) {
    for (int i = 0; i < FieldSize * FieldSize; ++i) cellMask_[i] = cells[i] ? 0xFF : 0;
  }

  int OpenHoles(const Board& b) const {
    // Light ground and grass dig into the holes 13 and 14, and only those cells are counted.
    const auto* t = reinterpret_cast<const unsigned char*>(b.terrain.data());
    int n = 0;
    for (int i = 0; i < FieldSize * FieldSize; ++i) n += (cellMask_[i] & ((t[i] == cell::HoleLight) | (t[i] == cell::HoleGrass)));
    return n;
  }

  static int Objects(const Board& b) {
    int n = 0;
    for (const Chara c : b.chara) n += (c.kind == CharaKind::Stone) | (c.kind == CharaKind::PX);
    return n;
  }

 private:
  std::array<unsigned char, FieldSize * FieldSize> cellMask_{};
};

// Whether a flower is cut off once cracked ice broke. The cells the hero may reach depend
// only on which cracked ice has broken (holes and gates count as passable either way) and on
// where the hero stands, so the reach found for one such pair serves every later state.
class CutOffCheck {
 public:
  explicit CutOffCheck(const Board& start) {
    for (int i = 0; i < FieldSize * FieldSize; ++i)
      if (start.terrain[i] == cell::CrackedIce) ice_.push_back(i);
  }

  bool FlowerCutOff(const Board& b) {
    if (ice_.size() > 56) return morvik::FlowerCutOff(b);
    std::uint64_t key = static_cast<std::uint64_t>(b.heroY * FieldSize + b.heroX);
    for (std::size_t j = 0; j < ice_.size(); ++j)
      key |= static_cast<std::uint64_t>(b.terrain[ice_[j]] != cell::CrackedIce) << (7 + j);
    auto it = reach_.find(key);
    if (it == reach_.end()) it = reach_.emplace(key, HeroMayReach(b)).first;
    for (int i = 0; i < FieldSize * FieldSize; ++i)
      if (b.chara[i].IsFlower() && !it->second[i]) return true;
    return false;
  }

 private:
  std::vector<int> ice_;
  std::unordered_map<std::uint64_t, CellSet> reach_;
};

struct Child {
  StateCodec::Key key;
  std::uint64_t hash;
  std::uint8_t press;  // with kFacingOnly
};

void Search(const Board& start, const SolverOptions& options, Clock::time_point began, SolveResult& r) {
  if (start.Ended()) {
    r.reason = "the attempt has already ended";
    r.verdict = Verdict::Unsolvable;
    return;
  }
  const StageAnalysis an = AnalyseStage(start);
  if (options.pruneDeadStates) {
    r.reason = ClearRuledOut(start, an);
    if (!r.reason.empty()) {
      r.verdict = Verdict::Unsolvable;
      return;
    }
  }

  const StateCodec codec(start);
  const int words = codec.Words();
  r.keyWords = words;
  StateStore store(words, options.maxMemoryBytes);
  auto stop = [&](StopReason why, const char* text) {
    r.verdict = Verdict::Unknown;
    r.stop = why;
    r.reason = text;
    r.presses.clear();
  };
  try {

  // Cells where a dig may be pruned, and the dug holes among them that count as open.
  const CellSet prunableDig = an.diggable & ~an.besidePad;
  const HoleAndObjectCount counter(prunableDig);
  CutOffCheck cutOff(start);

  StateCodec::Key curKey{};
  codec.Encode(start, curKey.data());
  store.Insert(curKey.data(), StateStore::Hash(curKey.data(), words), kNoParent, 0);
  Board cur;
  codec.Decode(curKey.data(), cur);

  Script discard(false);
  Board child;
  std::uint8_t changed[FieldSize * FieldSize];
  const std::size_t keyBytes = sizeof(std::uint64_t) * words;

  // The new states of an expansion go into the store two expansions later, in the same
  // order: their table slots are fetched while the next expansion is worked out, the keys
  // they may equal while the one after is, so the reads from memory overlap with work.
  struct Batch {
    Child kids[PressCount];
    int n = 0;
    std::uint32_t parent = 0;
  };
  Batch batches[3];
  auto insert = [&](Batch& b) {
    for (int j = 0; j < b.n; ++j)
      store.Insert(b.kids[j].key.data(), b.kids[j].hash, b.parent, b.kids[j].press);
    b.n = 0;
  };

  for (std::uint32_t id = 0;; ++id) {
    if (id >= store.Size()) {
      // The queue ran dry before the new states went in.
      insert(batches[(id + 1) % 3]);
      insert(batches[(id + 2) % 3]);
      if (id >= store.Size()) break;
    }
    const std::uint64_t* key = store.Key(id);
    codec.DecodeChanged(curKey.data(), key, cur);
    std::memcpy(curKey.data(), key, keyBytes);
    ++r.expanded;

    if ((r.expanded & 255) == 0) {
      if (options.cancel && options.cancel->load(std::memory_order_relaxed)) {
        stop(StopReason::Cancelled, "cancelled");
        break;
      }
      if (options.maxSeconds > 0 &&
          std::chrono::duration<double>(Clock::now() - began).count() >= options.maxSeconds) {
        stop(StopReason::Budget, "time limit reached");
        break;
      }
    }

    Batch& batch = batches[id % 3];
    batch.parent = id;
    // X off a jump pad only plays the refusal sound: no jump press changes anything.
    const bool onPad = StartMeterCommand(cur, discard);
    const int presses = onPad ? PressCount : static_cast<int>(Press::Jump1);
    const int first = id != 0 && (store.PressOf(id) & kFacingOnly) ? static_cast<int>(Press::Turn) : 0;
    int openDug = -1, objects = 0;  // counted on the first dig that needs them
    for (int p = first; p < presses; ++p) {
      const Press press = static_cast<Press>(p);
      StateCodec::CopyBoard(child, cur);
      ApplyPress(child, discard, press);
      if (child.Ended()) {
        if (child.outcome != Outcome::Clear) continue;  // miss, or the hidden warp
        std::vector<Press>& path = r.presses;
        path.push_back(press);
        for (std::uint32_t s = id; store.Parent(s) != kNoParent; s = store.Parent(s))
          path.push_back(static_cast<Press>(store.PressOf(s) & ~kFacingOnly));
        std::reverse(path.begin(), path.end());
        r.verdict = Verdict::Solved;
        break;
      }
      Child& k = batch.kids[batch.n];
      const int nChanged = codec.EncodeChild(cur, child, curKey.data(), k.key.data(), changed);
      if (SameKey(k.key.data(), curKey.data(), words)) continue;  // nothing changed

      if (press == Press::Dig && options.pruneDigs) {
        const int c = CellIndex(NextX(cur), NextY(cur));
        if (prunableDig[c]) {
          if (!an.objectReach[c]) continue;
          if (openDug < 0) {
            openDug = counter.OpenHoles(cur);
            objects = HoleAndObjectCount::Objects(cur);
          }
          if (openDug >= objects) continue;
        }
      }
      if (options.pruneDeadStates) {
        bool dead = false, iceBroke = false;
        for (int j = 0; j < nChanged && !dead; ++j) {
          const int i = changed[j];
          dead = child.chara[i].kind == CharaKind::PX && !an.pxCanFinish[i];
          iceBroke |= cur.terrain[i] == cell::CrackedIce && child.terrain[i] != cell::CrackedIce;
        }
        if (dead || (iceBroke && cutOff.FlowerCutOff(child))) continue;
      }
      k.hash = StateStore::Hash(k.key.data(), words);
      k.press = static_cast<std::uint8_t>(static_cast<int>(press) |
                                          (codec.SameButFacing(k.key.data(), curKey.data()) ? kFacingOnly : 0));
      store.Prefetch(k.hash);
      ++batch.n;
    }
    const Batch& previous = batches[(id + 2) % 3];
    for (int j = 0; j < previous.n; ++j) store.PrefetchKeys(previous.kids[j].hash);
    insert(batches[(id + 1) % 3]);

    if (r.verdict == Verdict::Solved) break;

    if (options.maxStates && store.Size() >= options.maxStates &&
        (id + 1 < store.Size() || batches[(id + 2) % 3].n || batch.n)) {
      stop(StopReason::StateLimit, "state limit reached");
      break;
    }
  }
  if (r.stop == StopReason::None && r.verdict != Verdict::Solved) r.verdict = Verdict::Unsolvable;
  } catch (const MemoryLimitReached&) {
    stop(StopReason::Memory, "memory limit reached");
  } catch (const std::bad_alloc&) {
    stop(StopReason::Memory, "out of memory");
  }
  r.states = store.Size();
  r.memoryBytes = store.MemoryBytes();
}

}  // namespace

SolveResult Solve(const Board& start, const SolverOptions& options) {
  const auto began = Clock::now();
  SolveResult r;
  try {
    Search(start, options, began, r);
  } catch (const std::logic_error& e) {
    // A board the packed state cannot hold (a rule did something no analysis foresaw), or
    // more states than the store can number.
    r.verdict = Verdict::Unknown;
    r.stop = StopReason::Unpackable;
    r.reason = e.what();
    r.presses.clear();
  } catch (const std::bad_alloc&) {
    r.verdict = Verdict::Unknown;
    r.stop = StopReason::Memory;
    r.reason = "out of memory";
    r.presses.clear();
  }
  if (!options.keepMemory) BigBuffer::ReleaseKept();
  r.seconds = std::chrono::duration<double>(Clock::now() - began).count();
  return r;
}

}  // namespace morvik

#include "solver/Solver.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>
#include <unordered_map>

#include "core/KeyCommands.h"
#include "solver/BigBuffer.h"
#include "solver/LowerBound.h"
#include "solver/StageAnalysis.h"
#include "solver/StateCodec.h"
#include "solver/StateStore.h"

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
// The lower bound takes the same view: it counts a push for every open dug hole off a pad's
// neighbours beyond the PX pieces left, as if each were filled later by a stone.
//
// Not pruning but the same: a direction key sets the facing before anything else, so its
// outcome does not depend on the facing before it. A state that differs from its parent in
// the facing alone (after T, or a step the hero could not take) has the parent's direction
// key successors, all stored when the parent was expanded; they are not made again.
//
// Facing. A direction key sets the facing first, T changes nothing but the facing, and only a
// dig (light ground or grass with nothing on it, in front) or a jump (from a pad underfoot)
// reads it. Where the hero stands off a pad with no such ground beside it, presses made
// before the next direction key change nothing but the facing, so boards that differ in the
// facing alone have the same clears: they are stored as one state.
//
// Dead states. A PX piece must end in a hole for the clear; one standing where no push can
// ever bring it to a hole (StageAnalysis::pxCanFinish) means the stage is lost; before the
// search, so does one whose pushes all need the hero where it can never get round the piece
// to (PxPushReach, in ClearRuledOut). A flower the
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

// What both searches share: the packed states, the pruning rules and the limits.
class SearchBase {
 public:
  SearchBase(const Board& start, const SolverOptions& options, const StageAnalysis& an, Clock::time_point began,
             SolveResult& r)
      : options_(options),
        an_(an),
        began_(began),
        r_(r),
        codec_(start, !options.mergeIdleFacing),
        words_(codec_.Words()),
        store_(words_, options.maxMemoryBytes),
        prunableDig_(an.diggable & ~an.besidePad),
        counter_(prunableDig_),
        cutOff_(start) {
    r.keyWords = words_;
    store_.LimitStates(options.maxStates);
  }

  StateStore& Store() { return store_; }

  void Stop(StopReason why, const char* text) {
    r_.verdict = Verdict::Unknown;
    r_.stop = why;
    r_.reason = text;
    r_.presses.clear();
  }

  // Every few hundred expansions: the cancel flag and the time budget.
  bool OutOfTime() {
    if ((r_.expanded & 255) != 0) return false;
    if (options_.progress) options_.progress->store(store_.Size(), std::memory_order_relaxed);
    if (options_.cancel && options_.cancel->load(std::memory_order_relaxed)) {
      Stop(StopReason::Cancelled, "cancelled");
      return true;
    }
    if (options_.maxSeconds > 0 && std::chrono::duration<double>(Clock::now() - began_).count() >= options_.maxSeconds) {
      Stop(StopReason::Budget, "time limit reached");
      return true;
    }
    return false;
  }

  // The presses to try from a state: a state reached by a change of facing alone skips the
  // direction keys, whose successors its parent already made.
  int FirstPress(std::uint32_t id) { return id != 0 && (store_.PressOf(id) & kFacingOnly) ? static_cast<int>(Move::Turn) : 0; }

  // The child of `cur` by `press`, packed into k; false when it is the same state or pruned.
  // openDug and objects start at -1 per expansion and are counted on the first dig that
  // needs them.
  bool MakeChild(const Board& cur, const std::uint64_t* curKey, const Board& child, Move press, Child& k,
                 int& openDug, int& objects) {
    const int nChanged = nChanged_ = codec_.EncodeChild(cur, child, curKey, k.key.data(), changed_);
    if (SameKey(k.key.data(), curKey, words_)) return false;  // nothing changed
    if (press == Move::Dig && options_.pruneDigs) {
      const int c = CellIndex(NextX(cur), NextY(cur));
      if (prunableDig_[c]) {
        if (!an_.objectReach[c]) return false;
        if (openDug < 0) {
          openDug = counter_.OpenHoles(cur);
          objects = HoleAndObjectCount::Objects(cur);
        }
        if (openDug >= objects) return false;
      }
    }
    if (options_.pruneDeadStates) {
      bool dead = false, iceBroke = false;
      for (int j = 0; j < nChanged && !dead; ++j) {
        const int i = changed_[j];
        dead = child.chara[i].kind == CharaKind::PX && !an_.pxCanFinish[i];
        iceBroke |= cur.terrain[i] == cell::CrackedIce && child.terrain[i] != cell::CrackedIce;
      }
      if (dead || (iceBroke && cutOff_.FlowerCutOff(child))) return false;
    }
    k.hash = StateStore::Hash(k.key.data(), words_);
    k.press = static_cast<std::uint8_t>(static_cast<int>(press) |
                                        (codec_.SameButFacing(k.key.data(), curKey) ? kFacingOnly : 0));
    return true;
  }

  // The presses from the start to `id`, then `last`.
  void TakePath(std::uint32_t id, Move last) {
    std::vector<Move>& path = r_.presses;
    path.push_back(last);
    for (std::uint32_t s = id; store_.Parent(s) != kNoParent; s = store_.Parent(s))
      path.push_back(static_cast<Move>(store_.PressOf(s) & ~kFacingOnly));
    std::reverse(path.begin(), path.end());
    r_.verdict = Verdict::Solved;
  }

  void Finish() {
    r_.states = store_.Size();
    r_.memoryBytes = store_.MemoryBytes();
  }

 protected:
  const SolverOptions& options_;
  const StageAnalysis& an_;
  Clock::time_point began_;
  SolveResult& r_;
  const StateCodec codec_;
  const int words_;
  StateStore store_;
  const CellSet prunableDig_;
  const HoleAndObjectCount counter_;
  CutOffCheck cutOff_;
  std::uint8_t changed_[FieldSize * FieldSize];  // the cells MakeChild found changed
  int nChanged_ = 0;
};

// Breadth-first: states in the order they were found, so the first clear is a shortest one.
class BreadthFirst : public SearchBase {
 public:
  using SearchBase::SearchBase;

  void Run(const Board& start) {
    StateCodec::Key curKey{};
    codec_.Encode(start, curKey.data());
    store_.Insert(curKey.data(), StateStore::Hash(curKey.data(), words_), kNoParent, 0);
    Board cur;
    codec_.Decode(curKey.data(), cur);

    Script discard(false);
    Board child;
    const std::size_t keyBytes = sizeof(std::uint64_t) * words_;

    // The new states of an expansion go into the store two expansions later, in the same
    // order: their table slots are fetched while the next expansion is worked out, the keys
    // they may equal while the one after is, so the reads from memory overlap with work.
    struct Batch {
      Child kids[SearchMoveCount];
      int n = 0;
      std::uint32_t parent = 0;
    };
    Batch batches[3];
    auto insert = [&](Batch& b) {
      for (int j = 0; j < b.n; ++j) store_.Insert(b.kids[j].key.data(), b.kids[j].hash, b.parent, b.kids[j].press);
      b.n = 0;
    };

    for (std::uint32_t id = 0;; ++id) {
      if (id >= store_.Size()) {
        // The queue ran dry before the new states went in.
        insert(batches[(id + 1) % 3]);
        insert(batches[(id + 2) % 3]);
        if (id >= store_.Size()) break;
      }
      const std::uint64_t* key = store_.Key(id);
      codec_.DecodeChanged(curKey.data(), key, cur);
      std::memcpy(curKey.data(), key, keyBytes);
      ++r_.expanded;
      if (OutOfTime()) return;

      Batch& batch = batches[id % 3];
      batch.parent = id;
      // X off a jump pad only plays the refusal sound: no jump press changes anything.
      const bool onPad = StartMeterCommand(cur, discard);
      const int presses = onPad ? SearchMoveCount : static_cast<int>(Move::Jump1);
      int openDug = -1, objects = 0;
      for (int p = FirstPress(id); p < presses; ++p) {
        const Move press = static_cast<Move>(p);
        StateCodec::CopyBoard(child, cur);
        ApplyMove(child, discard, press);
        if (child.Ended()) {
          if (child.outcome != Outcome::Clear) continue;  // miss, or the hidden warp
          TakePath(id, press);
          return;
        }
        if (!MakeChild(cur, curKey.data(), child, press, batch.kids[batch.n], openDug, objects)) continue;
        store_.Prefetch(batch.kids[batch.n].hash);
        ++batch.n;
      }
      const Batch& previous = batches[(id + 2) % 3];
      for (int j = 0; j < previous.n; ++j) store_.PrefetchKeys(previous.kids[j].hash);
      insert(batches[(id + 1) % 3]);

      if (options_.maxStates && store_.Size() >= options_.maxStates &&
          (id + 1 < store_.Size() || batches[(id + 2) % 3].n || batch.n)) {
        Stop(StopReason::StateLimit, "state limit reached");
        return;
      }
    }
    r_.verdict = Verdict::Unsolvable;
  }
};

// The best-first queue's stacks of state numbers, in blocks of a few KiB from one pool: the
// queue grows without copying, an emptied stack gives its blocks back, and every block counts
// against the search's memory limit.
class QueueBlocks {
  struct Block {
    Block* below;
    std::uint32_t ids[1022];
  };
  static constexpr int kIds = 1022;

 public:
  struct Stack {
    Block* top = nullptr;
    int n = 0;  // entries in the top block
    bool Empty() const { return top == nullptr; }
  };

  explicit QueueBlocks(StateStore& store) : store_(store) {}

  void Push(Stack& s, std::uint32_t id) {
    if (s.top == nullptr || s.n == kIds) {
      Block* b = Take();
      b->below = s.top;
      s.top = b;
      s.n = 0;
    }
    s.top->ids[s.n++] = id;
  }

  // Not on an empty stack.
  std::uint32_t Pop(Stack& s) {
    const std::uint32_t id = s.top->ids[--s.n];
    if (s.n == 0) {
      Block* b = s.top;
      s.top = b->below;
      s.n = s.top ? kIds : 0;
      free_.push_back(b);
    }
    return id;
  }

 private:
  Block* Take() {
    if (!free_.empty()) {
      Block* b = free_.back();
      free_.pop_back();
      return b;
    }
    store_.Hold(sizeof(Block));
    if (free_.capacity() < all_.size() + 1) free_.reserve(2 * all_.size() + 16);  // giving back never allocates
    all_.push_back(std::make_unique<Block>());
    return all_.back().get();
  }

  StateStore& store_;
  std::vector<std::unique_ptr<Block>> all_;
  std::vector<Block*> free_;
};

// Best-first: states in order of presses made plus a lower bound on the presses still
// needed (LowerBound), deepest first among equals. A clear found at cost c is a shortest one
// once every state left to expand has made-plus-bound of at least c. A state found again by
// a shorter way takes the shorter way and is queued again.
class BestFirst : public SearchBase {
 public:
  BestFirst(const Board& start, const SolverOptions& options, const StageAnalysis& an, Clock::time_point began,
            SolveResult& r)
      : SearchBase(start, options, an, began, r), bound_(start, an) {}

  void Run(const Board& start) {
    StateCodec::Key curKey{};
    codec_.Encode(start, curKey.data());
    store_.Insert(curKey.data(), StateStore::Hash(curKey.data(), words_), kNoParent, 0);
    Board cur;
    codec_.Decode(curKey.data(), cur);
    const int h0 = bound_.Of(start);
    if (h0 == LowerBound::Never) {
      r_.verdict = Verdict::Unsolvable;
      r_.reason = "a flower or PX piece can never be taken";
      return;
    }
    Push(0, h0, 0);

    Script discard(false);
    Board child;
    const std::size_t keyBytes = sizeof(std::uint64_t) * words_;
    int best = kInfinite;  // presses of the best clear found
    std::uint32_t bestParent = 0;
    Move bestPress = Move::Left;

    std::uint32_t id = 0;
    int f = 0, g = 0;
    // The summary of the bound follows the board from expansion to expansion.
    LowerBound::Summary summary = bound_.Summarize(cur);
    Board before;
    std::uint8_t decoded[FieldSize * FieldSize];
    // The bound is worked out only for children that turn out new or reached more
    // shortly, most being found again.
    struct Kid {
      Child child;
      Board board;
      LowerBound::Summary summary;
    };
    Kid kids[SearchMoveCount];
    while (Pop(id, f, g)) {
      if (f >= best) break;
      std::uint16_t& mark = store_.Mark(id);
      if ((mark & kExpanded) || mark != g) continue;  // expanded, or queued again by a shorter way
      mark |= kExpanded;
      const std::uint64_t* key = store_.Key(id);
      StateCodec::CopyBoard(before, cur);
      codec_.DecodeChanged(curKey.data(), key, cur);
      std::memcpy(curKey.data(), key, keyBytes);
      bound_.Update(summary, before, cur, decoded, StateCodec::ChangedCells(before, cur, decoded));
      ++r_.expanded;
      if (OutOfTime()) return;

      const bool onPad = StartMeterCommand(cur, discard);
      const int presses = onPad ? SearchMoveCount : static_cast<int>(Move::Jump1);
      int openDug = -1, objects = 0, n = 0;
      for (int p = FirstPress(id); p < presses; ++p) {
        const Move press = static_cast<Move>(p);
        StateCodec::CopyBoard(child, cur);
        ApplyMove(child, discard, press);
        if (child.Ended()) {
          if (child.outcome == Outcome::Clear && g + 1 < best) {
            best = g + 1;
            bestParent = id;
            bestPress = press;
          }
          continue;
        }
        Kid& kid = kids[n];
        if (!MakeChild(cur, curKey.data(), child, press, kid.child, openDug, objects)) continue;
        store_.Prefetch(kid.child.hash);
        StateCodec::CopyBoard(kid.board, child);
        kid.summary = summary;
        bound_.Update(kid.summary, cur, child, changed_, nChanged_);
        ++n;
      }
      for (int j = 0; j < n; ++j) {
        const Child& k = kids[j].child;
        const auto [cid, added] = store_.Insert(k.key.data(), k.hash, id, k.press);
        std::uint16_t& cmark = store_.Mark(cid);
        if (!added) {
          if ((cmark & ~kExpanded) <= g + 1) continue;
          store_.SetParent(cid, id, k.press);
        }
        cmark = static_cast<std::uint16_t>(g + 1);
        const int bound = bound_.Of(kids[j].board, kids[j].summary);
        if (bound == LowerBound::Never) {
          cmark |= kExpanded;  // never leads to a clear
          continue;
        }
        Push(cid, g + 1 + bound, g + 1);
      }
      if (options_.maxStates && store_.Size() >= options_.maxStates) {
        Stop(StopReason::StateLimit, "state limit reached");
        return;
      }
    }
    if (best != kInfinite) {
      TakePath(bestParent, bestPress);
      return;
    }
    r_.verdict = Verdict::Unsolvable;
  }

 private:
  static constexpr int kInfinite = 1 << 30;
  static constexpr std::uint16_t kExpanded = 0x8000;

  // Queued states by [made plus bound][made], each a stack.
  void Push(std::uint32_t id, int f, int g) {
    if (g >= kExpanded) throw std::length_error("solver: too many presses");
    if (f >= static_cast<int>(open_.size())) open_.resize(f + 1);
    auto& byMade = open_[f];
    if (g >= static_cast<int>(byMade.size())) byMade.resize(g + 1);
    blocks_.Push(byMade[g], id);
    minF_ = std::min(minF_, f);
  }

  bool Pop(std::uint32_t& id, int& f, int& g) {
    for (; minF_ < static_cast<int>(open_.size()); ++minF_) {
      auto& byMade = open_[minF_];
      while (!byMade.empty() && byMade.back().Empty()) byMade.pop_back();
      if (byMade.empty()) continue;
      f = minF_;
      g = static_cast<int>(byMade.size()) - 1;
      id = blocks_.Pop(byMade.back());
      return true;
    }
    return false;
  }

  LowerBound bound_;
  QueueBlocks blocks_{store_};
  std::vector<std::vector<QueueBlocks::Stack>> open_;
  int minF_ = 0;
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
  auto run = [&](auto& search) {
    try {
      search.Run(start);
    } catch (const MemoryLimitReached&) {
      search.Stop(StopReason::Memory, "memory limit reached");
    } catch (const StateLimitReached&) {
      // A batch of new states would have gone past the limit.
      search.Stop(StopReason::StateLimit, "state limit reached");
    } catch (const std::bad_alloc&) {
      search.Stop(StopReason::Memory, "out of memory");
    }
    search.Finish();
  };
  if (options.bestFirst) {
    BestFirst search(start, options, an, began, r);
    run(search);
  } else {
    BreadthFirst search(start, options, an, began, r);
    run(search);
  }
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

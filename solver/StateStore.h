#pragma once
// The visited states of a search: keys in insertion order (for a breadth-first search the
// order of numbers is the queue), the press and parent that reached each, a mark word, and an open-
// addressing hash set over them. Keys live in fixed chunks that never move. The hash set may
// be split by the top bits of the hash into shards that grow one at a time (a growth then
// holds two copies of one shard, not of the whole table); see kShardBits.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <utility>
#include <vector>

#include "solver/BigBuffer.h"

namespace morvik {

// Thrown when storing one more state would take the tables past their byte limit.
struct MemoryLimitReached : std::runtime_error {
  MemoryLimitReached() : std::runtime_error("memory limit reached") {}
};
// Thrown when storing one more state would pass the limit on the number of states.
struct StateLimitReached : std::runtime_error {
  StateLimitReached() : std::runtime_error("state limit reached") {}
};

class StateStore {
 public:
  // byteLimit 0: no limit but the system's.
  explicit StateStore(int words, std::size_t byteLimit = 0);

  // At most `states` states are stored (0: no limit); a new one past them throws.
  void LimitStates(std::size_t states) { stateLimit_ = states; }

  static std::uint64_t Hash(const std::uint64_t* key, int words);

  // The number of the state with this key, and whether it was added now.
  std::pair<std::uint32_t, bool> Insert(const std::uint64_t* key, std::uint64_t hash, std::uint32_t parent,
                                        std::uint8_t press);
  void Prefetch(std::uint64_t hash) const {
    const Shard& sh = ShardOf(hash >> 32);
    __builtin_prefetch(sh.slots + sh.SlotOf(hash >> 32));
  }
  // Once the slot is at hand: fetches the keys Insert will compare with, so that the reads
  // of several new states overlap instead of following one another.
  void PrefetchKeys(std::uint64_t hash) const {
    const std::uint64_t tag = hash >> 32;
    const Shard& sh = ShardOf(tag);
    for (std::uint64_t i = sh.SlotOf(tag);; i = (i + 1) & sh.mask) {
      const std::uint64_t s = sh.slots[i];
      if (s == 0) return;
      if ((s >> 32) == tag) __builtin_prefetch(Key(static_cast<std::uint32_t>((s & 0xFFFFFFFFu) - 1)));
    }
  }

  std::size_t Size() const { return size_; }
  const std::uint64_t* Key(std::uint32_t id) const {
    return chunks_[id >> kChunkBits].keys + static_cast<std::size_t>(id & kChunkMask) * words_;
  }
  std::uint32_t Parent(std::uint32_t id) const { return chunks_[id >> kChunkBits].parents[id & kChunkMask]; }
  std::uint8_t PressOf(std::uint32_t id) const { return chunks_[id >> kChunkBits].presses[id & kChunkMask]; }
  // A shorter way to a state already stored (best-first search).
  void SetParent(std::uint32_t id, std::uint32_t parent, std::uint8_t press) {
    chunks_[id >> kChunkBits].parents[id & kChunkMask] = parent;
    chunks_[id >> kChunkBits].presses[id & kChunkMask] = press;
  }
  // A word per state for the search's own use (the best-first search keeps the presses
  // made and whether the state was expanded); 0 for a new state.
  std::uint16_t& Mark(std::uint32_t id) { return chunks_[id >> kChunkBits].marks[id & kChunkMask]; }

  // Bytes held: keys, parents, presses, the hash table and what the search holds besides.
  std::size_t MemoryBytes() const;
  // The search holds `bytes` more of its own (its queue): counted against the limit, and
  // throws MemoryLimitReached when they do not fit.
  void Hold(std::size_t bytes) {
    CheckRoomFor(bytes);
    held_ += bytes;
  }

 private:
  static constexpr int kChunkBits = 18;
  static constexpr std::uint32_t kChunkMask = (1u << kChunkBits) - 1;
  // One buffer per chunk: the keys, then the parents, the marks and the presses.
  struct Chunk {
    BigBuffer memory;
    std::uint64_t* keys;
    std::uint32_t* parents;
    std::uint16_t* marks;
    std::uint8_t* presses;
  };

  // A shard is indexed by the bits of the hash's upper half below the shard's number, from the
  // top down; the slot keeps that half, so growing never reads a key again.
  // One shard, measured: eight shards kept growth to an eighth of the table but made the
  // shipped stages' searches 5-10% slower; raise this where the peak matters more than speed.
  static constexpr int kShardBits = 0;
  static constexpr int kLocalBits = 32 - kShardBits;
  static constexpr int kFirstShardBits = 16;  // slots per shard at the start, as a power of 2
  struct Shard {
    BigBuffer own;  // empty while the shard lives in the first, shared buffer
    std::uint64_t* slots = nullptr;
    std::uint64_t mask = 0;
    int shift = 0;  // kLocalBits - log2 of the shard's size
    std::size_t count = 0;
    std::uint64_t SlotOf(std::uint64_t tag) const { return (tag & ((std::uint64_t{1} << kLocalBits) - 1)) >> shift; }
  };
  Shard& ShardOf(std::uint64_t tag) { return shards_[tag >> kLocalBits]; }
  const Shard& ShardOf(std::uint64_t tag) const { return shards_[tag >> kLocalBits]; }
  void Grow(Shard& sh);

  // Throws MemoryLimitReached when `more` bytes on top of what is held pass the limit.
  void CheckRoomFor(std::size_t more) const;

  int words_;
  std::size_t byteLimit_;
  std::size_t stateLimit_ = 0;
  std::vector<Chunk> chunks_;
  std::size_t size_ = 0;
  std::size_t held_ = 0;

  // A slot holds (upper half of the hash) << 32 | (number + 1); 0 is free.
  BigBuffer first_;  // every shard's table at the start
  std::size_t tableBytes_ = 0;
  Shard shards_[1 << kShardBits];
};

}  // namespace morvik

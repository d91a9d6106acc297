#pragma once
// The visited states of a search: keys in insertion order (for a breadth-first search the
// order of numbers is the queue), the press and parent that reached each, a mark word, and an open-
// addressing hash set over them. Keys live in fixed chunks that never move.
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
  void Prefetch(std::uint64_t hash) const { __builtin_prefetch(Slots() + SlotOf(hash >> 32)); }
  // Once the slot is at hand: fetches the keys Insert will compare with, so that the reads
  // of several new states overlap instead of following one another.
  void PrefetchKeys(std::uint64_t hash) const {
    const std::uint64_t tag = hash >> 32;
    for (std::uint64_t i = SlotOf(tag);; i = (i + 1) & mask_) {
      const std::uint64_t s = Slots()[i];
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

  // Bytes held: keys, parents, presses and the hash table.
  std::size_t MemoryBytes() const;

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

  void Grow();
  // The table is indexed by the top bits of the hash's upper half, which the slot keeps, so
  // growing never reads a key again.
  std::uint64_t SlotOf(std::uint64_t tag) const { return tag >> shift_; }

  // Throws MemoryLimitReached when `more` bytes on top of what is held pass the limit.
  void CheckRoomFor(std::size_t more) const;

  int words_;
  std::size_t byteLimit_;
  std::size_t stateLimit_ = 0;
  std::vector<Chunk> chunks_;
  std::size_t size_ = 0;
  std::uint64_t* Slots() const { return slots_.As<std::uint64_t>(); }

  // A slot holds (upper half of the hash) << 32 | (number + 1); 0 is free.
  BigBuffer slots_;
  std::uint64_t mask_ = 0;
  int shift_ = 0;  // 32 - log2 of the table size
};

}  // namespace morvik

#pragma once
// The visited states of a breadth-first search: keys in insertion order (so the order of
// numbers is the search queue), the press and parent that reached each, and an open-
// addressing hash set over them. Keys live in fixed chunks that never move.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace morvik {

class StateStore {
 public:
  explicit StateStore(int words);

  static std::uint64_t Hash(const std::uint64_t* key, int words);

  // The number of the state with this key, and whether it was added now.
  std::pair<std::uint32_t, bool> Insert(const std::uint64_t* key, std::uint64_t hash, std::uint32_t parent,
                                        std::uint8_t press);
  void Prefetch(std::uint64_t hash) const { __builtin_prefetch(&slots_[hash & mask_]); }

  std::size_t Size() const { return size_; }
  const std::uint64_t* Key(std::uint32_t id) const {
    return chunks_[id >> kChunkBits].keys.get() + static_cast<std::size_t>(id & kChunkMask) * words_;
  }
  std::uint32_t Parent(std::uint32_t id) const { return chunks_[id >> kChunkBits].parents[id & kChunkMask]; }
  std::uint8_t PressOf(std::uint32_t id) const { return chunks_[id >> kChunkBits].presses[id & kChunkMask]; }

  // Bytes held: keys, parents, presses and the hash table.
  std::size_t MemoryBytes() const;

 private:
  static constexpr int kChunkBits = 18;
  static constexpr std::uint32_t kChunkMask = (1u << kChunkBits) - 1;
  struct Chunk {
    std::unique_ptr<std::uint64_t[]> keys;
    std::unique_ptr<std::uint32_t[]> parents;
    std::unique_ptr<std::uint8_t[]> presses;
  };

  void Grow();

  int words_;
  std::vector<Chunk> chunks_;
  std::size_t size_ = 0;
  // A slot holds (upper half of the hash) << 32 | (number + 1); 0 is free.
  std::vector<std::uint64_t> slots_;
  std::uint64_t mask_ = 0;
};

}  // namespace morvik

#include "tools/solver/StateStore.h"

#include <cstring>
#include <stdexcept>

namespace morvik {

namespace {

std::uint64_t Mix(std::uint64_t a, std::uint64_t b) {
  const unsigned __int128 p = static_cast<unsigned __int128>(a) * b;
  return static_cast<std::uint64_t>(p) ^ static_cast<std::uint64_t>(p >> 64);
}

}  // namespace

StateStore::StateStore(int words) : words_(words), slots_(std::size_t{1} << 16, 0), mask_((1u << 16) - 1) {}

std::uint64_t StateStore::Hash(const std::uint64_t* key, int words) {
  std::uint64_t h = 0x9E3779B97F4A7C15ull;
  for (int w = 0; w < words; ++w) h = Mix(h ^ key[w], 0xBF58476D1CE4E5B9ull);
  return Mix(h, 0x94D049BB133111EBull);
}

std::pair<std::uint32_t, bool> StateStore::Insert(const std::uint64_t* key, std::uint64_t hash, std::uint32_t parent,
                                                  std::uint8_t press) {
  const std::uint64_t tag = hash >> 32;
  for (std::uint64_t i = hash & mask_;; i = (i + 1) & mask_) {
    const std::uint64_t s = slots_[i];
    if (s == 0) {
      if (size_ >= 0xFFFFFFF0u) throw std::length_error("solver: too many states");
      const auto id = static_cast<std::uint32_t>(size_);
      if ((id >> kChunkBits) == chunks_.size()) {
        const std::size_t n = std::size_t{1} << kChunkBits;
        chunks_.push_back({std::make_unique_for_overwrite<std::uint64_t[]>(n * words_),
                           std::make_unique_for_overwrite<std::uint32_t[]>(n),
                           std::make_unique_for_overwrite<std::uint8_t[]>(n)});
      }
      Chunk& c = chunks_.back();
      std::memcpy(c.keys.get() + static_cast<std::size_t>(id & kChunkMask) * words_, key, sizeof(std::uint64_t) * words_);
      c.parents[id & kChunkMask] = parent;
      c.presses[id & kChunkMask] = press;
      slots_[i] = (tag << 32) | (id + 1u);
      ++size_;
      // At most 3/4 full: linear probing stays short.
      if (size_ * 4 > slots_.size() * 3) Grow();
      return {id, true};
    }
    if ((s >> 32) == tag) {
      const auto id = static_cast<std::uint32_t>((s & 0xFFFFFFFFu) - 1);
      if (std::memcmp(Key(id), key, sizeof(std::uint64_t) * words_) == 0) return {id, false};
    }
  }
}

void StateStore::Grow() {
  std::vector<std::uint64_t> bigger(slots_.size() * 2, 0);
  const std::uint64_t mask = bigger.size() - 1;
  for (std::size_t id = 0; id < size_; ++id) {
    const std::uint64_t h = Hash(Key(static_cast<std::uint32_t>(id)), words_);
    std::uint64_t i = h & mask;
    while (bigger[i] != 0) i = (i + 1) & mask;
    bigger[i] = ((h >> 32) << 32) | (id + 1);
  }
  slots_.swap(bigger);
  mask_ = mask;
}

std::size_t StateStore::MemoryBytes() const {
  const std::size_t perChunk = (std::size_t{1} << kChunkBits) * (sizeof(std::uint64_t) * words_ + 5);
  return chunks_.size() * perChunk + slots_.size() * sizeof(std::uint64_t);
}

}  // namespace morvik

#include "solver/StateStore.h"

#include <cstring>
#include <stdexcept>

namespace morvik {

namespace {

std::uint64_t Mix(std::uint64_t a, std::uint64_t b) {
  const unsigned __int128 p = static_cast<unsigned __int128>(a) * b;
  return static_cast<std::uint64_t>(p) ^ static_cast<std::uint64_t>(p >> 64);
}

}  // namespace

StateStore::StateStore(int words, std::size_t byteLimit)
    : words_(words), byteLimit_(byteLimit), slots_(sizeof(std::uint64_t) << 16, true), mask_((1u << 16) - 1), shift_(32 - 16) {}

namespace {
bool SameKey(const std::uint64_t* a, const std::uint64_t* b, int words) {
  std::uint64_t d = 0;
  for (int w = 0; w < words; ++w) d |= a[w] ^ b[w];
  return d == 0;
}
}  // namespace

std::uint64_t StateStore::Hash(const std::uint64_t* key, int words) {
  std::uint64_t h = 0x9E3779B97F4A7C15ull;
  for (int w = 0; w < words; ++w) h = Mix(h ^ key[w], 0xBF58476D1CE4E5B9ull);
  return Mix(h, 0x94D049BB133111EBull);
}

std::pair<std::uint32_t, bool> StateStore::Insert(const std::uint64_t* key, std::uint64_t hash, std::uint32_t parent,
                                                  std::uint8_t press) {
  const std::uint64_t tag = hash >> 32;
  for (std::uint64_t i = SlotOf(tag);; i = (i + 1) & mask_) {
    const std::uint64_t s = Slots()[i];
    if (s == 0) {
      if (size_ >= 0xFFFFFFF0u) throw std::length_error("solver: too many states");
      if (stateLimit_ && size_ >= stateLimit_) throw StateLimitReached();
      const auto id = static_cast<std::uint32_t>(size_);
      if ((id >> kChunkBits) == chunks_.size()) {
        const std::size_t n = std::size_t{1} << kChunkBits;
        const std::size_t bytes = n * (sizeof(std::uint64_t) * words_ + sizeof(std::uint32_t) + 2 + 1);
        CheckRoomFor(bytes);
        BigBuffer m(bytes, false);
        auto* keys = m.As<std::uint64_t>();
        auto* parents = reinterpret_cast<std::uint32_t*>(keys + n * words_);
        auto* marks = reinterpret_cast<std::uint16_t*>(parents + n);
        auto* presses = reinterpret_cast<std::uint8_t*>(marks + n);
        chunks_.push_back({std::move(m), keys, parents, marks, presses});
      }
      Chunk& c = chunks_.back();
      std::memcpy(c.keys + static_cast<std::size_t>(id & kChunkMask) * words_, key, sizeof(std::uint64_t) * words_);
      c.parents[id & kChunkMask] = parent;
      c.presses[id & kChunkMask] = press;
      c.marks[id & kChunkMask] = 0;
      Slots()[i] = (tag << 32) | (id + 1u);
      ++size_;
      // At most 3/4 full: linear probing stays short.
      if (size_ * 4 > (mask_ + 1) * 3) Grow();
      return {id, true};
    }
    if ((s >> 32) == tag) {
      const auto id = static_cast<std::uint32_t>((s & 0xFFFFFFFFu) - 1);
      if (SameKey(Key(id), key, words_)) return {id, false};
    }
  }
}

void StateStore::Grow() {
  if (shift_ == 0) throw std::length_error("solver: hash table full");
  const std::size_t size = (mask_ + 1) * 2;
  // The old table is held while the new one fills.
  CheckRoomFor(size * sizeof(std::uint64_t));
  BigBuffer table(size * sizeof(std::uint64_t), true);
  std::uint64_t* bigger = table.As<std::uint64_t>();
  const std::uint64_t mask = size - 1;
  const int shift = shift_ - 1;
  for (std::size_t k = 0; k <= mask_; ++k) {
    const std::uint64_t s = Slots()[k];
    if (s == 0) continue;
    std::uint64_t i = (s >> 32) >> shift;
    while (bigger[i] != 0) i = (i + 1) & mask;
    bigger[i] = s;
  }
  slots_ = std::move(table);
  mask_ = mask;
  shift_ = shift;
}

void StateStore::CheckRoomFor(std::size_t more) const {
  if (byteLimit_ && MemoryBytes() + more > byteLimit_) throw MemoryLimitReached();
}

std::size_t StateStore::MemoryBytes() const {
  std::size_t bytes = slots_.Bytes();
  for (const Chunk& c : chunks_) bytes += c.memory.Bytes();
  return bytes;
}

}  // namespace morvik

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
    : words_(words),
      byteLimit_(byteLimit),
      first_(sizeof(std::uint64_t) << (kShardBits + kFirstShardBits), true),
      tableBytes_(first_.Bytes()) {
  for (int k = 0; k < (1 << kShardBits); ++k) {
    Shard& sh = shards_[k];
    sh.slots = first_.As<std::uint64_t>() + (static_cast<std::size_t>(k) << kFirstShardBits);
    sh.mask = (std::uint64_t{1} << kFirstShardBits) - 1;
    sh.shift = kLocalBits - kFirstShardBits;
  }
}

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
  Shard& sh = ShardOf(tag);
  for (std::uint64_t i = sh.SlotOf(tag);; i = (i + 1) & sh.mask) {
    const std::uint64_t s = sh.slots[i];
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
      sh.slots[i] = (tag << 32) | (id + 1u);
      ++size_;
      // At most 3/4 full: linear probing stays short.
      if (++sh.count * 4 > (sh.mask + 1) * 3) Grow(sh);
      return {id, true};
    }
    if ((s >> 32) == tag) {
      const auto id = static_cast<std::uint32_t>((s & 0xFFFFFFFFu) - 1);
      if (SameKey(Key(id), key, words_)) return {id, false};
    }
  }
}

void StateStore::Grow(Shard& sh) {
  if (sh.shift == 0) throw std::length_error("solver: hash table full");
  const std::size_t size = (sh.mask + 1) * 2;
  // The old shard is held while the new one fills.
  CheckRoomFor(size * sizeof(std::uint64_t));
  BigBuffer table(size * sizeof(std::uint64_t), true);
  std::uint64_t* bigger = table.As<std::uint64_t>();
  const std::uint64_t mask = size - 1;
  const int shift = sh.shift - 1;
  constexpr std::uint64_t kLocal = (std::uint64_t{1} << kLocalBits) - 1;
  for (std::size_t k = 0; k <= sh.mask; ++k) {
    const std::uint64_t s = sh.slots[k];
    if (s == 0) continue;
    std::uint64_t i = ((s >> 32) & kLocal) >> shift;
    while (bigger[i] != 0) i = (i + 1) & mask;
    bigger[i] = s;
  }
  // The first buffer stays held after its shards move out; a shard's own goes now.
  // The smaller size is asked for no more in this search: it goes back at once, not kept.
  tableBytes_ += table.Bytes() - sh.own.Bytes();
  sh.own.Release();
  sh.own = std::move(table);
  sh.slots = bigger;
  sh.mask = mask;
  sh.shift = shift;
}

void StateStore::CheckRoomFor(std::size_t more) const {
  if (byteLimit_ && MemoryBytes() + more > byteLimit_) throw MemoryLimitReached();
}

std::size_t StateStore::MemoryBytes() const {
  std::size_t bytes = tableBytes_ + held_;
  for (const Chunk& c : chunks_) bytes += c.memory.Bytes();
  return bytes;
}

}  // namespace morvik

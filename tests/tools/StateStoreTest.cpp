// The solver's visited-state table: numbers in insertion order, keys found again across many
// growths of every shard, and the byte limit holding for the table and the queue alike.
#include <gtest/gtest.h>

#include <cstdint>

#include "solver/StateStore.h"

namespace morvik {
namespace {

void MakeKey(std::uint64_t n, std::uint64_t* key) {
  key[0] = n * 0x9E3779B97F4A7C15ull;
  key[1] = n;
}

TEST(StateStore, KeysComeBackWithTheirNumbersAfterTheTableGrew) {
  // Enough states that every shard grows several times, and chunks of keys fill up.
  constexpr std::uint64_t kStates = 600000;
  StateStore store(2);
  std::uint64_t key[2];
  for (std::uint64_t n = 0; n < kStates; ++n) {
    MakeKey(n, key);
    const auto [id, added] = store.Insert(key, StateStore::Hash(key, 2), static_cast<std::uint32_t>(n / 3),
                                          static_cast<std::uint8_t>(n % 7));
    ASSERT_TRUE(added) << n;
    ASSERT_EQ(id, n);
  }
  ASSERT_EQ(store.Size(), kStates);
  for (std::uint64_t n = 0; n < kStates; ++n) {
    MakeKey(n, key);
    const auto [id, added] = store.Insert(key, StateStore::Hash(key, 2), 0, 0);
    ASSERT_FALSE(added) << n;
    ASSERT_EQ(id, n);
    ASSERT_EQ(store.Key(id)[0], key[0]);
    ASSERT_EQ(store.Key(id)[1], key[1]);
    ASSERT_EQ(store.Parent(id), n / 3);
    ASSERT_EQ(store.PressOf(id), n % 7);
  }
  EXPECT_EQ(store.Size(), kStates);
}

TEST(StateStore, TheByteLimitHoldsForTableGrowthAndHeldBytes) {
  constexpr std::size_t kLimit = std::size_t{24} << 20;
  StateStore store(2, kLimit);
  std::uint64_t key[2];
  std::uint64_t n = 0;
  bool reached = false;
  try {
    for (;; ++n) {
      MakeKey(n, key);
      store.Insert(key, StateStore::Hash(key, 2), 0, 0);
      ASSERT_LE(store.MemoryBytes(), kLimit);
    }
  } catch (const MemoryLimitReached&) {
    reached = true;
  }
  ASSERT_TRUE(reached);
  EXPECT_LE(store.MemoryBytes(), kLimit);
  // What was stored stays found.
  MakeKey(n / 2, key);
  EXPECT_FALSE(store.Insert(key, StateStore::Hash(key, 2), 0, 0).second);

  // The search's own bytes count against the same limit.
  StateStore small(1, std::size_t{4} << 20);
  const std::size_t before = small.MemoryBytes();
  small.Hold(std::size_t{1} << 20);
  EXPECT_EQ(small.MemoryBytes(), before + (std::size_t{1} << 20));
  EXPECT_THROW(small.Hold(std::size_t{4} << 20), MemoryLimitReached);
  EXPECT_EQ(small.MemoryBytes(), before + (std::size_t{1} << 20));
}

}  // namespace
}  // namespace morvik

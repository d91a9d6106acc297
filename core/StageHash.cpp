#include "core/StageHash.h"

namespace morvik {

std::uint64_t StageHash(const Board& start) {
  // FNV-1a over one byte at a time: stable across builds and platforms, unlike std::hash.
  std::uint64_t h = 14695981039346656037ull;
  auto add = [&h](int byte) {
    h ^= static_cast<std::uint8_t>(byte);
    h *= 1099511628211ull;
  };
  for (int i = 0; i < FieldSize * FieldSize; ++i) {
    add(start.terrain[i]);
    add(static_cast<int>(start.chara[i].kind));
  }
  add(start.heroX);
  add(start.heroY);
  add(start.firstFlower);
  return h;
}

}  // namespace morvik

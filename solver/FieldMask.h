#pragma once
// The field as a 100-bit mask in a 128-bit word, cell y * 10 + x: the reach and dead-cell
// analyses and the lower bound flood it a row or a column at a time.
#include <bit>
#include <cstdint>

#include "core/Board.h"

namespace morvik::fieldmask {

using Mask = unsigned __int128;
constexpr Mask Bit(int i) { return Mask{1} << i; }
constexpr Mask kField = (Mask{1} << (FieldSize * FieldSize)) - 1;
constexpr Mask ColumnMask(int x) {
  Mask m = 0;
  for (int y = 0; y < FieldSize; ++y) m |= Bit(y * FieldSize + x);
  return m;
}
constexpr Mask RowMask(int y) { return ((Mask{1} << FieldSize) - 1) << (y * FieldSize); }
constexpr Mask kNotFirstColumn = kField & ~ColumnMask(0);
constexpr Mask kNotLastColumn = kField & ~ColumnMask(FieldSize - 1);

inline int LowestCell(Mask m) {
  const auto lo = static_cast<std::uint64_t>(m);
  return lo ? std::countr_zero(lo) : 64 + std::countr_zero(static_cast<std::uint64_t>(m >> 64));
}

}  // namespace morvik::fieldmask

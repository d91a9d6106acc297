#pragma once
// The solver's state: everything the rules can change on a board, packed into a few 64-bit
// words. Word 0 begins with the hero (cell, facing), the colour due, the taken counts and the
// flower records; then every cell that can change gets a small field numbering the
// (terrain, character kind) pairs it can ever hold. Cells that never change take no bits.
//
// Indices of stones, flowers and PX pieces are left out: the rules never read them (only the
// pictures do), so boards that differ only in indices behave alike. Decoded boards carry
// index 0 everywhere. The hero's cell is stored as holding nothing; decoding puts the hero
// back. A board outside the layout (a state no play can reach) is refused with
// std::logic_error rather than stored wrongly.
#include <array>
#include <cstdint>

#include "core/Board.h"

namespace morvik {

class StateCodec {
 public:
  static constexpr int MaxWords = 8;
  using Key = std::array<std::uint64_t, MaxWords>;

  // With `idleFacing` false the hero's facing is left out of the key (decoded boards face
  // down) wherever no press can read it: off a jump pad and with no light ground or grass
  // free to dig beside the hero.
  explicit StateCodec(const Board& start, bool idleFacing = true);

  int Words() const { return words_; }
  int KeyBits() const { return keyBits_; }
  // Cells that can change (the others take no bits).
  int DynamicCells() const { return dynamicCells_; }

  void Encode(const Board& b, std::uint64_t* key) const;
  // True when the two keys differ in the hero's facing alone.
  bool SameButFacing(const std::uint64_t* a, const std::uint64_t* b) const;
  // The key of `child`, a board one press away from `parent` (whose key is parentKey), found
  // by re-encoding only the cells that differ. Those cells are written to `changed` (room
  // for every cell) and their number returned.
  int EncodeChild(const Board& parent, const Board& child, const std::uint64_t* parentKey, std::uint64_t* childKey,
                  std::uint8_t* changed) const;

  // The cells whose terrain or character differ between two boards, written to `cells`
  // (room for every cell); returns their number.
  static int ChangedCells(const Board& a, const Board& b, std::uint8_t* cells);

  void Decode(const std::uint64_t* key, Board& b) const;
  // A board copy for a child to be encoded by EncodeChild (whose comparison reads the board
  // in the blocks this copy writes). Faster than assignment, which compiles to a string move.
  static void CopyBoard(Board& to, const Board& from);
  // Turns b, the decoding of oldKey, into the decoding of newKey, touching only the cells
  // whose fields differ and the hero's old and new cells.
  void DecodeChanged(const std::uint64_t* oldKey, const std::uint64_t* newKey, Board& b) const;

 private:
  struct Combo {
    CellCode terrain;
    CharaKind kind;
  };
  struct CellLayout {
    std::uint8_t word = 0, shift = 0, width = 0;  // width 0: the cell never changes
    std::uint8_t terrainCount = 0, comboCount = 0;
    std::array<CellCode, 4> terrains{};
    std::array<std::array<std::uint8_t, 8>, 4> code{};  // [terrain slot][kind] -> field value
    std::array<Combo, 16> combos{};
  };

  std::uint64_t Header(const Board& b) const;
  void DecodeHeader(std::uint64_t word, Board& b) const;
  std::uint64_t CellValue(int cell, const Board& b) const;
  void SetCell(int cell, const std::uint64_t* key, Board& b) const;

  Board template_;
  std::array<CellLayout, FieldSize * FieldSize> cells_{};
  std::array<std::array<std::uint8_t, 64>, MaxWords> bitCell_{};
  int words_ = 1, keyBits_ = 0, dynamicCells_ = 0;
  bool idleFacing_ = true;
};

}  // namespace morvik

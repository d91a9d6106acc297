#pragma once
// The solver's state: everything the rules can change on a board, packed into a few 64-bit
// words. Word 0 begins with the hero (cell, facing), the colour due, the taken counts and the
// flower records; then every cell that can change gets a value numbering the (terrain,
// character kind) pairs it can ever hold, and a few neighbouring cells share one field (see
// Group). Cells that never change take no bits.
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

  // Neighbouring cells share a field where that saves a key word, or always (for tests).
  enum class Sharing { WhereItSavesAWord, Always };
  // With `idleFacing` false the hero's facing is left out of the key (decoded boards face
  // down) wherever no press can read it: off a jump pad and with no light ground or grass
  // free to dig beside the hero.
  explicit StateCodec(const Board& start, bool idleFacing = true, Sharing sharing = Sharing::WhereItSavesAWord);

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
  static constexpr std::uint8_t kNoGroup = 0xFF;
  struct CellLayout {
    std::uint8_t group = kNoGroup;  // kNoGroup: the cell never changes
    std::uint32_t weight = 0;       // the cell's place value in its group's field
    std::uint64_t weightInverse = 0, countInverse = 0;  // for division by weight and by comboCount
    std::uint8_t terrainCount = 0, comboCount = 0;
    std::array<CellCode, 4> terrains{};
    std::array<std::array<std::uint8_t, 8>, 4> code{};  // [terrain slot][kind] -> the cell's value
    std::array<Combo, 16> combos{};
  };

  // A few neighbouring cells share one field, the number c0 + n0 * (c1 + n1 * (c2 + ...)) of
  // their values c and value counts n: a cell with 10 values takes 3.5 bits, not 4. Used
  // only where it saves a key word.
  static constexpr int kMaxGroupCells = 8, kMaxGroupBits = 16;
  struct Group {
    std::uint8_t word = 0, shift = 0, width = 0, n = 0;
    std::array<std::uint8_t, kMaxGroupCells> cells{};
  };
  static std::uint32_t Field(const Group& g, const std::uint64_t* key);
  static std::uint32_t Quotient(std::uint32_t v, std::uint64_t inverse) { return static_cast<std::uint32_t>((v * inverse) >> 32); }
  void SetCombo(int cell, std::uint32_t value, Board& b) const;
  void SetGroup(const Group& g, const std::uint64_t* key, Board& b) const;
  // Places the cells' fields, groups of at most maxCells cells; false when they need more
  // than MaxWords words.
  bool Lay(int maxCells);

  std::uint64_t Header(const Board& b) const;
  void DecodeHeader(std::uint64_t word, Board& b) const;
  std::uint64_t CellValue(int cell, const Board& b) const;
  void SetCell(int cell, const std::uint64_t* key, Board& b) const;

  Board template_;
  std::array<CellLayout, FieldSize * FieldSize> cells_{};
  std::array<Group, FieldSize * FieldSize> groups_{};
  int groupCount_ = 0;
  std::array<std::array<std::uint8_t, 64>, MaxWords> bitGroup_{};  // the group of each key bit
  int words_ = 1, keyBits_ = 0, dynamicCells_ = 0;
  bool idleFacing_ = true;
};

}  // namespace morvik

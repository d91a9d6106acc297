#include "solver/StateCodec.h"

#include <bit>
#include <cstddef>
#include <cstring>
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#elif defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <stdexcept>
#include <string>
#include <type_traits>

namespace morvik {

namespace {

// Word 0, bits 0 to 42: the hero and the records of the rules.
constexpr int kHeroCell = 0, kDir = 7, kFirst = 9, kYTaken = 10, kRTaken = 14, kPXTaken = 18, kUnder0 = 23,
              kUnder1 = 25, kUnderCode0 = 27, kUnderCode1 = 29, kOnFlower = 31, kOnFlowerCode = 32, kLanded = 34,
              kLandedCode = 35, kLandedCell = 37, kHeaderBits = 44;
constexpr std::uint64_t kHeaderMask = (std::uint64_t{1} << kHeaderBits) - 1;
constexpr int kCells = FieldSize * FieldSize;

[[noreturn]] void Refuse(const std::string& what) {
  throw std::logic_error("solver state: " + what + " is outside the state layout");
}

std::uint64_t FlowerBits(Chara c) {
  switch (c.kind) {
    case CharaKind::Yellow: return 1;
    case CharaKind::Red: return 2;
    default: Refuse("a flower record holding " + CharaCodeText(c));
  }
}
Chara FlowerOf(std::uint64_t bits) {
  return bits == 1 ? MakeChara(CharaKind::Yellow, 0) : bits == 2 ? MakeChara(CharaKind::Red, 0) : NoChara;
}

std::uint64_t Bits(std::uint64_t v, int shift, int width) { return (v >> shift) & ((std::uint64_t{1} << width) - 1); }

CellCode FilledBy(CellCode hole, bool px) {
  switch (hole) {
    case cell::HoleLight: return px ? cell::WhirlLight : cell::FilledLight;
    case cell::HoleGrass: return px ? cell::WhirlGrass : cell::FilledGrass;
    case cell::HoleSnow: return px ? cell::WhirlSnow : cell::FilledSnow;
    default: return px ? cell::WhirlSand : cell::FilledSand;
  }
}

// Division of a field value (below 2^16) by d (at most 2^16) as a multiplication: with
// m = floor(2^32 / d) + 1, m * d - 2^32 < d, so (v * m) >> 32 is exact while v * d < 2^32.
std::uint64_t Inverse(std::uint32_t d) { return (std::uint64_t{1} << 32) / d + 1; }

int WidthFor(int combos) { return combos <= 1 ? 0 : std::bit_width(static_cast<unsigned>(combos - 1)); }

std::string CellName(int i) { return "cell " + std::to_string(i % FieldSize) + "," + std::to_string(i / FieldSize); }

// Both layers lie side by side in a board: 100 terrain bytes, then 100 two-byte characters.
static_assert(offsetof(Board, terrain) == 0 && offsetof(Board, chara) == 100 && sizeof(Chara) == 2);
constexpr int kLayerBytes = 300;

int CellOfByte(int i) { return i < 100 ? i : (i - 100) / 2; }

void MarkBytes(std::uint64_t set[2], int base, std::uint32_t bits) {
  for (; bits; bits &= bits - 1) {
    const int cell = CellOfByte(base + std::countr_zero(bits));
    set[cell >> 6] |= std::uint64_t{1} << (cell & 63);
  }
}

// Cells whose terrain or character differs between two boards, as a 128-bit set, compared
// 16 or 32 bytes at a time. The blocks start where CopyBoard's stores start: a load that
// spans two recent stores cannot take its bytes from them and waits for both to be written.
void DiffCellsBasic(const unsigned char* pa, const unsigned char* pb, std::uint64_t set[2]) {
#ifdef __SSE2__
  for (int at = 0; at < kLayerBytes; at += 16) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pa + at));
    const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pb + at));
    unsigned differ = ~static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, y))) & 0xFFFFu;
    if (at + 16 > kLayerBytes) differ &= (1u << (kLayerBytes - at)) - 1;  // the hero's fields follow
    if (differ) MarkBytes(set, at, differ);
  }
#else
  for (int i = 0; i < kLayerBytes; ++i)
    if (pa[i] != pb[i]) MarkBytes(set, i, 1);
#endif
}

#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target("avx2"))) void DiffCellsAvx2(const unsigned char* pa, const unsigned char* pb,
                                                   std::uint64_t set[2]) {
  for (int at = 0; at < kLayerBytes; at += 32) {
    const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pa + at));
    const __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pb + at));
    auto differ = ~static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(x, y)));
    if (at + 32 > kLayerBytes) differ &= (1u << (kLayerBytes - at)) - 1;
    if (differ) MarkBytes(set, at, differ);
  }
}

__attribute__((target("avx2"))) void CopyAvx2(unsigned char* d, const unsigned char* s) {
  constexpr std::size_t blocks = sizeof(Board) / 32;
  for (std::size_t i = 0; i < blocks; ++i)
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + 32 * i), _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + 32 * i)));
  if constexpr (sizeof(Board) % 32 != 0)
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + sizeof(Board) - 32),
                        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + sizeof(Board) - 32)));
}

const bool kHasAvx2 = __builtin_cpu_supports("avx2");
#endif

// Whole blocks past the layers must still lie inside the board.
static_assert(sizeof(Board) >= 320);

void DiffCells(const Board& a, const Board& b, std::uint64_t set[2]) {
  set[0] = set[1] = 0;
  const auto* pa = reinterpret_cast<const unsigned char*>(&a);
  const auto* pb = reinterpret_cast<const unsigned char*>(&b);
#if defined(__x86_64__) && defined(__GNUC__)
  if (kHasAvx2) return DiffCellsAvx2(pa, pb, set);
#endif
  DiffCellsBasic(pa, pb, set);
}

}  // namespace

#if defined(__GNUC__) && !defined(__clang__)
__attribute__((optimize("no-tree-loop-distribute-patterns")))
#endif
void StateCodec::CopyBoard(Board& to, const Board& from) {
  static_assert(std::is_trivially_copyable_v<Board>);
  auto* d = reinterpret_cast<unsigned char*>(&to);
  const auto* s = reinterpret_cast<const unsigned char*>(&from);
#if defined(__x86_64__) && defined(__GNUC__)
  if (kHasAvx2) return CopyAvx2(d, s);
#endif
#ifdef __SSE2__
  constexpr std::size_t blocks = sizeof(Board) / 16;
#pragma GCC unroll 32
  for (std::size_t i = 0; i < blocks; ++i)
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 16 * i), _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 16 * i)));
  if constexpr (sizeof(Board) % 16 != 0)
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + sizeof(Board) - 16),
                     _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + sizeof(Board) - 16)));
#else
  to = from;
#endif
}

namespace {

// A direction key sets the facing first and T changes nothing else; only a dig (of light
// ground or grass with nothing on it, in front) and a jump (from a pad underfoot) read it.
bool FacingMayBeRead(const Board& b) {
  if (b.T(b.heroX, b.heroY) == cell::JumpPad) return true;
  for (int d = DirLeft; d <= DirDown; ++d) {
    const int x = b.heroX + (d == DirLeft ? -1 : d == DirRight ? 1 : 0);
    const int y = b.heroY + (d == DirUp ? -1 : d == DirDown ? 1 : 0);
    if (!OnField(x, y)) continue;
    const CellCode t = b.T(x, y);
    if ((t == cell::Light || t == cell::Grass) && b.C(x, y).IsNone()) return true;
  }
  return false;
}

}  // namespace

StateCodec::StateCodec(const Board& start, bool idleFacing, Sharing sharing) : idleFacing_(idleFacing) {
  template_ = start;
  template_.ResetAttempt();
  bool stones = false, px = false;
  for (Chara& c : template_.chara) {
    stones |= c.kind == CharaKind::Stone;
    px |= c.kind == CharaKind::PX;
    if (c.kind == CharaKind::Hero) c = NoChara;
    c.index = 0;
  }
  template_.stepKind = 0;
  template_.heroDir = DirDown;
  // In the middle of an attempt the hero may stand on a flower it may not take yet (or
  // landed on): the rules put it back on the field once the hero moves on.
  std::array<bool, kCells> flowerReturns{};
  const bool anyRecord = start.onFlower || start.landedFlower || start.underState[0] || start.underState[1];
  if (anyRecord && OnField(start.heroX, start.heroY)) flowerReturns[start.heroY * FieldSize + start.heroX] = true;
  if (start.landedFlower && OnField(start.landedX, start.landedY))
    flowerReturns[start.landedY * FieldSize + start.landedX] = true;

  static_assert(kMaxGroupBits <= 16, "Quotient is exact for field values below 2^16");
  for (int i = 0; i < kCells; ++i) {
    CellLayout& L = cells_[i];
    const CellCode t0 = template_.terrain[i];
    const CharaKind k0 = template_.chara[i].kind;
    const bool marked = k0 == CharaKind::EmptyHole;
    std::array<CellCode, 4> ts{};
    int nt = 0;
    ts[nt++] = t0;
    CellCode hole = 0;
    if (t0 == cell::Light || t0 == cell::Grass) ts[nt++] = hole = t0 == cell::Light ? cell::HoleLight : cell::HoleGrass;
    if (IsHole(t0) && marked) hole = t0;
    if (hole != 0) {
      if (stones) ts[nt++] = FilledBy(hole, false);
      if (px) ts[nt++] = FilledBy(hole, true);
    }
    if (t0 == cell::CrackedIce) ts[nt++] = cell::DeepWater;
    if (t0 == cell::GateClosed && px) ts[nt++] = cell::GateOpen;

    L.terrainCount = static_cast<std::uint8_t>(nt);
    L.terrains = ts;
    for (auto& row : L.code) row.fill(0xFF);
    auto add = [&](int slot, CharaKind k) {
      std::uint8_t& c = L.code[slot][static_cast<int>(k)];
      if (c != 0xFF) return;
      c = L.comboCount;
      L.combos[L.comboCount++] = {ts[slot], k};
    };
    for (int s = 0; s < nt; ++s) {
      const CellCode t = ts[s];
      if (t == t0) add(s, k0);
      // A flower left on cracked ice comes back after the ice broke under the hero.
      if (t0 == cell::CrackedIce && t == cell::DeepWater && (k0 == CharaKind::Yellow || k0 == CharaKind::Red)) add(s, k0);
      if (flowerReturns[i] && (t == t0 || (t0 == cell::CrackedIce && t == cell::DeepWater))) {
        add(s, CharaKind::Yellow);
        add(s, CharaKind::Red);
      }
      if (IsHole(t)) {
        if (t != t0 || marked) add(s, CharaKind::EmptyHole);
        continue;
      }
      add(s, CharaKind::None);
      if (IsFloor(t) && stones) add(s, CharaKind::Stone);
      if (IsFloor(t) && px) add(s, CharaKind::PX);
    }
    dynamicCells_ += L.comboCount > 1;
  }
  // Shared fields cost a division or two per cell decoded: they are used only where they
  // save a key word.
  const bool plainFits = Lay(1);
  const int plainWords = words_;
  if (!Lay(kMaxGroupCells)) throw std::logic_error("solver state: the stage needs more than the largest key");
  if (plainFits && words_ == plainWords && sharing == Sharing::WhereItSavesAWord) Lay(1);
}

bool StateCodec::Lay(int maxCells) {
  // Cells join the open group while its values still fit the group's width limit and the
  // word's room; a cell that fits no more starts the next group, in the next word when even
  // it alone does not fit.
  int word = 0, shift = kHeaderBits, groupWidth = 0;
  std::uint32_t groupProduct = 1;
  groupCount_ = 0;
  for (int i = 0; i < kCells; ++i) {
    CellLayout& L = cells_[i];
    L.group = kNoGroup;
    if (L.comboCount <= 1) continue;
    const std::uint32_t product = groupProduct * L.comboCount;
    if (groupCount_ == 0 || groups_[groupCount_ - 1].n == maxCells || product > (1u << kMaxGroupBits) ||
        shift + WidthFor(static_cast<int>(product)) > 64) {
      if (groupCount_ > 0) shift += groupWidth;
      if (shift + WidthFor(L.comboCount) > 64) {
        ++word;
        shift = 0;
      }
      if (word >= MaxWords) return false;
      Group& g = groups_[groupCount_++];
      g = Group{};
      g.word = static_cast<std::uint8_t>(word);
      g.shift = static_cast<std::uint8_t>(shift);
      groupProduct = 1;
      groupWidth = 0;
    }
    Group& g = groups_[groupCount_ - 1];
    L.group = static_cast<std::uint8_t>(groupCount_ - 1);
    L.weight = groupProduct;
    L.weightInverse = Inverse(groupProduct);
    L.countInverse = Inverse(L.comboCount);
    g.cells[g.n++] = static_cast<std::uint8_t>(i);
    groupProduct *= L.comboCount;
    groupWidth = WidthFor(static_cast<int>(groupProduct));
    g.width = static_cast<std::uint8_t>(groupWidth);
  }
  words_ = word + 1;
  keyBits_ = kHeaderBits;
  for (auto& row : bitGroup_) row.fill(0xFF);
  for (int k = 0; k < groupCount_; ++k) {
    const Group& g = groups_[k];
    keyBits_ += g.width;
    for (int b = 0; b < g.width; ++b) bitGroup_[g.word][g.shift + b] = static_cast<std::uint8_t>(k);
  }
  return true;
}

std::uint64_t StateCodec::Header(const Board& b) const {
  if (b.Ended() || b.sliding || b.padBounce || b.underState[2] != 0 || b.underState[0] > flowerSlot::HeroOnIt || b.underState[1] > flowerSlot::HeroOnIt ||
      b.yFlowerTaken > 15 || b.rFlowerTaken > 15 || b.pxTaken > 31 || b.firstFlower > 1 || !OnField(b.heroX, b.heroY))
    Refuse("a board between presses or after the attempt ended");
  std::uint64_t h = static_cast<std::uint64_t>(b.heroY * FieldSize + b.heroX) << kHeroCell;
  const bool facingRead = idleFacing_ || FacingMayBeRead(b);
  h |= static_cast<std::uint64_t>((facingRead ? b.heroDir : static_cast<int>(DirDown)) - 1) << kDir;
  h |= static_cast<std::uint64_t>(b.firstFlower) << kFirst;
  h |= static_cast<std::uint64_t>(b.yFlowerTaken) << kYTaken;
  h |= static_cast<std::uint64_t>(b.rFlowerTaken) << kRTaken;
  h |= static_cast<std::uint64_t>(b.pxTaken) << kPXTaken;
  // A record's code is read only while its state says so: a stale code is left out.
  h |= static_cast<std::uint64_t>(b.underState[0]) << kUnder0;
  h |= static_cast<std::uint64_t>(b.underState[1]) << kUnder1;
  if (b.underState[0]) h |= FlowerBits(b.underCode[0]) << kUnderCode0;
  if (b.underState[1]) h |= FlowerBits(b.underCode[1]) << kUnderCode1;
  if (b.onFlower) h |= (std::uint64_t{1} << kOnFlower) | FlowerBits(b.onFlowerCode) << kOnFlowerCode;
  if (b.landedFlower) {
    if (!OnField(b.landedX, b.landedY)) Refuse("a landed flower off the field");
    h |= (std::uint64_t{1} << kLanded) | FlowerBits(b.landedCode) << kLandedCode;
    h |= static_cast<std::uint64_t>(b.landedY * FieldSize + b.landedX) << kLandedCell;
  }
  return h;
}

void StateCodec::DecodeHeader(std::uint64_t h, Board& b) const {
  const int hero = static_cast<int>(Bits(h, kHeroCell, 7));
  b.heroX = static_cast<std::int16_t>(hero % FieldSize);
  b.heroY = static_cast<std::int16_t>(hero / FieldSize);
  b.heroDir = static_cast<std::int16_t>(Bits(h, kDir, 2) + 1);
  b.firstFlower = static_cast<std::int16_t>(Bits(h, kFirst, 1));
  b.yFlowerTaken = static_cast<std::int16_t>(Bits(h, kYTaken, 4));
  b.rFlowerTaken = static_cast<std::int16_t>(Bits(h, kRTaken, 4));
  b.pxTaken = static_cast<std::int16_t>(Bits(h, kPXTaken, 5));
  b.underState = {static_cast<std::int16_t>(Bits(h, kUnder0, 2)), static_cast<std::int16_t>(Bits(h, kUnder1, 2)), 0};
  b.underCode = {FlowerOf(Bits(h, kUnderCode0, 2)), FlowerOf(Bits(h, kUnderCode1, 2)), NoChara};
  b.onFlower = Bits(h, kOnFlower, 1) != 0;
  b.onFlowerCode = FlowerOf(Bits(h, kOnFlowerCode, 2));
  b.landedFlower = Bits(h, kLanded, 1) != 0;
  b.landedCode = FlowerOf(Bits(h, kLandedCode, 2));
  const int landed = static_cast<int>(Bits(h, kLandedCell, 7));
  b.landedX = static_cast<std::int16_t>(landed % FieldSize);
  b.landedY = static_cast<std::int16_t>(landed / FieldSize);
  b.stepKind = 0;
  b.sliding = b.padBounce = false;
  b.outcome = Outcome::None;
}

std::uint64_t StateCodec::CellValue(int i, const Board& b) const {
  const CellLayout& L = cells_[i];
  const CellCode t = b.terrain[i];
  CharaKind k = b.chara[i].kind;
  const bool heroCell = i == b.heroY * FieldSize + b.heroX;
  if (heroCell != (k == CharaKind::Hero)) Refuse(CellName(i) + " with the hero somewhere else");
  if (heroCell) k = CharaKind::None;
  for (int s = 0; s < L.terrainCount; ++s)
    if (L.terrains[s] == t) {
      const std::uint8_t v = L.code[s][static_cast<int>(k)];
      if (v != 0xFF) return v;
      break;
    }
  Refuse(CellName(i) + " holding " + CellCodeText(t) + " with " + CharaCodeText(MakeChara(k, 0)));
}

std::uint32_t StateCodec::Field(const Group& g, const std::uint64_t* key) {
  return static_cast<std::uint32_t>(Bits(key[g.word], g.shift, g.width));
}

void StateCodec::SetCombo(int i, std::uint32_t value, Board& b) const {
  const Combo c = cells_[i].combos[value];
  b.terrain[i] = c.terrain;
  b.chara[i] = MakeChara(c.kind, 0);
}

void StateCodec::SetCell(int i, const std::uint64_t* key, Board& b) const {
  const CellLayout& L = cells_[i];
  if (L.group == kNoGroup) {
    b.terrain[i] = template_.terrain[i];
    b.chara[i] = template_.chara[i];
    return;
  }
  const Group& g = groups_[L.group];
  if (g.n == 1) return SetCombo(i, Field(g, key), b);
  const std::uint32_t above = Quotient(Field(g, key), L.weightInverse);
  SetCombo(i, above - Quotient(above, L.countInverse) * L.comboCount, b);
}

void StateCodec::SetGroup(const Group& g, const std::uint64_t* key, Board& b) const {
  std::uint32_t v = Field(g, key);
  if (g.n == 1) return SetCombo(g.cells[0], v, b);
  for (int k = 0; k < g.n; ++k) {
    const int i = g.cells[k];
    const CellLayout& L = cells_[i];
    const std::uint32_t rest = Quotient(v, L.countInverse);
    SetCombo(i, v - rest * L.comboCount, b);
    v = rest;
  }
}

bool StateCodec::SameButFacing(const std::uint64_t* a, const std::uint64_t* b) const {
  std::uint64_t d = (a[0] ^ b[0]) & ~(std::uint64_t{3} << kDir);
  for (int w = 1; w < words_; ++w) d |= a[w] ^ b[w];
  return d == 0;
}

void StateCodec::Encode(const Board& b, std::uint64_t* key) const {
  for (int w = 0; w < words_; ++w) key[w] = 0;
  key[0] = Header(b);
  for (int i = 0; i < kCells; ++i) {
    const std::uint64_t v = CellValue(i, b);
    const CellLayout& L = cells_[i];
    if (L.group == kNoGroup) {
      if (v != 0) Refuse(CellName(i) + ", which never changes, changed");
      continue;
    }
    const Group& g = groups_[L.group];
    key[g.word] += (v * L.weight) << g.shift;
  }
}

int StateCodec::EncodeChild(const Board& parent, const Board& child, const std::uint64_t* parentKey,
                            std::uint64_t* childKey, std::uint8_t* changed) const {
  for (int w = 0; w < words_; ++w) childKey[w] = parentKey[w];
  childKey[0] = (childKey[0] & ~kHeaderMask) | Header(child);
  std::uint64_t set[2];
  DiffCells(parent, child, set);
  int n = 0;
  for (int half = 0; half < 2; ++half)
    for (std::uint64_t s = set[half]; s; s &= s - 1) {
      const int i = half * 64 + std::countr_zero(s);
      changed[n++] = static_cast<std::uint8_t>(i);
      const std::uint64_t v = CellValue(i, child);
      const CellLayout& L = cells_[i];
      if (L.group == kNoGroup) {
        if (v != 0) Refuse(CellName(i) + ", which never changes, changed");
        continue;
      }
      // The parent's key holds the parent's value: the group's field moves by the difference.
      const Group& g = groups_[L.group];
      childKey[g.word] += ((v - CellValue(i, parent)) * L.weight) << g.shift;
    }
  // The hero's new cell may hold nothing in both boards' fields while the layers differ
  // (the hero entered it): its value is the same in both, being stored as empty.
  return n;
}

int StateCodec::ChangedCells(const Board& a, const Board& b, std::uint8_t* cells) {
  std::uint64_t set[2];
  DiffCells(a, b, set);
  int n = 0;
  for (int half = 0; half < 2; ++half)
    for (std::uint64_t s = set[half]; s; s &= s - 1) cells[n++] = static_cast<std::uint8_t>(half * 64 + std::countr_zero(s));
  return n;
}

void StateCodec::Decode(const std::uint64_t* key, Board& b) const {
  b = template_;
  DecodeHeader(key[0], b);
  for (int i = 0; i < kCells; ++i)
    if (cells_[i].group != kNoGroup) SetCell(i, key, b);
  b.C(b.heroX, b.heroY) = HeroChara;
}

void StateCodec::DecodeChanged(const std::uint64_t* oldKey, const std::uint64_t* newKey, Board& b) const {
  const int oldHero = b.heroY * FieldSize + b.heroX;
  DecodeHeader(newKey[0], b);
  for (int w = 0; w < words_; ++w) {
    std::uint64_t x = oldKey[w] ^ newKey[w];
    if (w == 0) x &= ~kHeaderMask;
    while (x) {
      const Group& g = groups_[bitGroup_[w][std::countr_zero(x)]];
      SetGroup(g, newKey, b);
      x &= ~(((std::uint64_t{1} << g.width) - 1) << g.shift);
    }
  }
  SetCell(oldHero, newKey, b);
  b.C(b.heroX, b.heroY) = HeroChara;
}

}  // namespace morvik

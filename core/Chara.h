#pragma once
// Character codes of the character layer: nothing, the hero, an empty hole, or a stone,
// flower or PX piece with its index in its picture pool.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace morvik {

enum class CharaKind : std::uint8_t { None, Hero, EmptyHole, Stone, Yellow, Red, PX };

// The picture pools of the play screen and their sizes.
enum class Pool : std::uint8_t { Stone, Yellow, Red, PX };
inline constexpr int StonePoolSize = 30, PXPoolSize = 30, FlowerPoolSize = 15;
int PoolSize(Pool p);

struct Chara {
  CharaKind kind = CharaKind::None;
  std::uint8_t index = 0;
  friend constexpr bool operator==(Chara, Chara) = default;
  constexpr bool IsNone() const { return kind == CharaKind::None; }
  constexpr bool IsFlower() const { return kind == CharaKind::Yellow || kind == CharaKind::Red; }
  constexpr bool IsObject() const { return kind == CharaKind::Stone || kind == CharaKind::PX; }
};

inline constexpr Chara NoChara{};
inline constexpr Chara HeroChara{CharaKind::Hero, 0};
inline constexpr Chara HoleMark{CharaKind::EmptyHole, 0};
constexpr Chara MakeChara(CharaKind k, int index) { return {k, static_cast<std::uint8_t>(index)}; }

// The pool that shows a stone, flower or PX piece.
Pool PoolOf(CharaKind k);

// "NO", "HT", "EH", "S 0", "R 12": the code as the layers spell it.
std::string CharaCodeText(Chara c);
std::optional<Chara> ParseCharaCode(std::string_view text);

}  // namespace morvik

#include "core/Chara.h"

namespace morvik {

int PoolSize(Pool p) {
  switch (p) {
    case Pool::Stone: return StonePoolSize;
    case Pool::PX: return PXPoolSize;
    default: return FlowerPoolSize;
  }
}

Pool PoolOf(CharaKind k) {
  switch (k) {
    case CharaKind::Yellow: return Pool::Yellow;
    case CharaKind::Red: return Pool::Red;
    case CharaKind::PX: return Pool::PX;
    default: return Pool::Stone;
  }
}

std::string CharaCodeText(Chara c) {
  switch (c.kind) {
    case CharaKind::None: return "NO";
    case CharaKind::Hero: return "HT";
    case CharaKind::EmptyHole: return "EH";
    default: break;
  }
  const char letter = c.kind == CharaKind::Stone ? 'S' : c.kind == CharaKind::Yellow ? 'Y' : c.kind == CharaKind::Red ? 'R' : 'P';
  return std::string{letter, ' '} + std::to_string(c.index);
}

std::optional<Chara> ParseCharaCode(std::string_view t) {
  if (t == "NO") return NoChara;
  if (t == "HT") return HeroChara;
  if (t == "EH") return HoleMark;
  if (t.size() < 3 || t.size() > 4 || t[1] != ' ') return std::nullopt;
  CharaKind k;
  switch (t[0]) {
    case 'S': k = CharaKind::Stone; break;
    case 'Y': k = CharaKind::Yellow; break;
    case 'R': k = CharaKind::Red; break;
    case 'P': k = CharaKind::PX; break;
    default: return std::nullopt;
  }
  int n = 0;
  for (char ch : t.substr(2)) {
    if (ch < '0' || ch > '9') return std::nullopt;
    n = n * 10 + (ch - '0');
  }
  if (n >= PoolSize(PoolOf(k))) return std::nullopt;
  return MakeChara(k, n);
}

}  // namespace morvik

#include "play/FieldPerformer.h"

#include "core/Pictures.h"

namespace morvik {

FieldPerformer::FieldPerformer(FieldImage& image, FieldScene& scene, Sound& sound,
                               std::function<void(const Effect&)> screenEffect)
    : image_(image), scene_(scene), sound_(sound), screenEffect_(std::move(screenEffect)) {}

void FieldPerformer::PaintTerrain(const Board& b) {
  shown_ = b;
  image_.PaintAll(b);
}

void FieldPerformer::PlaceCharas(const Board& b) {
  std::array<bool, StonePoolSize> stones{}, pxs{};
  std::array<bool, FlowerPoolSize> yellows{}, reds{};
  for (int y = 0; y < FieldSize; ++y)
    for (int x = 0; x < FieldSize; ++x) {
      const Chara c = b.C(x, y);
      const QPoint at(x * CellPixels, y * CellPixels);
      switch (c.kind) {
        case CharaKind::Stone: scene_.stones[c.index].pos = at; stones[c.index] = true; break;
        case CharaKind::PX: scene_.pxPieces[c.index].pos = at; pxs[c.index] = true; break;
        case CharaKind::Yellow: scene_.yellows[c.index].pos = at; yellows[c.index] = true; break;
        case CharaKind::Red: scene_.reds[c.index].pos = at; reds[c.index] = true; break;
        default: break;
      }
    }
  scene_.hero.pos = scene_.shadow.pos = QPoint(b.heroX * CellPixels, b.heroY * CellPixels);
  // Pictures the stage does not use, or whose object a later list line replaced, stay hidden.
  auto hideUnplaced = [](auto& pool, const auto& placed) {
    for (std::size_t i = 0; i < pool.size(); ++i)
      if (!placed[i]) pool[i].visible = pool[i].enabled = false;
  };
  hideUnplaced(scene_.stones, stones);
  hideUnplaced(scene_.pxPieces, pxs);
  hideUnplaced(scene_.yellows, yellows);
  hideUnplaced(scene_.reds, reds);
}

void FieldPerformer::SetCharasVisible(const Board& b, bool visible) {
  // Hiding takes every picture of the stage's objects; showing brings back those still in play.
  auto set = [visible](auto& pool, int count) {
    for (int i = 0; i < count; ++i) pool[i].visible = visible && pool[i].enabled;
  };
  set(scene_.stones, b.stoneCount);
  set(scene_.yellows, b.yFlowerCount);
  set(scene_.reds, b.rFlowerCount);
  set(scene_.pxPieces, b.pxCount);
  scene_.hero.visible = scene_.shadow.visible = visible;
}

void FieldPerformer::Perform(const Effect& e, Script& expansion) {
  switch (e.kind) {
    case Fx::Sound: sound_.PlayEffect(e.a); break;
    case Fx::PaintTile:
      image_.PaintTile(e.a, e.b, e.c);
      if (IsTerrainCode(e.c) && OnField(e.a, e.b)) {
        const CellCode before = shown_.T(e.a, e.b);
        shown_.T(e.a, e.b) = static_cast<CellCode>(e.c);
        // A filled sand hole joins the sand around it: their rims towards it go.
        if (ShoresChange(before, shown_.T(e.a, e.b))) image_.RenewShores(shown_, e.a, e.b);
      }
      break;
    case Fx::RenewShores: image_.RenewShores(shown_, e.a, e.b); break;
    case Fx::InWaterAnime:
      for (int i = 0; i <= 5; ++i) {
        expansion.Add(Fx::InWaterFrame, e.a, e.b, i);
        expansion.Add(Fx::Yield);
        if (e.c > 0 && i != 5) expansion.Add(Fx::Pause, e.c);
      }
      expansion.Add(Fx::InWaterFrame, e.a, e.b, -1);
      break;
    case Fx::InWaterFrame:
      scene_.inWater.visible = e.c >= 0;
      scene_.inWater.pos = QPoint(e.a * CellPixels, e.b * CellPixels);
      if (e.c >= 0) scene_.inWater.picture = e.c;
      break;
    case Fx::HideChara: {
      Sprite& s = scene_.Of(static_cast<Pool>(e.a), e.b);
      s.visible = false;
      if (e.c) s.enabled = false;
      break;
    }
    case Fx::HeroPose: scene_.hero.picture = e.a; break;
    case Fx::NudgeHero:
      scene_.hero.pos += QPoint(e.a, e.b);
      scene_.shadow.pos += QPoint(e.a, e.b);
      break;
    case Fx::NudgeChara: scene_.Of(static_cast<Pool>(e.a), e.b).pos += QPoint(e.c, e.d); break;
    case Fx::PlaceHero: scene_.hero.pos = QPoint(e.a, e.b); break;
    case Fx::PlaceShadow: scene_.shadow.pos = QPoint(e.a, e.b); break;
    case Fx::ShowShadow: scene_.shadow.visible = e.a != 0; break;
    case Fx::SetNext:
    case Fx::StageEnd:
    case Fx::AnswerMove:
    case Fx::AnswerDig: screenEffect_(e); break;
    case Fx::ItemTaken:
    case Fx::Pause:
    case Fx::Yield:
      break;
  }
}

}  // namespace morvik

#pragma once
// The pictures and labels that stand over the field's terrain image, in their stacking
// order; the field widget draws them, the screen and the effect performer move them.
#include <QColor>
#include <QPoint>
#include <QString>
#include <array>

#include "core/Chara.h"

namespace morvik {

struct Sprite {
  QPoint pos;          // top-left pixel inside the field
  int picture = 0;     // index in the sprite's picture store
  bool visible = false;
  bool enabled = true;
};

struct FieldLabel {
  bool visible = false;
  QString text;
  QColor text_colour = Qt::black;
  QColor background = Qt::black;
  bool opaque = false;
};

struct FieldScene {
  std::array<Sprite, StonePoolSize> stones;
  std::array<Sprite, PXPoolSize> pxPieces;
  std::array<Sprite, FlowerPoolSize> yellows;
  std::array<Sprite, FlowerPoolSize> reds;
  Sprite hero, shadow;
  Sprite inWater, gan, guide;    // pictures of the in-water, visitor and guide stores
  FieldLabel black, message, stageMessage;

  Sprite& Of(Pool p, int i) {
    switch (p) {
      case Pool::Stone: return stones[i % StonePoolSize];
      case Pool::Yellow: return yellows[i % FlowerPoolSize];
      case Pool::Red: return reds[i % FlowerPoolSize];
      case Pool::PX: return pxPieces[i % PXPoolSize];
    }
    return stones[0];
  }
};

}  // namespace morvik

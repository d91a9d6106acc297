#include "play/FieldWidget.h"

#include <QPainter>

#include "platform/Fonts.h"

namespace morvik {

namespace {

constexpr QSize kMessageSize(300, 64);

void DrawPool(QPainter& p, const auto& pool, const PictureStore& pictures) {
  for (const Sprite& s : pool)
    if (s.visible) p.drawImage(s.pos, pictures.Elm(s.picture));
}

void DrawLabel(QPainter& p, const FieldLabel& l, const QRect& rect) {
  if (!l.visible) return;
  if (l.opaque) p.fillRect(rect, l.background);
  if (l.text.isEmpty()) return;
  p.setFont(CaptionFont());
  p.setPen(l.text_colour);
  p.drawText(rect, Qt::AlignCenter, l.text);
}

}  // namespace

QFont CaptionFont() { return CaptionFontOf(36, true); }

FieldWidget::FieldWidget(const FieldImage& image, const FieldScene& scene, const PictureStore& pictures, QWidget* parent)
    : QWidget(parent), image_(image), scene_(scene), pictures_(pictures) {
  setFixedSize(sizeHint());
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void FieldWidget::Render(QPainter& p, const FieldImage& image, const FieldScene& scene, const PictureStore& pictures) {
  const QRect field(0, 0, FieldSize * CellPixels, FieldSize * CellPixels);
  p.drawImage(0, 0, image.Image());
  DrawPool(p, scene.reds, pictures);
  DrawPool(p, scene.stones, pictures);
  DrawPool(p, scene.yellows, pictures);
  DrawPool(p, scene.pxPieces, pictures);
  DrawLabel(p, scene.black, field);
  if (scene.shadow.visible) p.drawImage(scene.shadow.pos, pictures.Shadow());
  if (scene.hero.visible) p.drawImage(scene.hero.pos, pictures.Elm(scene.hero.picture));
  QRect message(QPoint(0, 0), kMessageSize);
  message.moveCenter(field.center());
  DrawLabel(p, scene.message, message);
  DrawLabel(p, scene.stageMessage, message);
  if (scene.inWater.visible) p.drawImage(scene.inWater.pos, pictures.InWater(scene.inWater.picture));
  if (scene.gan.visible) p.drawImage(scene.gan.pos, pictures.Gan(scene.gan.picture));
  if (scene.guide.visible) p.drawImage(scene.guide.pos, pictures.Guide(scene.guide.picture));
}

QImage FieldWidget::Grab() const {
  QImage out(sizeHint(), QImage::Format_ARGB32_Premultiplied);
  QPainter p(&out);
  Render(p, image_, scene_, pictures_);
  return out;
}

void FieldWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  Render(p, image_, scene_, pictures_);
}

}  // namespace morvik

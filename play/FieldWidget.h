#pragma once
// The field on screen: the terrain image with the scene's pictures and labels drawn over it
// in one pass, bottom to top, so nothing flickers.
#include <QWidget>

#include "play/FieldImage.h"
#include "play/FieldScene.h"

namespace morvik {

class FieldWidget final : public QWidget {
 public:
  FieldWidget(const FieldImage& image, const FieldScene& scene, const PictureStore& pictures, QWidget* parent = nullptr);
  QSize sizeHint() const override { return {FieldSize * CellPixels, FieldSize * CellPixels}; }

  // Draws the whole field as the screen shows it (also for tests, into any image).
  static void Render(QPainter& p, const FieldImage& image, const FieldScene& scene, const PictureStore& pictures);
  QImage Grab() const;

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  const FieldImage& image_;
  const FieldScene& scene_;
  const PictureStore& pictures_;
};

// The 36-point face of the field's captions.
QFont CaptionFont();

}  // namespace morvik

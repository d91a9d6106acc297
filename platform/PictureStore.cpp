#include "platform/PictureStore.h"

#include <QDir>
#include <QPainter>

namespace morvik {

namespace {
constexpr QSize kCell(32, 32);

// A terrain code tile is opaque; every other picture of the store is a figure on transparency.
bool IsTerrainIndex(int k) { return k == 13 || k == 14 || (k >= 20 && k <= 39) || (k >= 50 && k <= 64); }

QImage Placeholder(const QString& label, QSize size, bool opaque) {
  QImage img(size.isValid() ? size : kCell, QImage::Format_ARGB32_Premultiplied);
  // A flat colour of its own per name, so that different missing pictures can be told apart.
  const int hue = static_cast<int>(qHash(label) % 360);
  img.fill(opaque ? QColor::fromHsv(hue, 120, 170) : QColor(0, 0, 0, 0));
  QPainter p(&img);
  p.setPen(QColor(255, 0, 255));
  p.drawRect(img.rect().adjusted(0, 0, -1, -1));
  QFont f = p.font();
  f.setPixelSize(9);
  p.setFont(f);
  p.drawText(img.rect(), Qt::AlignCenter | Qt::TextWrapAnywhere, label);
  return img;
}
}  // namespace

QImage PictureStore::Load(const QString& base, QSize size, bool opaque) const {
  QImage img(QDir(folder_).filePath(base + ".png"));
  if (img.isNull()) {
    missing_ << base;
    return Placeholder(base, size, opaque);
  }
  return img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void PictureStore::LoadFrom(const QString& folder) {
  folder_ = folder;
  missing_.clear();
  for (int k = 0; k < ElmCount; ++k) {
    if (k == 59) {
      elm_[k] = Placeholder(QString(), kCell, false);
      continue;
    }
    elm_[k] = Load(QStringLiteral("elm_%1").arg(k, 2, 10, QLatin1Char('0')), kCell, IsTerrainIndex(k));
  }
  for (int i = 0; i < 8; ++i) shore_[i] = Load(QStringLiteral("shore_%1").arg(i), kCell, false);
  for (int i = 0; i < 6; ++i) inWater_[i] = Load(QStringLiteral("inwater_%1").arg(i), kCell, false);
  for (int i = 0; i < 3; ++i) guide_[i] = Load(QStringLiteral("guide_%1").arg(i), kCell, false);
  for (int i = 0; i < 4; ++i) gan_[i] = Load(QStringLiteral("gan_%1").arg(i), kCell, false);
  shadow_ = Load(QStringLiteral("shadow"), kCell, false);
}

const QImage& PictureStore::Named(const QString& name) const {
  auto it = named_.find(name);
  if (it == named_.end()) it = named_.emplace(name, Load(name, QSize(), false)).first;
  return it->second;
}

}  // namespace morvik

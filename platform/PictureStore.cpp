#include "platform/PictureStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QPainter>
#include <cstdio>

namespace morvik {

namespace {
constexpr QSize kCell(32, 32);

// A terrain code tile is opaque; every other picture of the store is a figure on transparency.
bool IsTerrainIndex(int k) { return k == 13 || k == 14 || (k >= 20 && k <= 39) || (k >= 50 && k <= 64); }

QImage Placeholder(const QString& label, QSize size, bool opaque) {
  QImage img(size.isValid() ? size : kCell, QImage::Format_ARGB32_Premultiplied);
  // A flat colour of its own per name, so that different missing pictures can be told apart.
  // Figures (the hero, flowers, stones) too get a coloured body: on transparency alone a
  // missing hero would vanish from the field.
  const int hue = static_cast<int>(qHash(label) % 360);
  img.fill(opaque ? QColor::fromHsv(hue, 120, 170) : QColor::fromHsv(hue, 160, 220, 200));
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

QImage PictureStore::Load(const QString& base, QSize size, bool opaque, QStringList& missing) const {
  const QString path = QDir(folder_).filePath(base + ".png");
  QImage img(path);
  // A picture of the wrong size would be drawn cut or over its neighbours: it counts as missing.
  const bool wrongSize = !img.isNull() && size.isValid() && img.size() != size;
  if (img.isNull() || wrongSize) {
    missing << base;
    std::fprintf(stderr, "morvik: picture %s %s; a placeholder is shown in its place\n", qPrintable(path),
                 wrongSize ? "has the wrong size" : "is missing or cannot be read");
    return Placeholder(base, size, opaque);
  }
  return img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void PictureStore::LoadFrom(const QString& folder) {
  UseFolder(folder);
  missing_.clear();
  for (int k = 0; k < ElmCount; ++k) {
    if (k == 59) {
      elm_[k] = Placeholder(QString(), kCell, false);
      continue;
    }
    elm_[k] = Load(QStringLiteral("elm_%1").arg(k, 2, 10, QLatin1Char('0')), kCell, IsTerrainIndex(k), missing_);
  }
  for (int i = 0; i < 8; ++i) shore_[i] = Load(QStringLiteral("shore_%1").arg(i), kCell, false, missing_);
  for (int i = 0; i < 6; ++i) inWater_[i] = Load(QStringLiteral("inwater_%1").arg(i), kCell, false, missing_);
  for (int i = 0; i < 3; ++i) guide_[i] = Load(QStringLiteral("guide_%1").arg(i), kCell, false, missing_);
  for (int i = 0; i < 4; ++i) gan_[i] = Load(QStringLiteral("gan_%1").arg(i), kCell, false, missing_);
  shadow_ = Load(QStringLiteral("shadow"), kCell, false, missing_);
}

void PictureStore::UseFolder(const QString& folder) {
  if (folder == folder_) return;
  folder_ = folder;
  named_.clear();
  namedMissing_.clear();
}

bool PictureStore::TellMissing(MessageBoxes& messages) {
  const QStringList missing = Missing();
  if (told_ || missing.isEmpty()) return false;
  told_ = true;
  constexpr int kListed = 12;
  QStringList names;
  for (const QString& base : missing.mid(0, kListed)) names << base + QStringLiteral(".png");
  if (missing.size() > kListed) names << QCoreApplication::translate("PictureStore", "ほか%1個").arg(missing.size() - kListed);
  messages.Show(QCoreApplication::translate("PictureStore", "次の画像ファイルが見つからないか、読み込めません。代わりの印で表示します。\n"
                                                            "フォルダ: %1\n%2")
                    .arg(QDir::toNativeSeparators(folder_), names.join(QCoreApplication::translate("PictureStore", "、"))),
                QCoreApplication::translate("PictureStore", "画像ファイル"), MsgIcon::Warning, MsgButtons::Ok);
  return true;
}

const QImage& PictureStore::Named(const QString& name) const {
  auto it = named_.find(name);
  if (it == named_.end()) it = named_.emplace(name, Load(name, QSize(), false, namedMissing_)).first;
  return it->second;
}

}  // namespace morvik

#pragma once
// The stored pictures of the screens, loaded once from the program folder's "pictures"
// folder: the tile and pose store, shore edges, in-water frames, guide marks, the visitor
// and single pictures by name. A picture whose file is missing is drawn as a plain tile
// with its name, so that a broken install still shows where something is missing.
#include <QImage>
#include <QString>
#include <QStringList>
#include <array>
#include <map>

#include "platform/MessageBoxes.h"

namespace morvik {

class PictureStore {
 public:
  static constexpr int ElmCount = 65;

  // Loads every picture from the folder.
  void LoadFrom(const QString& folder);
  // Only names the folder: single pictures load from it on first use, the tiles and figures
  // not until LoadFrom. The title needs no tile, so it shows before they are read.
  void UseFolder(const QString& folder);

  const QImage& Elm(int k) const { return elm_[Clamp(k, ElmCount)]; }
  const QImage& Shore(int i) const { return shore_[Clamp(i, 8)]; }
  const QImage& InWater(int i) const { return inWater_[Clamp(i, 6)]; }
  const QImage& Guide(int i) const { return guide_[Clamp(i, 3)]; }
  const QImage& Gan(int i) const { return gan_[Clamp(i, 4)]; }
  const QImage& Shadow() const { return shadow_; }
  // A single picture by file base name ("title_portrait"), loaded on first use.
  const QImage& Named(const QString& name) const;

  // For tests: replace pictures with images of one's own.
  void SetElm(int k, QImage img) { elm_[Clamp(k, ElmCount)] = std::move(img); }
  void SetShore(int i, QImage img) { shore_[Clamp(i, 8)] = std::move(img); }
  void SetShadow(QImage img) { shadow_ = std::move(img); }

  QStringList Missing() const { return missing_ + namedMissing_; }
  // Tells the player, in one message box, which pictures are missing or bad; only the first
  // time there are any. False when there was nothing (new) to tell.
  bool TellMissing(MessageBoxes& messages);

 private:
  static int Clamp(int k, int n) { return k < 0 || k >= n ? 0 : k; }
  QImage Load(const QString& base, QSize size, bool opaque, QStringList& missing) const;

  QString folder_;
  std::array<QImage, ElmCount> elm_;
  std::array<QImage, 8> shore_;
  std::array<QImage, 6> inWater_;
  std::array<QImage, 3> guide_;
  std::array<QImage, 4> gan_;
  QImage shadow_;
  mutable std::map<QString, QImage> named_;
  QStringList missing_;                // tiles and figures, as LoadFrom last found them
  mutable QStringList namedMissing_;  // single pictures, since the folder was named
  bool told_ = false;
};

}  // namespace morvik

#include "play/FieldImage.h"

#include <QPainter>

namespace morvik {

FieldImage::FieldImage(const PictureStore& pictures)
    : pictures_(pictures), image_(FieldSize * CellPixels, FieldSize * CellPixels, QImage::Format_ARGB32_Premultiplied) {
  image_.fill(Qt::black);
}

void FieldImage::PaintTile(int x, int y, int picture) {
  if (!OnField(x, y)) return;
  QPainter p(&image_);
  p.drawImage(x * CellPixels, y * CellPixels, pictures_.Elm(picture));
}

void FieldImage::PaintAll(const Board& b) {
  for (int y = 0; y < FieldSize; ++y)
    for (int x = 0; x < FieldSize; ++x) PaintTile(x, y, b.T(x, y));
  DrawShores(b, 0, 0, FieldSize);
}

void FieldImage::PutShore(int x, int y, int side, int shoreClass) {
  QPainter p(&image_);
  p.drawImage(x * CellPixels, y * CellPixels, pictures_.Shore(side - 1 + 4 * shoreClass));
}

void FieldImage::DrawShores(const Board& b, int x0, int y0, int n) {
  // Everything outside the field counts as water: no foam towards the outside, a rim always.
  auto code = [&b](int x, int y) { return OnField(x, y) ? b.T(x, y) : cell::Water; };
  for (int y = y0; y < y0 + n; ++y) {
    if (y < 0 || y >= FieldSize) continue;
    for (int x = x0; x < x0 + n; ++x) {
      if (x < 0 || x >= FieldSize) continue;
      const CellCode c = b.T(x, y);
      const CellCode around[4] = {code(x - 1, y), code(x, y - 1), code(x + 1, y), code(x, y + 1)};
      if (IsWater(c))
        for (int side = 1; side <= 4; ++side)
          if (!IsWater(around[side - 1])) PutShore(x, y, side, 0);
      if (IsSandy(c))
        for (int side = 1; side <= 4; ++side)
          if (!IsSandy(around[side - 1])) PutShore(x, y, side, 1);
    }
  }
}

void FieldImage::RenewShores(const Board& b, int x, int y) {
  // The square around the cell is painted afresh, so that no edge drawn for the cell's old
  // terrain stays (foam towards broken ice, a rim towards a sand hole once it is filled).
  for (int ny = y - 1; ny <= y + 1; ++ny)
    for (int nx = x - 1; nx <= x + 1; ++nx)
      if (OnField(nx, ny)) PaintTile(nx, ny, b.T(nx, ny));
  DrawShores(b, x - 1, y - 1, 3);
}

// A cell whose terrain now joins its neighbours differently (water or sand, or neither).
bool ShoresChange(CellCode before, CellCode after) { return IsWater(before) != IsWater(after) || IsSandy(before) != IsSandy(after); }

}  // namespace morvik

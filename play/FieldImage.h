#pragma once
// The field's persistent terrain image: tiles painted cell by cell, foam along water edges
// and sand rims along sandy edges. Painted in full once per stage, then repaired locally.
#include <QImage>

#include "core/Board.h"
#include "platform/PictureStore.h"

namespace morvik {

class FieldImage {
 public:
  explicit FieldImage(const PictureStore& pictures);

  const QImage& Image() const { return image_; }

  void PaintTile(int x, int y, int picture);
  // Every tile of the board, then the shore pass over the whole field.
  void PaintAll(const Board& b);
  // Shore pass over the n × n square from (x0, y0); cells off the field are skipped.
  void DrawShores(const Board& b, int x0, int y0, int n);
  // Edge side 1 left, 2 top, 3 right, 4 bottom; class 0 foam, 1 sand rim.
  void PutShore(int x, int y, int side, int shoreClass);
  // After cell (x, y) was repainted: the cells around it lose the foam and rims drawn towards
  // its old terrain, and every edge of the square is drawn again.
  void RenewShores(const Board& b, int x, int y);

 private:
  const PictureStore& pictures_;
  QImage image_;
};

// Whether a cell changing from `before` to `after` changes the edges drawn around it.
bool ShoresChange(CellCode before, CellCode after);

}  // namespace morvik

#include "editor/EditWidgets.h"

#include "core/Board.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/PictureStore.h"

namespace morvik {

namespace {
constexpr int kCell = 32;
constexpr int kBorder = 1;  // the grid's frame, outside its cells
const QColor kGridFrame(96, 72, 48);
const QColor kChosenFrame(214, 64, 32);
const QColor kTileGround(236, 229, 206);
}  // namespace

EditGrid::EditGrid(const EditModel& model, const PictureStore& pictures, QWidget* parent)
    : QWidget(parent), model_(model), pictures_(pictures) {
  setFixedSize(10 * kCell + 2 * kBorder, 10 * kCell + 2 * kBorder);
  setMouseTracking(true);
  setAcceptDrops(false);  // dropped files go to the window
}

QPoint EditGrid::CellOrigin(int cell) { return QPoint(cell / 10 * kCell, cell % 10 * kCell); }

int EditGrid::CellAt(QPoint p) {
  const int x = (p.x() - kBorder) / kCell, y = (p.y() - kBorder) / kCell;
  if (p.x() < kBorder || p.y() < kBorder || x > 9 || y > 9) return -1;
  return 10 * x + y;
}

QImage EditGrid::Render() const {
  QImage img(10 * kCell, 10 * kCell, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::black);
  QPainter p(&img);
  const StageSheet& s = instead_ ? *instead_ : model_.Stage();
  for (int n = 0; n < CellCount; ++n) {
    const QPoint at = CellOrigin(n);
    p.drawImage(at, pictures_.Elm(s.terrain[n]));
    if (s.pieces[n] != Piece::None) p.drawImage(at, pictures_.Elm(static_cast<int>(s.pieces[n])));
  }
  return img;
}

void EditGrid::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), kGridFrame);
  p.drawImage(kBorder, kBorder, Render());
  // Faint cell borders, so that a click can be aimed; they are not part of the stage picture.
  p.setPen(QColor(0, 0, 0, 22));
  for (int i = 1; i < 10; ++i) {
    p.drawLine(kBorder + i * kCell, kBorder, kBorder + i * kCell, kBorder + 10 * kCell - 1);
    p.drawLine(kBorder, kBorder + i * kCell, kBorder + 10 * kCell - 1, kBorder + i * kCell);
  }
  // A decoy: a dashed ring round the object, in the colour of a warning.
  p.setPen(QPen(QColor(214, 64, 32), 2, Qt::DashLine));
  for (int n : decoys_) p.drawEllipse(QRect(CellOrigin(n) + QPoint(kBorder + 2, kBorder + 2), QSize(kCell - 4, kCell - 4)));
  if (hover_ >= 0) {
    // The cell the mouse points at, so that the player sees where a click goes.
    const QRect r(CellOrigin(hover_) + QPoint(kBorder, kBorder), QSize(kCell, kCell));
    p.setPen(QPen(QColor(255, 255, 255, 200), 1));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.setPen(QPen(QColor(0, 0, 0, 110), 1));
    p.drawRect(r.adjusted(1, 1, -2, -2));
  }
}

void EditGrid::ShowInstead(const StageSheet* sheet) {
  instead_ = sheet;
  update();
}

void EditGrid::MarkDecoys(std::vector<int> cells) {
  decoys_ = std::move(cells);
  update();
}

void EditGrid::mousePressEvent(QMouseEvent* e) {
  const int cell = CellAt(e->position().toPoint());
  if (cell >= 0 && pressed) pressed(cell, e->button(), e->modifiers());
  update();
}

void EditGrid::mouseMoveEvent(QMouseEvent* e) {
  const int cell = CellAt(e->position().toPoint());
  if (cell != hover_) {
    hover_ = cell;
    update();
  }
}

void EditGrid::leaveEvent(QEvent*) {
  hover_ = -1;
  update();
}

PaletteTile::PaletteTile(int index, const PictureStore& pictures, QWidget* parent)
    : QWidget(parent), index_(index), pictures_(pictures) {
  setFixedSize(Size, Size);
  setCursor(Qt::PointingHandCursor);
}

void PaletteTile::SetChosen(bool chosen) {
  if (chosen == chosen_) return;
  chosen_ = chosen;
  update();
}

QImage EraserPicture() {
  QImage image(CellPixels, CellPixels, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(150, 120, 96), 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(9, 9), QPointF(23, 23));
  p.drawLine(QPointF(23, 9), QPointF(9, 23));
  return image;
}

void PaletteTile::paintEvent(QPaintEvent*) {
  QPainter p(this);
  // Character pictures are figures on transparency: they stand on a plain ground here.
  p.fillRect(rect().adjusted(2, 2, -2, -2), kTileGround);
  p.drawImage(2, 2, index_ == static_cast<int>(Piece::None) ? EraserPicture() : pictures_.Elm(index_));
  if (chosen_) {
    p.setPen(QPen(kChosenFrame, 2));
    p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
  }
}

void PaletteTile::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton && clicked) clicked(index_);
}

}  // namespace morvik

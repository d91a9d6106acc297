#pragma once
// The editor's drawing widgets: the 10 × 10 grid, drawn cell by cell from the editor's
// stage, and one palette picture that can be chosen.
#include <QImage>
#include <QWidget>
#include <functional>
#include <vector>

#include "editor/EditModel.h"

namespace morvik {

class PictureStore;

class EditGrid final : public QWidget {
 public:
  EditGrid(const EditModel& model, const PictureStore& pictures, QWidget* parent);

  // A button pressed on cell 10 x + y, with the modifiers held.
  std::function<void(int cell, Qt::MouseButton, Qt::KeyboardModifiers)> pressed;

  // The 320 × 320 picture of the grid: every cell's terrain with its character drawn over it.
  QImage Render() const;
  // The cell under a point of the widget, or -1.
  static int CellAt(QPoint p);
  static QPoint CellOrigin(int cell);

  // A board of a playback shown in place of the drawing (null: the drawing again).
  void ShowInstead(const StageSheet* sheet);
  // Cells marked as decoys: objects no shortest clear needs.
  void MarkDecoys(std::vector<int> cells);
  const std::vector<int>& DecoyMarks() const { return decoys_; }

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void leaveEvent(QEvent*) override;

 private:
  const EditModel& model_;
  const PictureStore& pictures_;
  int hover_ = -1;
  const StageSheet* instead_ = nullptr;
  std::vector<int> decoys_;
};

// The eraser's picture: its own picture is empty, so a light cross on transparency tells what
// it does, on the palette and in the chosen-tool box alike.
QImage EraserPicture();

// A palette picture: a tile of the store, framed when it is the chosen one.
class PaletteTile final : public QWidget {
 public:
  PaletteTile(int index, const PictureStore& pictures, QWidget* parent);
  int Index() const { return index_; }
  void SetChosen(bool chosen);
  bool Chosen() const { return chosen_; }
  std::function<void(int index)> clicked;

  static constexpr int Size = 36;  // the picture and a two-pixel frame round it

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;

 private:
  int index_;
  const PictureStore& pictures_;
  bool chosen_ = false;
};

}  // namespace morvik

#include "editor/EditModel.h"

#include "core/Translate.h"

namespace morvik {

std::vector<PaletteSlot> TerrainPalette() {
  std::vector<PaletteSlot> slots;
  for (int i = 0; i < 7; ++i)
    for (int j = 0; j < 5; ++j) {
      const std::string_view c = TerrainPaletteOrder.substr(10 * i + 2 * j, 2);
      if (c == "00") break;
      slots.push_back({static_cast<CellCode>(ParseCellCode(c)), i, j});
    }
  return slots;
}

int PieceLimit(Piece p) {
  switch (p) {
    case Piece::Yellow:
    case Piece::Red: return 15;
    case Piece::Stone:
    case Piece::PX: return 30;
    default: return 0;
  }
}

void EditModel::Initialize() {
  const int first = stage_.firstFlower, music = stage_.music;
  stage_ = StageSheet{};
  stage_.firstFlower = first;
  stage_.music = music;
  selTerrain_ = cell::Mountain;
  selChara_ = Piece::Stone;
  manyYF_ = manyRF_ = manyST_ = manyPX_ = 0;
  heroPos_ = NoCell;
  modified_ = false;
  history_.Clear();
}

void EditModel::Adopt(const StageSheet& stage) {
  Take(stage);
  modified_ = false;
  history_.Clear();
}

void EditModel::Take(const StageSheet& stage) {
  stage_ = stage;
  manyYF_ = manyRF_ = manyST_ = manyPX_ = 0;
  heroPos_ = NoCell;
  for (int n = 0; n < CellCount; ++n) {
    if (stage_.pieces[n] == Piece::Hero) {
      // A second start position cannot stand: the first one in cell order is kept.
      if (heroPos_ != NoCell) stage_.pieces[n] = Piece::None;
      else heroPos_ = n;
    } else if (int* counter = Counter(stage_.pieces[n])) {
      ++*counter;
    }
  }
}

void EditModel::Edited(const StageSheet& before) {
  if (!(before == stage_)) history_.Record(before);
}

bool EditModel::Undo() {
  const auto back = history_.Undo(stage_);
  if (!back) return false;
  Take(*back);
  modified_ = true;
  return true;
}

bool EditModel::Redo() {
  const auto forward = history_.Redo(stage_);
  if (!forward) return false;
  Take(*forward);
  modified_ = true;
  return true;
}

int* EditModel::Counter(Piece p) {
  switch (p) {
    case Piece::Yellow: return &manyYF_;
    case Piece::Red: return &manyRF_;
    case Piece::Stone: return &manyST_;
    case Piece::PX: return &manyPX_;
    default: return nullptr;
  }
}

int EditModel::Count(Piece p) const {
  switch (p) {
    case Piece::Yellow: return manyYF_;
    case Piece::Red: return manyRF_;
    case Piece::Stone: return manyST_;
    case Piece::PX: return manyPX_;
    default: return 0;
  }
}

void EditModel::PaletteClick(int index) {
  for (Piece p : CharaPalette)
    if (static_cast<int>(p) == index) {
      selChara_ = p;
      return;
    }
  if (IsTerrainCode(index)) selTerrain_ = static_cast<CellCode>(index);
}

bool EditModel::CheckLimit() const {
  const int limit = PieceLimit(selChara_);
  return limit > 0 && Count(selChara_) >= limit;
}

EditModel::PressResult EditModel::MouseDown(int cell, MouseButton button, int shift) {
  const StageSheet before = stage_;
  const PressResult r = ApplyMouse(cell, button, shift);
  Edited(before);
  return r;
}

EditModel::PressResult EditModel::ApplyMouse(int cell, MouseButton button, int shift) {
  PressResult r;
  if (cell < 0 || cell >= CellCount) return r;
  modified_ = true;
  if (shift == ShiftBit) {
    if (button == MouseButton::Left) {
      // Fill: the characters, the counters and the start position stay as they are.
      stage_.terrain.fill(selTerrain_);
      r.filled = true;
    } else if (button == MouseButton::Right) {
      r.beep = true;
    }
    return r;
  }
  if (button == MouseButton::Left) {
    stage_.terrain[cell] = selTerrain_;
  } else if (button == MouseButton::Right) {
    if (CheckLimit()) {
      r.beep = true;
      return r;
    }
    // The character on the cell is taken away from the counts before the tool's is put.
    const Piece old = stage_.pieces[cell];
    if (old == Piece::Hero) heroPos_ = NoCell;
    else if (int* counter = Counter(old)) --*counter;
    PutChara(cell);
  }
  return r;
}

void EditModel::PutChara(int cell) {
  if (selChara_ == Piece::Hero && heroPos_ < CellCount) stage_.pieces[heroPos_] = Piece::None;
  if (selChara_ == Piece::Hero) heroPos_ = cell;
  else if (int* counter = Counter(selChara_)) ++*counter;
  stage_.pieces[cell] = selChara_;
}

void EditModel::SetFirstFlower(int colour) {
  const StageSheet before = stage_;
  stage_.firstFlower = colour == 0 ? 0 : 1;
  Edited(before);
  modified_ = true;
}

void EditModel::SetMusic(int music) {
  const StageSheet before = stage_;
  stage_.music = music;
  Edited(before);
  modified_ = true;
}

std::string EditModel::Caption(std::string_view path) const {
  std::string caption = translate("EditModel", "モルビクステージエディタ ");
  if (!path.empty()) caption += "[" + std::string(path) + "]";
  if (modified_) caption += translate("EditModel", " (更新あり)");
  return caption;
}

}  // namespace morvik

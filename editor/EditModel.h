#pragma once
// The stage editor's own copy of a stage and the rules of its editing surface: the grid
// with its mouse rules, the two palettes, the counters and their limits, the modified flag
// and the window caption. Pure: the window draws from it and asks it what each press does.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "editor/EditHistory.h"
#include "stagedata/StageWriter.h"

namespace morvik {

// A terrain picture of the palette and its place: column and row of 32-pixel cells.
struct PaletteSlot {
  CellCode code;
  int column, row;
};
// The palette order string: 7 columns of 5 codes, read column after column; "00" ends a column.
inline constexpr std::string_view TerrainPaletteOrder =
    "2030341325223135142621623639575260613856372853505132332963645800000000";
// The 31 terrain codes the editor places, where the palette shows them.
std::vector<PaletteSlot> TerrainPalette();
// The character tools in palette order: hero, yellow and red flower, stone, PX piece, eraser.
inline constexpr std::array<Piece, 6> CharaPalette = {Piece::Hero, Piece::Yellow, Piece::Red,
                                                      Piece::Stone, Piece::PX, Piece::None};

// How many of a kind a stage may hold (0 for the hero and the eraser, which have no limit).
int PieceLimit(Piece p);

enum class MouseButton { Left, Right, Other };
// Modifier bits of a press: 1 Shift, 2 Ctrl, 4 Alt.
inline constexpr int ShiftBit = 1, CtrlBit = 2, AltBit = 4;

class EditModel {
 public:
  EditModel() { Initialize(); }

  // The empty stage: light ground everywhere, no characters, no start position, the wall
  // and the stone selected, nothing modified. First flower and music keep their values.
  void Initialize();
  // Takes a stage that was read; counters and start position follow from its cells, and it
  // counts as unchanged.
  void Adopt(const StageSheet& stage);

  // A palette picture was clicked: a character tool or a terrain.
  void PaletteClick(int index);

  struct PressResult {
    bool beep = false;    // refused: a kind at its limit, or Shift with the right button
    bool filled = false;  // the whole grid was filled (the window shows the busy pointer)
  };
  // A mouse button pressed on a grid cell. Every press marks the stage modified.
  PressResult MouseDown(int cell, MouseButton button, int shift);
  // True (refused) when the character tool's kind has reached its limit.
  bool CheckLimit() const;

  // The first-flower choice and the music number, as the player sets them: both mark the
  // stage modified.
  void SetFirstFlower(int colour);
  void SetMusic(int music);

  // Undo and redo of the drawing: false when there is nothing to take back or bring back.
  // Either marks the stage modified; the tools chosen stay.
  bool Undo();
  bool Redo();
  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }

  void Renewal(bool modified) { modified_ = modified; }
  // "モルビクステージエディタ " with "[path]" when there is a file and " (更新あり)" when
  // modified.
  std::string Caption(std::string_view path) const;

  const StageSheet& Stage() const { return stage_; }
  int HeroPos() const { return heroPos_; }
  // ManyYF, ManyRF, ManyST, ManyPX by kind.
  int Count(Piece p) const;
  CellCode SelTerrain() const { return selTerrain_; }
  Piece SelChara() const { return selChara_; }
  bool Modified() const { return modified_; }

 private:
  PressResult ApplyMouse(int cell, MouseButton button, int shift);
  void PutChara(int cell);
  // The stage's cells and settings; the counters and start position follow from the cells.
  void Take(const StageSheet& stage);
  // Records the edit that turned `before` into the stage now, if it changed anything.
  void Edited(const StageSheet& before);
  int* Counter(Piece p);

  StageSheet stage_;
  int heroPos_ = NoCell;
  int manyYF_ = 0, manyRF_ = 0, manyST_ = 0, manyPX_ = 0;
  CellCode selTerrain_ = cell::Mountain;
  Piece selChara_ = Piece::Stone;
  bool modified_ = false;
  EditHistory history_;
};

}  // namespace morvik

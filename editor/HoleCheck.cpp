#include "editor/HoleCheck.h"

#include "core/Translate.h"
#include "stagedata/StageReader.h"

namespace morvik {

namespace {
const char* PieceName(Piece p) {
  switch (p) {
    case Piece::Hero: return QT_TRANSLATE_NOOP("StageReader", "主人公");
    case Piece::Yellow: return QT_TRANSLATE_NOOP("StageReader", "黄色の花");
    case Piece::Red: return QT_TRANSLATE_NOOP("StageReader", "赤い花");
    case Piece::Stone: return QT_TRANSLATE_NOOP("StageReader", "石");
    case Piece::PX: return QT_TRANSLATE_NOOP("StageReader", "PX");
    default: return nullptr;
  }
}
}  // namespace

std::string CharaOnHoleMessage(const StageSheet& stage) {
  for (int cell = 0; cell < CellCount; ++cell) {
    const char* name = PieceName(stage.pieces[cell]);
    if (name && IsHole(stage.terrain[cell])) return CharaOnHoleText(translate("StageReader", name), cell / 10, cell % 10);
  }
  return {};
}

}  // namespace morvik

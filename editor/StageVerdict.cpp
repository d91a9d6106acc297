#include "editor/StageVerdict.h"

#include <algorithm>
#include <variant>

#include "core/Translate.h"
#include "editor/HoleCheck.h"
#include "stagedata/StageReader.h"
#include "stagedata/TextLines.h"

namespace morvik {

namespace {

// The solver's reasons for ruling a clear out without searching, as the designer reads them.
std::string ReasonInJapanese(const std::string& reason) {
  if (reason == "no flower and no PX piece to take") return translate("StageVerdict", "花もPXもありません");
  if (reason == "the flowers cannot be taken alternately") return translate("StageVerdict", "黄色と赤の花を交互にとれない数です");
  if (reason == "a flower can never be reached") return translate("StageVerdict", "主人公が届かない花があります");
  if (reason == "a PX piece can never reach a hole") return translate("StageVerdict", "穴まで運べないPXがあります");
  if (reason == "a flower or PX piece can never be taken") return translate("StageVerdict", "とれない花かPXがあります");
  return translate("StageVerdict", "どう動いてもクリアできません");
}

}  // namespace

VerdictStart PrepareVerdict(const StageSheet& stage) {
  VerdictStart v;
  if (std::find(stage.pieces.begin(), stage.pieces.end(), Piece::Hero) == stage.pieces.end()) {
    v.refusal = translate("StageVerdict", "主人公の初期位置がありません");
    return v;
  }
  v.refusal = CharaOnHoleMessage(stage);
  if (!v.refusal.empty()) return v;
  const std::string text = WriteStageBlock(stage, 0);
  v.block = SplitLines(text);
  const StageResult r = ReadStage(v.block, StageRequest{0, false, true});
  if (const auto* e = std::get_if<StageError>(&r)) {
    v.refusal = e->reason;
    return v;
  }
  v.board = std::get<LoadedStage>(r).board;
  return v;
}

std::string VerdictText(const SolveResult& r) {
  switch (r.verdict) {
    case Verdict::Solved: return Format(translate("StageVerdict", "クリアできます：最短 %1 手"), {std::to_string(r.presses.size())});
    case Verdict::Unsolvable: return RefusedText(ReasonInJapanese(r.reason));
    default: return translate("StageVerdict", "わかりません（上限）");
  }
}

std::string RefusedText(const std::string& reason) { return Format(translate("StageVerdict", "クリアできません（理由：%1）"), {reason}); }

std::string SearchingText(std::uint64_t states) { return Format(translate("StageVerdict", "調べています… %1 状態"), {std::to_string(states)}); }

SolverOptions EditorBudget() {
  SolverOptions o;
  o.maxSeconds = 10;
  o.maxMemoryBytes = std::size_t{256} << 20;
  return o;
}

}  // namespace morvik

#include "tools/cli/PictureCommand.h"

#include <algorithm>
#include <ostream>

#include "stagedata/StagePicture.h"
#include "stagedata/StageReader.h"
#include "tools/cli/FileText.h"

namespace morvik {

namespace {

bool StageNumber(const std::string& text, int& n) {
  if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  n = std::stoi(text);
  return true;
}

std::string Title(int n) { return (n < 10 ? "@0" : "@") + std::to_string(n); }

}  // namespace

int ShowMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  int only = -1;
  if (args.size() < 2 || args.size() > 3 || (args.size() == 3 && !StageNumber(args[2], only))) {
    err << "usage: morvik-cli show MAPFILE [N]   (N: a stage number 0 to 99)\n";
    return 2;
  }
  std::string text, why;
  if (!ReadFileText(args[1], text, &why)) {
    err << "morvik-cli: " << args[1] << ": " << why << "\n";
    return 2;
  }
  bool shown = false;
  for (int n = 0; n < 100; ++n) {
    if ((only >= 0 && n != only) || (only < 0 && !HoldsStage(text, n))) continue;
    const StageResult r = ReadStage(std::string_view(text), {n, false, false});
    if (const auto* e = std::get_if<StageError>(&r)) {
      err << "morvik-cli: stage " << n << ": " << StageErrorMessage(*e, args[1]) << "\n";
      return 2;
    }
    const LoadedStage& stage = std::get<LoadedStage>(r);
    if (shown) out << "\n";
    out << WritePicture(SheetOfBoard(stage.board, stage.music), Title(n));
    shown = true;
  }
  if (!shown) {
    err << "morvik-cli: " << args[1] << ": no stage block\n";
    return 2;
  }
  return 0;
}

int BlockMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  int n = 0;
  if (args.size() != 3 || !StageNumber(args[2], n)) {
    err << "usage: morvik-cli block PICTUREFILE N   (N: a stage number 0 to 99)\n";
    return 2;
  }
  std::string text, why;
  if (!ReadFileText(args[1], text, &why)) {
    err << "morvik-cli: " << args[1] << ": " << why << "\n";
    return 2;
  }
  const PictureResult picture = ReadPicture(text);
  if (const auto* e = std::get_if<PictureError>(&picture)) {
    err << "morvik-cli: " << args[1] << ": " << PictureErrorText(*e) << "\n";
    return 2;
  }
  const StageSheet& sheet = std::get<StageSheet>(picture);
  // The reader takes a block without a hero; a stage to play needs one.
  if (std::find(sheet.pieces.begin(), sheet.pieces.end(), Piece::Hero) == sheet.pieces.end()) {
    err << "morvik-cli: " << args[1] << ": no hero ('@')\n";
    return 2;
  }
  const std::string block = WriteStageBlock(sheet, n);
  const StageResult r = ReadStage(std::string_view(block), {n, true, false});
  if (const auto* e = std::get_if<StageError>(&r)) {
    err << "morvik-cli: " << args[1] << ": the stage reader refuses the block: " << e->reason << "\n";
    return 2;
  }
  out << block;
  return 0;
}

int LegendMain(std::ostream& out) {
  out << PictureLegend();
  return 0;
}

}  // namespace morvik

#include "editor/EditStageReader.h"

#include <vector>

#include "core/Translate.h"
#include "editor/EditModel.h"
#include "stagedata/StageReader.h"
#include "stagedata/TextLines.h"

namespace morvik {

namespace {

constexpr int kLinesNeeded = 20;  // header to music line; the closer is never read

class BlockReader {
 public:
  BlockReader(const std::vector<std::string>& lines, int header) : lines_(lines), header_(header) {}

  EditLoadResult Read() {
    StageSheet s;
    for (int y = 0; y < 10; ++y) {
      const std::string_view row = Line(2 + y);
      if (row.size() != 20)
        return Fail(2 + y, Format(translate("StageReader", "地形の%1行目が20文字ではありません（%2文字）。"),
                                  {std::to_string(y + 1), std::to_string(row.size())}));
      for (int x = 0; x < 10; ++x) {
        const int code = ParseCellCode(row.substr(2 * x, 2));
        if (!IsTerrainCode(code))
          return Fail(2 + y, Format(translate("StageReader", "地形の%1行目の%2列目に知らないマスのコード「%3」があります。"),
                                    {std::to_string(y + 1), std::to_string(x + 1), PrintableText(row.substr(2 * x, 2))}));
        s.terrain[10 * x + y] = static_cast<CellCode>(code);
      }
    }
    // Line 12 is free text.
    if (Line(13) != "*") {
      const std::string_view hero = Line(13);
      if (hero.size() != 2 || !IsDigit(hero[0]) || !IsDigit(hero[1]))
        return Fail(13, translate("StageReader", "主人公の位置は2桁の数字1つか「*」でなければなりません。"));
      s.pieces[Cell(hero, 0)] = Piece::Hero;
    }
    struct List {
      int line;
      Piece piece;
      const char* name;
    };
    for (const List& l : {List{14, Piece::Stone, QT_TRANSLATE_NOOP("StageReader", "石")},
                          List{15, Piece::Yellow, QT_TRANSLATE_NOOP("StageReader", "黄色の花")},
                          List{16, Piece::Red, QT_TRANSLATE_NOOP("StageReader", "赤い花")},
                          List{17, Piece::PX, QT_TRANSLATE_NOOP("StageReader", "PX")}}) {
      const std::string_view t = Line(l.line);
      const std::string name = translate("StageReader", l.name);
      if (t == "*") continue;
      if (t.empty() || t.size() % 2 != 0) return Fail(l.line, Format(translate("StageReader", "%1の位置の並びが2桁ずつになっていません。"), {name}));
      const int count = static_cast<int>(t.size() / 2);
      if (count > PieceLimit(l.piece))
        return Fail(l.line, Format(translate("StageReader", "%1が多すぎます（%2個。最大%3個まで）。"),
                                   {name, std::to_string(count), std::to_string(PieceLimit(l.piece))}));
      for (int k = 0; k < count; ++k) {
        if (!IsDigit(t[2 * k]) || !IsDigit(t[2 * k + 1])) return Fail(l.line, Format(translate("StageReader", "%1の位置に数字でない文字があります。"), {name}));
        const int cell = Cell(t, 2 * k);
        // A cell of the editor holds one character: a later list must not hide an earlier one.
        if (s.pieces[cell] != Piece::None)
          return Fail(l.line, Format(translate("EditStageReader", "%1の位置 %2 には、ほかのキャラクタが置かれています。"), {name, PosCode(cell)}));
        s.pieces[cell] = l.piece;
      }
    }
    // Line 18, the empty holes, is not read: the writer derives it from the terrain.
    const std::string_view first = Line(19);
    if (first != "0" && first != "1") return Fail(19, translate("EditStageReader", "最初にとる花の色は「0」（黄色）か「1」（赤）でなければなりません。"));
    s.firstFlower = first[0] - '0';
    const std::string_view music = Line(20);
    if (music.size() != 1 || music[0] < '0' || music[0] > '6') return Fail(20, translate("EditStageReader", "BGMの番号は0から6まででなければなりません。"));
    s.music = music[0] - '0';
    return s;
  }

 private:
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
  // The cell number of the position at characters i and i + 1: 10 x column + row.
  static int Cell(std::string_view t, std::size_t i) { return 10 * (t[i] - '0') + (t[i + 1] - '0'); }
  // Line k of the block (1 = header), without trailing blanks; header_ is its line in the file.
  std::string_view Line(int k) const { return TrimRight(lines_[static_cast<std::size_t>(k - 1)]); }
  EditLoadError Fail(int k, std::string reason) const {
    return EditLoadError{EditLoadError::Kind::Malformed, header_ + k - 1, std::move(reason)};
  }

  const std::vector<std::string>& lines_;
  int header_;
};

}  // namespace

EditLoadResult ReadEditStage(const NextLine& next, int stageNo) {
  std::vector<std::string> lines;  // the header and the lines after it, up to the music line
  std::string line;
  int lineNo = 0, header = 0;
  while (static_cast<int>(lines.size()) < kLinesNeeded && next(line)) {
    ++lineNo;
    CleanLine(line, lineNo == 1);
    if (const auto fault = TextFault(line, lineNo == 1)) return EditLoadError{EditLoadError::Kind::Malformed, lineNo, *fault};
    if (lines.empty()) {
      if (!IsBlockOpener(line, stageNo)) continue;
      header = lineNo;
    }
    lines.push_back(std::move(line));
  }
  if (static_cast<int>(lines.size()) < kLinesNeeded) return EditLoadError{};
  return BlockReader(lines, header).Read();
}

EditLoadResult ReadEditStage(std::string_view fileText, int stageNo) { return ReadEditStage(LinesOf(fileText), stageNo); }

EditLoadMessage LoadFailureMessage(const EditLoadError& e, std::string_view fileName) {
  if (e.kind == EditLoadError::Kind::EndOfFile)
    return {translate("EditStageReader", "データのロードに失敗しました。\n強制終了します。"), translate("EditStageReader", "致命的なエラー")};
  return {Format(translate("EditStageReader", "データのロードに失敗しました。\nファイル: %1\n%2行目: %3"),
                 {fileName, std::to_string(e.line), e.reason}),
          translate("EditStageReader", "エラー")};
}

}  // namespace morvik

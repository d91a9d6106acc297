#include "editor/EditStageReader.h"

#include <vector>

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
        return Fail(2 + y, "地形の" + std::to_string(y + 1) + "行目が20文字ではありません（" + std::to_string(row.size()) + "文字）。");
      for (int x = 0; x < 10; ++x) {
        const int code = ParseCellCode(row.substr(2 * x, 2));
        if (!IsTerrainCode(code))
          return Fail(2 + y, "地形の" + std::to_string(y + 1) + "行目の" + std::to_string(x + 1) + "列目に知らないマスのコード「" +
                                 PrintableText(row.substr(2 * x, 2)) + "」があります。");
        s.terrain[10 * x + y] = static_cast<CellCode>(code);
      }
    }
    // Line 12 is free text.
    if (Line(13) != "*") {
      const std::string_view hero = Line(13);
      if (hero.size() != 2 || !IsDigit(hero[0]) || !IsDigit(hero[1]))
        return Fail(13, "主人公の位置は2桁の数字1つか「*」でなければなりません。");
      s.pieces[Cell(hero, 0)] = Piece::Hero;
    }
    struct List {
      int line;
      Piece piece;
      const char* name;
    };
    for (const List& l : {List{14, Piece::Stone, "石"}, List{15, Piece::Yellow, "黄色の花"},
                          List{16, Piece::Red, "赤い花"}, List{17, Piece::PX, "PX"}}) {
      const std::string_view t = Line(l.line);
      if (t == "*") continue;
      if (t.empty() || t.size() % 2 != 0) return Fail(l.line, std::string(l.name) + "の位置の並びが2桁ずつになっていません。");
      const int count = static_cast<int>(t.size() / 2);
      if (count > PieceLimit(l.piece))
        return Fail(l.line, std::string(l.name) + "が多すぎます（" + std::to_string(count) + "個。最大" +
                                std::to_string(PieceLimit(l.piece)) + "個まで）。");
      for (int k = 0; k < count; ++k) {
        if (!IsDigit(t[2 * k]) || !IsDigit(t[2 * k + 1])) return Fail(l.line, std::string(l.name) + "の位置に数字でない文字があります。");
        const int cell = Cell(t, 2 * k);
        // A cell of the editor holds one character: a later list must not hide an earlier one.
        if (s.pieces[cell] != Piece::None)
          return Fail(l.line, std::string(l.name) + "の位置 " + PosCode(cell) + " には、ほかのキャラクタが置かれています。");
        s.pieces[cell] = l.piece;
      }
    }
    // Line 18, the empty holes, is not read: the writer derives it from the terrain.
    const std::string_view first = Line(19);
    if (first != "0" && first != "1") return Fail(19, "最初にとる花の色は「0」（黄色）か「1」（赤）でなければなりません。");
    s.firstFlower = first[0] - '0';
    const std::string_view music = Line(20);
    if (music.size() != 1 || music[0] < '0' || music[0] > '6') return Fail(20, "BGMの番号は0から6まででなければなりません。");
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
  if (e.kind == EditLoadError::Kind::EndOfFile) return {"データのロードに失敗しました。\n強制終了します。", "致命的なエラー"};
  return {"データのロードに失敗しました。\nファイル: " + std::string(fileName) + "\n" + std::to_string(e.line) + "行目: " + e.reason,
          "エラー"};
}

}  // namespace morvik

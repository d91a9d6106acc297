#include "stagedata/StageReader.h"

#include <optional>

#include "core/Pictures.h"
#include "stagedata/TextLines.h"

namespace morvik {

namespace {

constexpr int BlockLinesRead = 20;  // opener to music line; the closer is never read

struct Position {
  int x, y;
};

class BlockParser {
 public:
  BlockParser(const std::vector<std::string>& lines, int opener) : lines_(lines), opener_(opener) {}

  StageResult Parse() {
    LoadedStage out;
    out.openerLine = opener_ + 1;
    Board& b = out.board;
    for (int y = 0; y < FieldSize; ++y)
      if (!ParseRow(y, b)) return error_;
    // Line 12 is free text that no reader uses.
    for (auto& c : b.chara) c = NoChara;

    const bool heroPlaced = TrimRight(Line(13)) != "*";
    if (!heroPlaced) {
      b.heroX = b.heroY = 0;
    } else {
      auto p = ParsePositions(13, "主人公の位置");
      if (!p) return error_;
      if (p->size() != 1) return Fail(13, "主人公の位置は2桁の数字1つか「*」でなければなりません。");
      b.heroX = static_cast<std::int16_t>((*p)[0].x);
      b.heroY = static_cast<std::int16_t>((*p)[0].y);
    }
    b.C(b.heroX, b.heroY) = HeroChara;

    struct ListLine {
      int line;
      CharaKind kind;
      const char* name;
      std::int16_t* count;
    } lists[] = {{14, CharaKind::Stone, "石", &b.stoneCount},
                 {15, CharaKind::Yellow, "黄色の花", &b.yFlowerCount},
                 {16, CharaKind::Red, "赤い花", &b.rFlowerCount},
                 {17, CharaKind::PX, "PX", &b.pxCount},
                 {18, CharaKind::EmptyHole, "穴", nullptr}};
    for (const ListLine& l : lists) {
      auto p = ParsePositions(l.line, l.name);
      if (!p) return error_;
      if (l.count) {
        const int limit = PoolSize(PoolOf(l.kind));
        if (static_cast<int>(p->size()) > limit)
          return Fail(l.line, std::string(l.name) + "が多すぎます（" + std::to_string(p->size()) + "個。最大" +
                                  std::to_string(limit) + "個まで）。");
        *l.count = static_cast<std::int16_t>(p->size());
      }
      for (std::size_t k = 0; k < p->size(); ++k) {
        const Chara c = l.kind == CharaKind::EmptyHole ? HoleMark : MakeChara(l.kind, static_cast<int>(k));
        // Without a hero line the hero merely defaults to the corner, and a later line may take it.
        if (heroPlaced && (*p)[k].x == b.heroX && (*p)[k].y == b.heroY)
          return Fail(l.line, std::string(l.name) + "が主人公と同じマスに置かれています。");
        b.C((*p)[k].x, (*p)[k].y) = c;
      }
    }

    const std::string_view first = TrimRight(Line(19));
    if (first != "0" && first != "1") return Fail(19, "最初に取る花の色は「0」（黄色）か「1」（赤）でなければなりません。");
    b.firstFlower = static_cast<std::int16_t>(first[0] - '0');

    const std::string_view music = TrimRight(Line(20));
    if (music.empty() || music.size() > 3 || music.find_first_not_of("0123456789") != std::string_view::npos)
      return Fail(20, "音楽の番号が数字ではありません。");
    out.music = LenientNumber(music);

    b.ResetAttempt();
    out.nextPicture = b.yFlowerCount + b.rFlowerCount != 0 ? pic::NextFlower(b.firstFlower) : pic::Empty;
    return out;
  }

 private:
  // Line k of the block (1 = opener).
  std::string_view Line(int k) const { return lines_[opener_ + k - 1]; }
  int FileLine(int k) const { return opener_ + k; }

  StageError Fail(int k, std::string reason) {
    error_ = StageError{StageError::Kind::Malformed, FileLine(k), std::move(reason)};
    return error_;
  }

  bool ParseRow(int y, Board& b) {
    const std::string_view row = TrimRight(Line(2 + y));
    if (row.size() != 2 * FieldSize) {
      Fail(2 + y, "地形の" + std::to_string(y) + "行目が20文字ではありません（" + std::to_string(row.size()) + "文字）。");
      return false;
    }
    for (int x = 0; x < FieldSize; ++x) {
      const int v = ParseCellCode(row.substr(2 * x, 2));
      if (!IsTerrainCode(v)) {
        Fail(2 + y, "地形の" + std::to_string(y) + "行目の" + std::to_string(x) + "列目に知らないマスのコード「" +
                        std::string(row.substr(2 * x, 2)) + "」があります。");
        return false;
      }
      b.T(x, y) = static_cast<CellCode>(v);
    }
    return true;
  }

  std::optional<std::vector<Position>> ParsePositions(int k, const std::string& name) {
    const std::string_view t = TrimRight(Line(k));
    std::vector<Position> out;
    if (t == "*") return out;
    if (t.empty() || t.size() % 2 != 0) {
      Fail(k, name + "の位置の並びが2桁ずつになっていません。");
      return std::nullopt;
    }
    for (std::size_t i = 0; i < t.size(); i += 2) {
      if (t[i] < '0' || t[i] > '9' || t[i + 1] < '0' || t[i + 1] > '9') {
        Fail(k, name + "の位置に数字でない文字があります。");
        return std::nullopt;
      }
      out.push_back({t[i] - '0', t[i + 1] - '0'});
    }
    return out;
  }

  const std::vector<std::string>& lines_;
  int opener_;
  StageError error_;
};

}  // namespace

StageResult ReadStage(const std::vector<std::string>& lines, const StageRequest& request) {
  const int n = request.testPlay ? 0 : request.stageNo;
  // The opener must not be the last line: a block needs lines after it.
  int opener = -1;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    if (request.unitPlay || IsBlockOpener(lines[i], n)) {
      opener = static_cast<int>(i);
      break;
    }
  }
  if (opener < 0) return StageError{StageError::Kind::NotFound, 0, StageNotFoundText};
  const int available = static_cast<int>(lines.size()) - opener;
  if (available < BlockLinesRead)
    return StageError{StageError::Kind::Malformed, static_cast<int>(lines.size()),
                      "ステージの途中でファイルが終わっています（" + std::to_string(available) + "行しかありません。" +
                          std::to_string(BlockLinesRead) + "行必要です）。"};
  return BlockParser(lines, opener).Parse();
}

StageResult ReadStage(std::string_view fileText, const StageRequest& request) {
  return ReadStage(SplitLines(fileText), request);
}

bool HoldsStage(std::string_view fileText, int n) {
  const std::vector<std::string> lines = SplitLines(fileText);
  for (std::size_t i = 0; i + 1 < lines.size(); ++i)
    if (IsBlockOpener(lines[i], n)) return true;
  return false;
}

std::string StageErrorMessage(const StageError& e, std::string_view fileName) {
  if (e.kind == StageError::Kind::NotFound) return StageNotFoundText;
  std::string text = "ステージデータを読み込めません。\nファイル: " + std::string(fileName);
  if (e.line > 0) text += "\n" + std::to_string(e.line) + "行目: ";
  else text += "\n";
  return text + e.reason;
}

}  // namespace morvik

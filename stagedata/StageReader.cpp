#include "stagedata/StageReader.h"

#include <array>
#include <optional>

#include "core/Pictures.h"
#include "core/Translate.h"
#include "stagedata/TextLines.h"

namespace morvik {

namespace {

constexpr int BlockLinesRead = 20;  // opener to music line; the closer is never read

struct Position {
  int x, y;
};

class BlockParser {
 public:
  // block: the opener and the lines after it, at least BlockLinesRead of them.
  BlockParser(const std::vector<std::string>& block, int openerLine) : lines_(block), openerLine_(openerLine) {}

  StageResult Parse() {
    LoadedStage out;
    out.openerLine = openerLine_;
    Board& b = out.board;
    for (int y = 0; y < FieldSize; ++y)
      if (!ParseRow(y, b)) return error_;
    // Line 12 is free text that no reader uses.
    for (auto& c : b.chara) c = NoChara;

    // Without a hero line the hero stands in the top-left corner all the same.
    const std::string_view hero = TrimRight(Line(13));
    if (hero != "*") {
      if (hero.size() != 2 || !IsDigit(hero[0]) || !IsDigit(hero[1]))
        return Fail(13, translate("StageReader", "主人公の位置は2桁の数字1つか「*」でなければなりません。"));
      b.heroX = static_cast<std::int16_t>(hero[0] - '0');
      b.heroY = static_cast<std::int16_t>(hero[1] - '0');
    } else {
      b.heroX = b.heroY = 0;
    }
    b.C(b.heroX, b.heroY) = HeroChara;
    const std::string heroPlace =
        hero == "*" ? translate("StageReader", "（主人公の行が「*」なので主人公は左上の00のマスにいます）") : std::string();

    // The line that put the character on each cell, so that a second one is refused by name.
    std::array<int, FieldSize * FieldSize> placedBy{};
    std::array<const char*, FieldSize * FieldSize> placedName{};

    struct ListLine {
      int line;
      CharaKind kind;
      const char* name;
      std::int16_t* count;
    } lists[] = {{14, CharaKind::Stone, QT_TRANSLATE_NOOP("StageReader", "石"), &b.stoneCount},
                 {15, CharaKind::Yellow, QT_TRANSLATE_NOOP("StageReader", "黄色の花"), &b.yFlowerCount},
                 {16, CharaKind::Red, QT_TRANSLATE_NOOP("StageReader", "赤い花"), &b.rFlowerCount},
                 {17, CharaKind::PX, QT_TRANSLATE_NOOP("StageReader", "PX"), &b.pxCount},
                 {18, CharaKind::EmptyHole, QT_TRANSLATE_NOOP("StageReader", "穴"), nullptr}};
    for (const ListLine& l : lists) {
      const std::string name = translate("StageReader", l.name);
      auto p = ParsePositions(l.line, name);
      if (!p) return error_;
      if (l.count) {
        const int limit = PoolSize(PoolOf(l.kind));
        if (static_cast<int>(p->size()) > limit)
          return Fail(l.line, Format(translate("StageReader", "%1が多すぎます（%2個。最大%3個まで）。"),
                                     {name, std::to_string(p->size()), std::to_string(limit)}));
        *l.count = static_cast<std::int16_t>(p->size());
      }
      const bool hole = l.kind == CharaKind::EmptyHole;
      for (std::size_t k = 0; k < p->size(); ++k) {
        const Position at = (*p)[k];
        const std::string pos = std::to_string(at.x) + std::to_string(at.y);
        const int cell = at.y * FieldSize + at.x;
        // Every character counts towards the clear or the pictures: none may hide another.
        if (at.x == b.heroX && at.y == b.heroY) {
          if (hole) return Fail(13, CharaOnHoleText(translate("StageReader", "主人公"), at.x, at.y));
          return Fail(l.line, Format(translate("StageReader", "%1が主人公と同じマス（%2）に置かれています%3。"), {name, pos, heroPlace}));
        }
        if (placedBy[cell] != 0) {
          const std::string placed = translate("StageReader", placedName[cell]);
          if (hole) return Fail(placedBy[cell], CharaOnHoleText(placed, at.x, at.y));
          if (placedBy[cell] == l.line)
            return Fail(l.line, Format(translate("StageReader", "%1の位置 %2 が2度書かれています。"), {name, pos}));
          return Fail(l.line, Format(translate("StageReader", "%1の位置 %2 には、%3行目の%4が置かれています。"),
                                     {name, pos, std::to_string(FileLine(placedBy[cell])), placed}));
        }
        if (!hole) {
          placedBy[cell] = l.line;
          placedName[cell] = l.name;
        }
        b.C(at.x, at.y) = hole ? HoleMark : MakeChara(l.kind, static_cast<int>(k));
      }
    }

    const std::string_view first = TrimRight(Line(19));
    if (first != "0" && first != "1") return Fail(19, translate("StageReader", "最初に取る花の色は「0」（黄色）か「1」（赤）でなければなりません。"));
    b.firstFlower = static_cast<std::int16_t>(first[0] - '0');

    const std::string_view music = TrimRight(Line(20));
    if (music.empty() || music.size() > 3 || music.find_first_not_of("0123456789") != std::string_view::npos)
      return Fail(20, translate("StageReader", "音楽の番号が数字ではありません。"));
    out.music = LenientNumber(music);

    b.ResetAttempt();
    out.nextPicture = b.yFlowerCount + b.rFlowerCount != 0 ? pic::NextFlower(b.firstFlower) : pic::Empty;
    return out;
  }

 private:
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
  // Line k of the block (1 = opener).
  std::string_view Line(int k) const { return lines_[static_cast<std::size_t>(k - 1)]; }
  int FileLine(int k) const { return openerLine_ + k - 1; }

  StageError Fail(int k, std::string reason) {
    error_ = StageError{StageError::Kind::Malformed, FileLine(k), std::move(reason)};
    return error_;
  }

  bool ParseRow(int y, Board& b) {
    const std::string_view row = TrimRight(Line(2 + y));
    if (row.size() != 2 * FieldSize) {
      Fail(2 + y, Format(translate("StageReader", "地形の%1行目が20文字ではありません（%2文字）。"),
                         {std::to_string(y + 1), std::to_string(row.size())}));
      return false;
    }
    for (int x = 0; x < FieldSize; ++x) {
      const int v = ParseCellCode(row.substr(2 * x, 2));
      if (!IsTerrainCode(v)) {
        Fail(2 + y, Format(translate("StageReader", "地形の%1行目の%2列目に知らないマスのコード「%3」があります。"),
                           {std::to_string(y + 1), std::to_string(x + 1), PrintableText(row.substr(2 * x, 2))}));
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
      Fail(k, Format(translate("StageReader", "%1の位置の並びが2桁ずつになっていません。"), {name}));
      return std::nullopt;
    }
    for (std::size_t i = 0; i < t.size(); i += 2) {
      if (!IsDigit(t[i]) || !IsDigit(t[i + 1])) {
        Fail(k, Format(translate("StageReader", "%1の位置に数字でない文字があります。"), {name}));
        return std::nullopt;
      }
      out.push_back({t[i] - '0', t[i + 1] - '0'});
    }
    return out;
  }

  const std::vector<std::string>& lines_;
  int openerLine_;
  StageError error_;
};

}  // namespace

StageResult ReadStage(const NextLine& next, const StageRequest& request) {
  const int n = request.testPlay ? 0 : request.stageNo;
  std::vector<std::string> block;
  std::string line;
  int lineNo = 0, openerLine = 0;
  while (static_cast<int>(block.size()) < BlockLinesRead && next(line)) {
    ++lineNo;
    CleanLine(line, lineNo == 1);
    if (const auto fault = TextFault(line, lineNo == 1)) return StageError{StageError::Kind::Malformed, lineNo, *fault};
    if (block.empty()) {
      if (!request.unitPlay && !IsBlockOpener(line, n)) continue;
      openerLine = lineNo;
    }
    block.push_back(std::move(line));
  }
  // An opener on the last line is no block at all.
  if (block.size() <= 1) return StageError{StageError::Kind::NotFound, 0, StageNotFoundText()};
  if (static_cast<int>(block.size()) < BlockLinesRead)
    return StageError{StageError::Kind::Malformed, lineNo,
                      Format(translate("StageReader", "ステージの途中でファイルが終わっています（%1行しかありません。%2行必要です）。"),
                             {std::to_string(block.size()), std::to_string(BlockLinesRead)})};
  return BlockParser(block, openerLine).Parse();
}

StageResult ReadStage(const std::vector<std::string>& lines, const StageRequest& request) {
  std::size_t i = 0;
  return ReadStage(NextLine([&](std::string& line) {
                     if (i >= lines.size()) return false;
                     line = lines[i++];
                     return true;
                   }),
                   request);
}

StageResult ReadStage(std::string_view fileText, const StageRequest& request) {
  return ReadStage(LinesOf(fileText), request);
}

std::string CharaOnHoleText(std::string_view charaName, int x, int y) {
  return Format(translate("StageReader", "%1が穴のマス（%2）に置かれています。穴の上にキャラクタは置けません。"),
                {charaName, std::to_string(x) + std::to_string(y)});
}

bool HoldsStage(std::string_view fileText, int n) {
  // As ReadStage seeks: a byte-order mark is passed over, and an opener needs a line after it.
  const NextLine next = LinesOf(fileText);
  std::string line;
  bool opener = false;
  for (bool first = true; next(line); first = false) {
    if (opener) return true;
    CleanLine(line, first);
    opener = IsBlockOpener(line, n);
  }
  return false;
}

std::string PrintableText(std::string_view bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u < 0x7F) {
      out += c;
    } else {
      out += "\\x";
      out += kHex[u >> 4];
      out += kHex[u & 15];
    }
  }
  return out;
}

std::string StageErrorMessage(const StageError& e, std::string_view fileName) {
  if (e.kind == StageError::Kind::NotFound) return StageNotFoundText();
  std::string text = Format(translate("StageReader", "ステージデータを読み込めません。\nファイル: %1"), {fileName});
  if (e.line > 0) text += "\n" + Format(translate("StageReader", "%1行目: "), {std::to_string(e.line)});
  else text += "\n";
  return text + e.reason;
}

std::string StageNotFoundText() { return translate("StageReader", "データが見つかりません。");
}

}  // namespace morvik

#include "play/PressRecords.h"

#include <QFileInfo>
#include <QUrl>
#include <algorithm>
#include <variant>

#include "core/ModMain.h"
#include "core/StageHash.h"
#include "platform/SettingsFile.h"
#include "play/StageLoader.h"

namespace morvik {

namespace {

const QString kOldGroup = QStringLiteral("best");

QString Hex(std::uint64_t hash) { return QStringLiteral("%1").arg(hash, 16, 16, QLatin1Char('0')); }

// The start of stage n of a file's text (n 0: a stage-unit file's one stage).
std::optional<Board> StageStart(const std::string& text, int n) {
  const StageResult r = ReadStage(std::string_view(text), StageRequest{n, n == 0, false});
  if (!std::holds_alternative<LoadedStage>(r)) return std::nullopt;
  return std::get<LoadedStage>(r).board;
}

// The better of two records, 0 standing for none.
int Better(int a, int b) { return a <= 0 ? b : b <= 0 ? a : std::min(a, b); }

bool IsShippedMap(const QString& path) {
  return QFileInfo(path).fileName().compare(QString::fromLatin1(MapFileName), Qt::CaseInsensitive) == 0;
}

}  // namespace

StageId StageId::Shipped(const Board& start) { return {QString(), StageHash(start)}; }

StageId StageId::OfFile(const QString& path, const Board& start) {
  return {QFileInfo(path).absoluteFilePath(), StageHash(start)};
}

PressRecords::PressRecords(QString path) : path_(std::move(path)) {}

void PressRecords::SetPath(QString path) {
  path_ = std::move(path);
  memory_.clear();
  CarryOverOldRecords();
}

QString PressRecords::KeyOf(const StageId& stage) {
  if (stage.file.isEmpty()) return QStringLiteral("stage/") + Hex(stage.hash);
  // Slashes would make settings groups: the path is percent-encoded into one name.
  return QStringLiteral("file/") + QString::fromLatin1(QUrl::toPercentEncoding(stage.file)) + QLatin1Char('#') +
         Hex(stage.hash);
}

int PressRecords::Best(const StageId& stage) const {
  const QString key = KeyOf(stage);
  // A best this run could not write still counts while it runs.
  const int best = Better(memory_.value(key, 0), path_.isEmpty() ? 0 : SettingsFile(path_).IntValue(key, 0));
  return best > 0 ? best : 0;
}

PressRecords::Offered PressRecords::Offer(const StageId& stage, int presses) {
  if (presses <= 0) return Offered::NotBetter;
  const QString key = KeyOf(stage);
  // Read again at once: another copy of the game may have kept a better one meanwhile.
  SettingsFile file(path_);
  const int best = Better(memory_.value(key, 0), file.IntValue(key, 0));
  if (best > 0 && best <= presses) return Offered::NotBetter;
  memory_[key] = presses;
  if (path_.isEmpty()) return Offered::Kept;
  file.SetValue(key, QString::number(presses));
  if (file.Save(&lastError_)) return Offered::Kept;
  lastError_ = path_ + QStringLiteral(": ") + lastError_;
  return Offered::NotSaved;
}

std::map<int, int> PressRecords::ShippedBests(const QString& mapFile) const {
  std::map<int, int> bests;
  const std::optional<std::string> text = ReadWholeFile(mapFile, StageFileMaxBytes);
  if (!text) return bests;
  const SettingsFile file(path_);
  for (int n = 1; n <= 99; ++n) {
    if (!HoldsStage(*text, n)) continue;
    const std::optional<Board> start = StageStart(*text, n);
    if (!start) continue;
    const QString key = KeyOf(StageId::Shipped(*start));
    const int best = Better(memory_.value(key, 0), file.IntValue(key, 0));
    if (best > 0) bests[n] = best;
  }
  return bests;
}

int PressRecords::CarryOverOldRecords() {
  if (path_.isEmpty()) return 0;
  SettingsFile file(path_);
  int moved = 0;
  for (const QString& name : file.ChildKeys(kOldGroup)) {
    // The old name: the percent-encoded path, '@' and the stage number (0: a stage-unit file).
    const qsizetype at = name.lastIndexOf(QLatin1Char('@'));
    bool ok = false;
    const int n = at > 0 ? name.mid(at + 1).toInt(&ok) : -1;
    const int best = file.IntValue(kOldGroup + QLatin1Char('/') + name, 0);
    if (!ok || n < 0 || best <= 0) continue;
    const QString stageFile = QUrl::fromPercentEncoding(name.left(at).toLatin1());
    const std::optional<std::string> text = ReadWholeFile(stageFile, StageFileMaxBytes);
    const std::optional<Board> start = text ? StageStart(*text, n) : std::nullopt;
    if (!start) continue;  // the file or its stage is gone: the record waits for it
    const StageId id = IsShippedMap(stageFile) && n > 0 ? StageId::Shipped(*start) : StageId::OfFile(stageFile, *start);
    const QString key = KeyOf(id);
    const int kept = file.IntValue(key, 0);
    if (kept <= 0 || best < kept) file.SetValue(key, QString::number(best));
    file.Remove(kOldGroup + QLatin1Char('/') + name);
    ++moved;
  }
  if (moved > 0 && !file.Save(&lastError_)) return 0;
  return moved;
}

}  // namespace morvik

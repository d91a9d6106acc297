#include "play/ShortestTable.h"

#include <QFile>
#include <QTextStream>

#include "play/PressRecords.h"


namespace morvik {

void ShortestTable::Load(const QString& programDir) {
  table_.clear();
  QFile f(programDir + QStringLiteral("/shortest.txt"));
  if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return;
  QTextStream in(&f);
  while (!in.atEnd()) {
    const QStringList parts = in.readLine().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 2) continue;
    bool okStage = false, okPresses = false;
    const int stage = parts[0].toInt(&okStage), presses = parts[1].toInt(&okPresses);
    if (okStage && okPresses && stage > 0 && presses > 0) table_[stage] = presses;
  }
}

int ShortestTable::Of(int stageNo) const {
  const auto it = table_.find(stageNo);
  return it == table_.end() ? 0 : it->second;
}

std::set<int> StagesClearedInShortest(const PressRecords& records, const ShortestTable& table, const QString& stageFile) {
  std::set<int> stages;
  for (const auto& [stage, best] : records.ShippedBests(stageFile))
    if (const int fewest = table.Of(stage); fewest > 0 && best <= fewest) stages.insert(stage);
  return stages;
}

}  // namespace morvik

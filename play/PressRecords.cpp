#include "play/PressRecords.h"

#include <QFileInfo>
#include <QHash>
#include <QSettings>
#include <QUrl>

namespace morvik {

PressRecords::PressRecords(QString path) : path_(std::move(path)) {}

void PressRecords::SetPath(QString path) {
  path_ = std::move(path);
  memory_.clear();
}

QString PressRecords::KeyOf(const QString& stageFile, int stageNo) {
  // Slashes would make settings groups: the path is percent-encoded into one key.
  const QString path = QFileInfo(stageFile).absoluteFilePath();
  return QString::fromLatin1(QUrl::toPercentEncoding(path)) + QLatin1Char('@') + QString::number(stageNo);
}

int PressRecords::Best(const QString& stageFile, int stageNo) const {
  const QString key = KeyOf(stageFile, stageNo);
  if (path_.isEmpty()) return memory_.value(key, 0);
  QSettings s(path_, QSettings::IniFormat);
  const int best = s.value(QStringLiteral("best/") + key, 0).toInt();
  return best > 0 ? best : 0;
}

std::map<int, int> PressRecords::BestsOf(const QString& stageFile) const {
  const QString prefix = KeyOf(stageFile, 0).chopped(1);  // the file's part of the key, '@' kept
  std::map<int, int> bests;
  auto take = [&](const QString& key, int best) {
    if (!key.startsWith(prefix) || best <= 0) return;
    bool ok = false;
    const int stage = key.mid(prefix.size()).toInt(&ok);
    if (ok && stage >= 0) bests[stage] = best;
  };
  if (path_.isEmpty()) {
    for (auto it = memory_.begin(); it != memory_.end(); ++it) take(it.key(), it.value());
    return bests;
  }
  QSettings s(path_, QSettings::IniFormat);
  s.beginGroup(QStringLiteral("best"));
  for (const QString& key : s.childKeys()) take(key, s.value(key).toInt());
  return bests;
}

bool PressRecords::Offer(const QString& stageFile, int stageNo, int presses) {
  if (presses <= 0) return false;
  const int best = Best(stageFile, stageNo);
  if (best != 0 && best <= presses) return false;
  const QString key = KeyOf(stageFile, stageNo);
  if (path_.isEmpty()) {
    memory_[key] = presses;
    return true;
  }
  QSettings s(path_, QSettings::IniFormat);
  s.setValue(QStringLiteral("best/") + key, presses);
  s.sync();
  return s.status() == QSettings::NoError;
}

}  // namespace morvik

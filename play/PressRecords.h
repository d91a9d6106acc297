#pragma once
// The player's fewest presses for each stage cleared, kept per stage file and stage number in
// a small settings file of the user's data folder (never in the play information file).
// Every new best is written at once, so records survive a crash or a closed window.
#include <QHash>
#include <QString>
#include <map>

namespace morvik {

class PressRecords {
 public:
  // An empty path keeps the records in memory only.
  explicit PressRecords(QString path = {});
  void SetPath(QString path);

  // The fewest presses of a clear so far, or 0 when the stage was never cleared.
  int Best(const QString& stageFile, int stageNo) const;
  // A clear in `presses`: true when it is a new best (and was kept).
  bool Offer(const QString& stageFile, int stageNo, int presses);
  // Every record of one stage file, by stage number (one read of the file).
  std::map<int, int> BestsOf(const QString& stageFile) const;

  // The key a stage's record is kept under: the file's absolute path and the stage number.
  static QString KeyOf(const QString& stageFile, int stageNo);

 private:
  QString path_;
  QHash<QString, int> memory_;
};

}  // namespace morvik

#pragma once
// The player's fewest presses for each stage cleared, kept in a small settings file of the
// user's data folder (never in the play information file). A shipped stage's record is kept
// under the hash of the stage as played, so that it survives installing the game elsewhere
// and follows its stage when the stages are renumbered; a stage file's record under the
// file's path and that hash. Every new best is written at once, so records survive a crash.
#include <QHash>
#include <QString>
#include <cstdint>
#include <map>

#include "core/Board.h"

namespace morvik {

// Which stage a record belongs to.
struct StageId {
  QString file;            // a stage file's absolute path; empty for a stage of the shipped map
  std::uint64_t hash = 0;  // StageHash of the stage's start

  static StageId Shipped(const Board& start);
  static StageId OfFile(const QString& path, const Board& start);
};

class PressRecords {
 public:
  // An empty path keeps the records in memory only.
  explicit PressRecords(QString path = {});
  // Also carries the records of older versions over (CarryOverOldRecords).
  void SetPath(QString path);

  // The fewest presses of a clear so far, or 0 when the stage was never cleared.
  int Best(const StageId& stage) const;
  enum class Offered { NotBetter, Kept, NotSaved };
  // A clear in `presses`: kept when it is a new best; NotSaved when the file could not be
  // written (LastError() says why; the best still counts for this run).
  Offered Offer(const StageId& stage, int presses);
  QString LastError() const { return lastError_; }
  // The records of the shipped map file's stages, by stage number.
  std::map<int, int> ShippedBests(const QString& mapFile) const;

  // Older versions kept a record under the stage file's path and the stage's number. Each
  // such record whose file still holds that stage moves to the stage's hash (the better of
  // the two records wins); the others stay as they are. Returns how many moved.
  int CarryOverOldRecords();

  // The key a stage's record is kept under, "group/name".
  static QString KeyOf(const StageId& stage);

 private:
  QString path_;
  QHash<QString, int> memory_;
  QString lastError_;
};

}  // namespace morvik

#pragma once
// The proven fewest presses of the shipped stages, written into the program folder at build
// time ("shortest.txt": one "stage presses" line per stage) from the stages' solution list.
#include <QString>
#include <map>
#include <set>

namespace morvik {

class ShortestTable {
 public:
  // Reads the table from the program folder; a missing or bad file gives an empty table.
  void Load(const QString& programDir);
  // 0 when the stage is not in the table.
  int Of(int stageNo) const;
  bool Empty() const { return table_.empty(); }

 private:
  std::map<int, int> table_;
};

class PressRecords;

// The stages of the shipped map file whose kept best is no more than the table's fewest presses.
std::set<int> StagesClearedInShortest(const PressRecords& records, const ShortestTable& table, const QString& stageFile);

}  // namespace morvik

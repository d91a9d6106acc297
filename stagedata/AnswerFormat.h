#pragma once
// Answer files: the recorded moves of a clear of one stage-unit file, one record per step,
// dig and jump landing, replayed by the play screen's guide.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvik {

struct AnswerRecord {
  int action;  // 0 step, 1 dig, 2 jump landing
  int x, y;    // the cell arrived on, or the cell dug
  friend bool operator==(const AnswerRecord&, const AnswerRecord&) = default;
};

// "034": the action, the column and the row.
std::string AnswerRecordText(const AnswerRecord& r);

// The whole file: "[]", "<Morvik Answer Data>", an empty line, "@", the records, an empty
// line and "@", every line ended by CR LF.
std::string AnswerFileText(const std::vector<AnswerRecord>& records);
std::string AnswerFileText(std::string_view recordLines);  // records each already ended by CR LF

// The records of an answer file joined without separators ("034250"), as the guide walks
// them; nothing when the file is not an answer file: its record block between the two "@"
// lines is missing, unclosed, empty, or holds a line that is not a record.
std::optional<std::string> ReadAnswerData(std::string_view fileText);

// The answer file that belongs to a stage file: its path with "a" appended.
std::string AnswerPathFor(const std::string& stagePath);

}  // namespace morvik

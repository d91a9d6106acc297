// Answer files: the exact text written, and which files the guide accepts.
#include <gtest/gtest.h>

#include "stagedata/AnswerFormat.h"

namespace morvik {
namespace {

TEST(AnswerFormat, ThreeStepsAndAJumpGiveTenLines) {
  const std::string text = AnswerFileText(std::vector<AnswerRecord>{{0, 1, 0}, {0, 2, 0}, {1, 3, 0}, {2, 5, 0}});
  EXPECT_EQ(text, "[]\r\n<Morvik Answer Data>\r\n\r\n@\r\n010\r\n020\r\n130\r\n250\r\n\r\n@\r\n");
  EXPECT_EQ(ReadAnswerData(text), "010020130250");
  EXPECT_EQ(AnswerPathFor("/a/stage.mvk"), "/a/stage.mvka");
}

TEST(AnswerFormat, FilesTheGuideRefuses) {
  struct Row { const char* name; std::string text; bool accepted; } rows[] = {
      {"Written", "[]\r\n<Morvik Answer Data>\r\n\r\n@\r\n034\r\n\r\n@\r\n", true},
      {"BareLineFeeds", "[]\n<Morvik Answer Data>\n\n@\n034\n250\n\n@\n", true},
      {"NoClosingAt", "[]\r\n<Morvik Answer Data>\r\n\r\n@\r\n034\r\n\r\n", false},
      {"NoRecords", "[]\r\n<Morvik Answer Data>\r\n\r\n@\r\n\r\n@\r\n", false},
      {"NoBlockAtAll", "[]\r\n<Morvik Answer Data>\r\n", false},
      {"ShortRecord", "@\r\n03\r\n@\r\n", false},
      {"UnknownAction", "@\r\n734\r\n@\r\n", false},
      {"NotDigits", "@\r\nabc\r\n@\r\n", false},
      {"StageFileInstead", "@00\r\n20202020202020202020\r\nEND@00\r\n", false},
  };
  for (const Row& r : rows) EXPECT_EQ(ReadAnswerData(r.text).has_value(), r.accepted) << r.name;
}

}  // namespace
}  // namespace morvik

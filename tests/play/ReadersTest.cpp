// The play screen's readers without a window, so that the sanitizers see them: the advice
// file as shipped and with a bad byte, and the answer guide over an answer file.
#include <gtest/gtest.h>

#include "platform/RegularFile.h"
#include "platform/TextCodec.h"
#include "play/AdviceText.h"
#include "play/AnswerGuide.h"
#include "stagedata/AnswerFormat.h"

namespace morvik {
namespace {

TEST(AdviceText, ShippedFileHasAHintForEveryMainStoryStage) {
  const auto bytes = ReadRegularFile(MORVIK_PROGRAM_DIR "/Advice.dat", AdviceFileMaxBytes);
  ASSERT_TRUE(bytes);
  for (int stage = 1; stage <= 30; ++stage) {
    const Advice advice = FindAdvice(*bytes, stage);
    EXPECT_TRUE(advice.found) << stage;
    const auto text = ShiftJisToUtf8(advice.text);
    ASSERT_TRUE(text) << "stage " << stage << " is Shift JIS";
    EXPECT_FALSE(text->empty()) << stage;
  }
}

TEST(AdviceText, ABadByteStaysInsideItsBlock) {
  const std::string file = "@01\r\n\x82\xa0\xff\r\n*\r\n@02\r\n\x82\xa0\r\n*\r\n";
  EXPECT_FALSE(ShiftJisToUtf8(file));
  EXPECT_FALSE(ShiftJisToUtf8(FindAdvice(file, 1).text));
  EXPECT_EQ(ShiftJisToUtf8(FindAdvice(file, 2).text), "あ\r\n");
}

TEST(AnswerGuide, WalksTheRecordsOfAnAnswerFileOnlyOnTheMarkedMoves) {
  const auto data = ReadAnswerData("[]\r\n<Morvik Answer Data>\r\n\r\n@\r\n034\r\n145\r\n256\r\n\r\n@\r\n");
  ASSERT_TRUE(data);
  AnswerGuide guide;
  guide.Start(*data);
  EXPECT_FALSE(guide.Check(0, 3, 5)) << "not the marked cell";
  EXPECT_FALSE(guide.Check(1, 3, 4)) << "not the marked action";
  for (const auto [action, x, y] : {std::array{0, 3, 4}, std::array{1, 4, 5}, std::array{2, 5, 6}}) {
    ASSERT_TRUE(guide.Running());
    EXPECT_EQ(guide.Action(), action);
    EXPECT_TRUE(guide.Check(action, x, y));
  }
  EXPECT_FALSE(guide.Running());
  EXPECT_FALSE(guide.Check(2, 5, 6));
}

}  // namespace
}  // namespace morvik

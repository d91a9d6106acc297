// Start-up without a Japanese font: one line on stderr and one message, each naming the package.
#include <gtest/gtest.h>

#include "platform/Fonts.h"
#include "platform/MessageBoxes.h"

namespace morvik {
namespace {

struct CountingMessages final : MessageBoxes {
  MsgResult Show(const QString& text, const QString&, MsgIcon, MsgButtons) override {
    shown << text;
    return MsgResult::Ok;
  }
  QStringList shown;
};

TEST(Fonts, WithoutAJapaneseFontThePlayerIsToldOnceWhatToInstall) {
  CountingMessages messages;
  testing::internal::CaptureStderr();
  EXPECT_TRUE(TellMissingJapaneseFont({}, messages));
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  EXPECT_NE(err.find("fonts-ipafont-gothic"), std::string::npos) << err;
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_TRUE(messages.shown[0].contains("fonts-ipafont-gothic"));
  // Readable without the font it asks for.
  for (const QChar c : messages.shown[0]) EXPECT_LT(c.unicode(), 0x80);

  testing::internal::CaptureStderr();
  EXPECT_FALSE(TellMissingJapaneseFont({QStringLiteral("IPAPGothic")}, messages));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(messages.shown.size(), 1);
}

}  // namespace
}  // namespace morvik

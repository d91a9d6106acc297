// The help file of the build read without a window, so that the sanitizers see the reader:
// every entry reads, and what the viewer takes from the file parses.
#include <gtest/gtest.h>

#include "shell/HelpFile.h"
#include "shell/HelpProject.h"

namespace morvik {
namespace {

TEST(HelpReader, EveryEntryOfTheBuiltFileReadsAndParses) {
  HelpFile file;
  ASSERT_TRUE(file.Open(MORVIK_TEST_PROGRAM_DIR "/morvik20.chm"));
  const std::vector<std::string> entries = file.Entries();
  EXPECT_GT(entries.size(), 20u);
  for (const std::string& entry : entries) EXPECT_TRUE(file.Read(entry)) << entry;
  const HelpSystem system = ParseSystem(file.Read("/#SYSTEM").value_or(""));
  EXPECT_EQ(system.defaultPage, "/index.html");
  EXPECT_GT(ParseSitemap(file.Read(system.contentsFile).value_or("")).size(), 5u);
  EXPECT_GT(ParseSitemap(file.Read(system.indexFile).value_or("")).size(), 5u);
  EXPECT_FALSE(ParseTopicMap(file.Read(HelpTopicMapEntry).value_or("")).empty());
  EXPECT_FALSE(file.Read("/no-such-page.html"));
}

}  // namespace
}  // namespace morvik

// Opening the files a player may hand the game: what is refused, and reading line by line.
// A FIFO or a device that were waited on or read to its end would hang this test.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/RegularFile.h"
#include "stagedata/StageReader.h"
#include "tests/support/ScratchDir.h"

namespace morvik {
namespace {

namespace fs = std::filesystem;

using TempDir = test::ScratchDir;

TEST(RegularFile, RefusesWhatIsNoSmallRegularFile) {
  TempDir dir;
  const std::string fifo = dir.path / "pipe";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string zero = dir.path / "zero";
  fs::create_symlink("/dev/zero", zero);
  const std::string large = dir.File("large", "");
  fs::resize_file(large, 5u << 20);  // sparse: nothing is written
  using K = FileOpenError::Kind;
  struct Row { const char* name; std::string path; K kind; } rows[] = {
      {"Missing", (dir.path / "none").string(), K::Missing},
      {"MissingFolder", (dir.path / "none" / "x").string(), K::Missing},
      {"Directory", dir.path.string(), K::Directory},
      {"Fifo", fifo, K::NotRegular},
      {"LinkToDevice", zero, K::NotRegular},
      {"TooLarge", large, K::TooLarge},
  };
  for (const Row& r : rows) {
    FileOpenError why;
    EXPECT_FALSE(ReadRegularFile(r.path, 4u << 20, &why)) << r.name;
    EXPECT_EQ(why.kind, r.kind) << r.name;
    EXPECT_FALSE(FileErrorText(why).empty());
  }
  FileOpenError why;
  ReadRegularFile(large, 4u << 20, &why);
  EXPECT_EQ(FileErrorTextEnglish(why), "is too large (5242880 bytes; at most 4194304)");
}

TEST(RegularFile, ReadsLinesAcrossChunksAndStopsWhenAsked) {
  TempDir dir;
  const std::string longLine(200'000, 'x');  // longer than one read of the file
  const std::string path = dir.File("lines", "a\r\n" + longLine + "\n\nlast");
  RegularFile file;
  ASSERT_TRUE(file.Open(path, 1 << 20));
  std::string line;
  std::vector<std::string> lines;
  while (file.ReadLine(line)) lines.push_back(line);
  EXPECT_FALSE(file.ReadFailed());
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "a\r");
  EXPECT_EQ(lines[1], longLine);
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "last");

  ASSERT_TRUE(file.Open(path, 1 << 20));
  ASSERT_TRUE(file.ReadLine(line));
  EXPECT_EQ(file.ReadRest(), longLine + "\n\nlast");
  EXPECT_EQ(ReadRegularFile(dir.File("empty", ""), 10), std::string());
}

TEST(RegularFile, AStageIsLoadedFromDiskAsThePlayScreenLoadsIt) {
  TempDir dir;
  std::string map = "stages\r\n";
  for (int n : {1, 2}) {
    map += "@0" + std::to_string(n) + "\r\n";
    for (int y = 0; y < 10; ++y) map += "20202020202020202020\r\n";
    map += "V2.00 beta\r\n" + std::to_string(n) + "3\r\n*\r\n*\r\n*\r\n*\r\n*\r\n0\r\n2\r\nEND@0" + std::to_string(n) + "\r\n";
  }
  RegularFile file;
  ASSERT_TRUE(file.Open(dir.File("mapdata.dat", map), StageFileMaxBytes));
  const StageResult r = ReadStage(NextLine([&](std::string& line) { return file.ReadLine(line); }), {2});
  ASSERT_TRUE(std::holds_alternative<LoadedStage>(r));
  EXPECT_EQ(std::get<LoadedStage>(r).board.heroX, 2);
  EXPECT_EQ(std::get<LoadedStage>(r).board.heroY, 3);
  std::string rest;
  ASSERT_TRUE(file.ReadLine(rest));
  EXPECT_EQ(rest, "END@02\r") << "reading stopped after the music line";
}

}  // namespace
}  // namespace morvik

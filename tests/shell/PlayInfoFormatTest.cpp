// The play information text: the four lines written, the reader's way through damaged and
// hand-edited files, and round trips of every storable farthest stage.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "shell/PlayInfoFormat.h"

namespace morvik {

void PrintTo(const PlayInfo& p, std::ostream* os) {
  *os << "{music " << p.musicOn << ", effects " << p.effectsOn << ", reached " << p.stageReached << ", story "
      << p.storyNo << ", reserved " << p.reserved1 << "/" << p.reserved2 << "}";
}

namespace {

PlayInfo Info(int reached, bool music = true, bool effects = true, int story = 0, int r1 = 1, int r2 = 1) {
  return PlayInfo{music, effects, reached, story, r1, r2};
}

// The lines of an encoded file, without their CR LF.
std::vector<std::string> Lines(const std::string& file) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = file.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(file.substr(start, end - start));
  EXPECT_EQ(start, file.size()) << "the file must end with CR LF";
  return lines;
}

TEST(PlayInfoEncode, WritesFourLinesEndedByCrLf) {
  EXPECT_EQ(EncodePlayInfo(Info(1), "2024/03/05"),
            "<Players' Information> For Morvik\r\n2024/03/05\r\nPI11=AEGKO\r\nST(;;\r\n");
}

TEST(PlayInfoEncode, ProgressAndStoryLines) {
  struct Row { PlayInfo info; std::string progress, story; } rows[] = {
      {Info(1), "PI11=AEGKO", "ST(;;"},
      {Info(30), "PI11Z^bdhl", "ST(;;"},
      {Info(30, false, true), "PI01Z^bdhl", "ST(;;"},
      {Info(30, true, false), "PI10Z^bdhl", "ST(;;"},
      {Info(30, false, false), "PI00Z^bdhl", "ST(;;"},
      {Info(49, true, true, 2), "PI11mquw{\x7f", "ST*;;"},
      {Info(7, true, true, 1, 5, 9), "PI11CGKMQU", "ST)?C"},
  };
  for (const Row& r : rows) {
    const std::vector<std::string> lines = Lines(EncodePlayInfo(r.info, "d"));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2], r.progress) << r.progress;
    EXPECT_EQ(lines[3], r.story) << r.progress;
  }
}

TEST(PlayInfoEncode, DateTextStaysOneLine) {
  const std::vector<std::string> lines = Lines(EncodePlayInfo(Info(1), "2024\r\nPI00=AEGKO\n"));
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1], "2024PI00=AEGKO");
  EXPECT_EQ(DecodePlayInfo(EncodePlayInfo(Info(1), "2024\r\nPI00=AEGKO\n"), PlayInfo{}).info, Info(1));
}

TEST(PlayInfoEncode, StagesBeyondOneByteAreHeldAtTheLargestStorable) {
  EXPECT_EQ(DecodePlayInfo(EncodePlayInfo(Info(500), "d"), PlayInfo{}).info.stageReached, MaxStoredStageReached);
  EXPECT_EQ(DecodePlayInfo(EncodePlayInfo(Info(-3), "d"), PlayInfo{}).info.stageReached, 1);
}

struct DecodeCase {
  const char* name;
  std::string file;
  PlayInfo expected;
  bool failed;
};

// Before each read: settings off, progress 7, story 2, reserved 4 and 6, so that every field
// shows whether the reader set it or kept it.
const PlayInfo Before = Info(7, false, false, 2, 4, 6);

TEST(PlayInfoDecode, CasesTable) {
  const std::string head = "<Players' Information> For Morvik\r\n2024/03/05\r\n";
  const DecodeCase cases[] = {
      {"as written", head + "PI11Z^bdhl\r\nST(;;\r\n", Info(30), false},
      {"settings off, story 1", head + "PI00=AEGKO\r\nST)<=\r\n", Info(1, false, false, 1, 2, 3), false},
      {"any setting character but 0 leaves it on", head + "PIx =AEGKO\r\nST(;;\r\n", Info(1), false},
      {"LF line ends", "x\nPI01=AEGKO\nST);;\n", Info(1, false, true, 1), false},
      {"CR line ends", "x\rPI01=AEGKO\rST);;", Info(1, false, true, 1), false},
      {"no final line end", head + "PI11Z^bdhl\r\nST)<<", Info(30, true, true, 1, 2, 2), false},
      {"extra lines before", "\r\nP\r\nXPI11=AEGKO\r\npi11=AEGKO\r\nST*;;\r\n" + head + "PI11Z^bdhl\r\nST)<<\r\n",
       Info(30, true, true, 1, 2, 2), false},
      {"first progress line wins, the next line is its story line", "PI11Z^bdhl\r\nPI11=AEGKO\r\nST)<<\r\n",
       Info(30), false},
      {"characters after the tenth are ignored", "PI11Z^bdhlXYZ\r\nST(;;\r\n", Info(30), false},
      {"trailing spaces of the progress line", "PI10Z^bdhl   \r\nST(;;\r\n", Info(30, true, false), false},
      {"copies differ: the largest wins", "PI11AIGKSQ\r\nST(;;\r\n", Info(9), false},
      {"copies of 0 read as 1", "PI11<@DFJN\r\nST(;;\r\n", Info(1), false},
      {"reserved 0 reads as 1", "PI11=AEGKO\r\nST(:<\r\n", Info(1, true, true, 0, 1, 2), false},
      {"story outside 0 to 2 is taken as it is", "PI11=AEGKO\r\nST-;;\r\n", Info(1, true, true, 5), false},
      {"progress line last in the file", head + "PI01Z^bdhl\r\n", Info(30, false), false},
      {"progress line last, no line end", head + "PI01Z^bdhl", Info(30, false), false},
      {"story line empty", "PI11Z^bdhl\r\n\r\nST);;\r\n", Info(30), false},
      {"story line too long", "PI11Z^bdhl\r\nST);;;\r\n", Info(30), false},
      {"story line too short", "PI11Z^bdhl\r\nST);\r\n", Info(30), false},
      {"story line with surrounding spaces", "PI11Z^bdhl\r\n ST);; \r\n", Info(30), false},
      {"story line with a trailing space", "PI11Z^bdhl\r\nST);\x20\r\n", Info(30, true, true, 1, 1, -26), false},
      {"story line not ST", "PI11Z^bdhl\r\nSX);;\r\n", Info(30), false},
      {"story line in lower case", "PI11Z^bdhl\r\nst);;\r\n", Info(30), false},

      {"empty file", "", Info(7, true, true, 2, 4, 6), true},
      {"no progress line", head + "ST);;\r\n", Info(7, true, true, 2, 4, 6), true},
      {"progress line with leading spaces does not begin with PI", "  PI11Z^bdhl\r\nST);;\r\n",
       Info(7, true, true, 2, 4, 6), true},
      {"short progress line: story taken, settings not", "PI00Z^bdh\r\nST)<<\r\n", Info(7, true, true, 1, 2, 2), true},
      {"short after trimming", "PI00Z^bd   \r\nST)<<\r\n", Info(7, true, true, 1, 2, 2), true},
      {"a lone PI", "PI\r\n", Info(7, true, true, 0, 1, 1), true},
      {"check of copy 0 fails", "PI00Z^bchl\r\nST)<<\r\n", Info(7, false, false, 1, 2, 2), true},
      {"check of copy 1 fails", "PI00Z^bdgl\r\nST)<<\r\n", Info(7, false, false, 1, 2, 2), true},
      {"check of copy 2 fails", "PI00Z^bdhm\r\nST)<<\r\n", Info(7, false, false, 1, 2, 2), true},
      {"6th character changed by hand: settings still apply", "PI01=BEGKO\r\nST(;;\r\n", Info(7, false, true), true},
  };
  for (const DecodeCase& c : cases) {
    const PlayInfoRead read = DecodePlayInfo(c.file, Before);
    EXPECT_EQ(read.info, c.expected) << c.name;
    EXPECT_EQ(read.failed, c.failed) << c.name;
  }
}

TEST(PlayInfoDecode, FailedReadKeepsTheProgressHeldBefore) {
  for (const int before : {0, 1, 25}) {
    PlayInfo current = Info(before);
    EXPECT_EQ(DecodePlayInfo("PI11Z^bdhX\r\n", current).info.stageReached, before);
    EXPECT_EQ(DecodePlayInfo("", current).info.stageReached, before);
  }
}

TEST(PlayInfoRoundTrip, EveryStorableStageAndTheOtherFields) {
  for (int reached = 1; reached <= MaxStoredStageReached; ++reached) {
    for (const bool music : {true, false}) {
      const PlayInfo info = Info(reached, music, !music, reached % 3, reached % 5 + 1, 40);
      const PlayInfoRead read = DecodePlayInfo(EncodePlayInfo(info, "2024/03/05"), Info(0));
      ASSERT_FALSE(read.failed) << reached;
      ASSERT_EQ(read.info, info) << reached;
    }
  }
}

TEST(PlayInfoRoundTrip, ProgressBytesAreAsciiUpToStage49AndOneByteEachAbove) {
  struct Row { int reached; bool ascii; } rows[] = {{1, true}, {30, true}, {49, true}, {50, false}, {90, false}, {99, false}};
  for (const Row& r : rows) {
    const std::vector<std::string> lines = Lines(EncodePlayInfo(Info(r.reached), "d"));
    ASSERT_EQ(lines.size(), 4u);
    const std::string& progress = lines[2];
    ASSERT_EQ(progress.size(), 10u) << r.reached;
    bool ascii = true;
    for (int k = 0; k < 3; ++k) {
      const int copy = static_cast<unsigned char>(progress[4 + k]);
      const int check = static_cast<unsigned char>(progress[7 + k]);
      EXPECT_EQ(copy, r.reached + 60 + 4 * k) << r.reached;
      EXPECT_EQ(check, copy + 10) << r.reached;
      ascii = ascii && check < 128;
    }
    EXPECT_EQ(ascii, r.ascii) << r.reached;
    EXPECT_EQ(DecodePlayInfo(EncodePlayInfo(Info(r.reached), "d"), PlayInfo{}).info.stageReached, r.reached);
  }
}

}  // namespace
}  // namespace morvik

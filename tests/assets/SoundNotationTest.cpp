// The text notation of sounds: what notes a channel produces, and what it rejects.
#include "tools/soundbuild/MmlParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morvik::sound {
namespace {

constexpr int Q = kTicksPerWhole / 4; // a quarter note

// Two voices precede every case, so channel text starts on line 3.
const std::string kVoices = "voice 1 pulse\nvoice 2 sine\n";

struct Expected {
  int start;
  int held;
  std::vector<PitchPoint> pitches;
  int voice = 1;
  int volume = 12;
};

struct NotesCase {
  const char* name;
  std::string text;
  std::vector<Expected> notes; // of channel A
};

TEST(SoundNotation, ChannelTextBecomesTimedNotes) {
  const NotesCase cases[] = {
      {"plain quarters", "A: c d e", {{0, Q, {{0, 60}}}, {Q, Q, {{0, 62}}}, {2 * Q, Q, {{0, 64}}}}},
      {"lengths, accidentals and dots", "A: o5 a8 b-16 c+4.",
       {{0, Q / 2, {{0, 81}}}, {Q / 2, Q / 4, {{0, 82}}}, {3 * Q / 4, 3 * Q / 2, {{0, 73}}}}},
      {"sharps written with #", "A: f#8 f+8", {{0, Q / 2, {{0, 66}}}, {Q / 2, Q / 2, {{0, 66}}}}},
      {"default length and octave steps", "A: l8 c > c < < c",
       {{0, Q / 2, {{0, 60}}}, {Q / 2, Q / 2, {{0, 72}}}, {Q, Q / 2, {{0, 48}}}}},
      {"dotted default length", "A: l4. c c", {{0, 3 * Q / 2, {{0, 60}}}, {3 * Q / 2, 3 * Q / 2, {{0, 60}}}}},
      {"triplets", "A: l12 c c c d4",
       {{0, Q / 3, {{0, 60}}}, {Q / 3, Q / 3, {{0, 60}}}, {2 * Q / 3, Q / 3, {{0, 60}}}, {Q, Q, {{0, 62}}}}},
      {"extension and rests", "A: c4^8 r8 c", {{0, 3 * Q / 2, {{0, 60}}}, {2 * Q, Q, {{0, 60}}}}},
      {"gate shortens only the end of a tie", "A: q4 c4 c4&c4 d",
       {{0, Q / 2, {{0, 60}}}, {Q, Q + Q / 2, {{0, 60}}}, {3 * Q, Q / 2, {{0, 62}}}}},
      {"slur to other pitches keeps one note", "A: c8&e8&g4", {{0, 2 * Q, {{0, 60}, {Q / 2, 64}, {Q, 67}}}}},
      {"tie across a bar line", "A: c2. c4& | c4 r2.", {{0, 3 * Q, {{0, 60}}}, {3 * Q, 2 * Q, {{0, 60}}}}},
      {"repeat with an early exit on the last pass", "A: [c d : e]2 f",
       {{0, Q, {{0, 60}}}, {Q, Q, {{0, 62}}}, {2 * Q, Q, {{0, 64}}}, {3 * Q, Q, {{0, 60}}}, {4 * Q, Q, {{0, 62}}},
        {5 * Q, Q, {{0, 65}}}}},
      {"nested repeats", "A: l8 [[c]2 d]2",
       {{0, Q / 2, {{0, 60}}}, {Q / 2, Q / 2, {{0, 60}}}, {Q, Q / 2, {{0, 62}}}, {3 * Q / 2, Q / 2, {{0, 60}}},
        {2 * Q, Q / 2, {{0, 60}}}, {5 * Q / 2, Q / 2, {{0, 62}}}}},
      {"volume and voice", "A: v5 @2 c @1 v15 d", {{0, Q, {{0, 60}}, 2, 5}, {Q, Q, {{0, 62}}, 1, 15}}},
      {"transposition", "A: k2 c k-1 c", {{0, Q, {{0, 62}}}, {Q, Q, {{0, 59}}}}},
      {"macro pasted as text", "let k = @2 o3 c\nA: $k8 $k8",
       {{0, Q / 2, {{0, 48}}, 2}, {Q / 2, Q / 2, {{0, 48}}, 2}}},
      {"comments and other channels between lines", "A: c ; d e\n# note\nB: g\nA: d",
       {{0, Q, {{0, 60}}}, {Q, Q, {{0, 62}}}}},
      {"three-four bars", "meter 3/4\nA: c2. | c4 c2 |", {{0, 3 * Q, {{0, 60}}}, {3 * Q, Q, {{0, 60}}}, {4 * Q, 2 * Q, {{0, 60}}}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Song song = ParseSong(kVoices + c.text, "case.mml");
    ASSERT_FALSE(song.channels.empty());
    const Channel& a = song.channels.front();
    ASSERT_EQ(a.name, "A");
    ASSERT_EQ(a.notes.size(), c.notes.size());
    for (size_t i = 0; i < c.notes.size(); ++i) {
      SCOPED_TRACE("note " + std::to_string(i));
      EXPECT_EQ(a.notes[i].start, c.notes[i].start);
      EXPECT_EQ(a.notes[i].held, c.notes[i].held);
      EXPECT_EQ(a.notes[i].pitches, c.notes[i].pitches);
      EXPECT_EQ(a.notes[i].voice, c.notes[i].voice);
      EXPECT_EQ(a.notes[i].volume, c.notes[i].volume);
    }
  }
}

TEST(SoundNotation, HeaderSetsTimingAndVoices) {
  const Song song = ParseSong(
      "kind loop\ntempo 150\nmeter 6/8\nlevel -3\necho 0.2 0.4\n"
      "voice 4 pulse duty=0.125 attack=0.01 decay=0.2 sustain=0.5 release=0.3 vibrato=0.2,6,0.1 drop=12,0.02 echo=0.5\n"
      "A: c2. | w-7 d2. |\nB: r1^2 |",
      "h.mml");
  EXPECT_EQ(song.kind, Kind::Loop);
  EXPECT_EQ(song.barTicks(), 6 * kTicksPerWhole / 8);
  EXPECT_DOUBLE_EQ(song.secondsPerTick() * kTicksPerWhole / 4, 60.0 / 150);
  EXPECT_DOUBLE_EQ(song.levelDb, -3);
  EXPECT_EQ(song.length, 2 * song.barTicks());
  const Voice& v = song.voices.at(4);
  EXPECT_EQ(v.wave, Wave::Pulse);
  EXPECT_DOUBLE_EQ(v.duty, 0.125);
  EXPECT_DOUBLE_EQ(v.sustain, 0.5);
  EXPECT_DOUBLE_EQ(v.vibratoRate, 6);
  EXPECT_DOUBLE_EQ(v.dropSemitones, 12);
  EXPECT_EQ(song.channels[0].notes[0].voice, 4); // the first voice defined is the default
  EXPECT_EQ(song.channels[0].notes[1].sweep, -7);
}

struct ErrorCase {
  std::string text; // after the two voice lines
  int line;
  const char* reason;
};

TEST(SoundNotation, ErrorsNameTheLineAndTheReason) {
  const ErrorCase cases[] = {
      {"A: c x", 3, "unexpected character 'x'"},
      {"A: c\nA: d7", 4, "length 7 is not a supported fraction"},
      {"A: c1536.", 3, "too many dots"},
      {"A: c1 c4 |", 3, "bar line 1/4 of a whole note into bar 2 of channel A"},
      {"A: [c d\n\nA: e", 3, "'[' is never closed"},
      {"A: c ]", 3, "']' without '['"},
      {"A: :", 3, "':' outside a repeat"},
      {"A: [c : d : e]", 3, "only one ':'"},
      {"A: r & c", 3, "'&' must follow a note"},
      {"A: c & r", 3, "must be followed by a note"},
      {"A: c\nA: d&", 4, "'&' at the end of the channel"},
      {"A: ^4", 3, "'^' must follow a note or a rest"},
      {"A: @9 c", 3, "voice 9 is not defined"},
      {"A: $x", 3, "macro 'x' is not defined"},
      {"let a = $b\nlet b = $a\nA: $a", 5, "macros nest too deeply"},
      {"A: o9", 3, "octave 9 is out of range"},
      {"A: o8 > c", 3, "'>' goes above octave 8"},
      {"A: v16", 3, "volume 16 is out of range"},
      {"A: q0", 3, "gate 0 is out of range"},
      {"A: o0 k-13 c", 3, "outside the playable range"},
      {"kind loop\nA: c1\nB: c2", 5, "channel B lasts 1/2 whole notes but channel A 1/1"},
      {"kind loop\nA: c1 c2", 4, "a loop must be whole bars"},
      {"kind forever\nA: c", 3, "kind must be 'loop' or 'once'"},
      {"tempo fast\nA: c", 3, "'fast' is not a number"},
      {"meter 3-4\nA: c", 3, "meter must be written like 3/4"},
      {"level 3\nA: c", 3, "level 3 is out of range"},
      {"voice 3 pulse duty=2\nA: c", 3, "duty 2 is out of range"},
      {"voice 3 pulse colour=3\nA: c", 3, "unknown voice parameter 'colour'"},
      {"voice 3 organ\nA: c", 3, "unknown wave 'organ'"},
      {"voice 3 pulse vibrato=1,2\nA: c", 3, "vibrato needs 3 numbers"},
      {"voice 1 sine\nA: c", 3, "voice 1 is defined twice"},
      {"frobnicate 3\nA: c", 3, "unknown line starting with 'frobnicate'"},
      {"# nothing but comments", 3, "no channel has any notes"},
      {"A: v5 ; a volume but no notes", 3, "the sound has no length"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      ParseSong(kVoices + c.text, "bad.mml");
      ADD_FAILURE() << "accepted";
    } catch (const ParseError& e) {
      EXPECT_EQ(e.file(), "bad.mml");
      EXPECT_EQ(e.line(), c.line);
      EXPECT_NE(e.reason().find(c.reason), std::string::npos) << e.reason();
      EXPECT_EQ(std::string(e.what()), "bad.mml:" + std::to_string(e.line()) + ": " + e.reason());
    }
  }
}

TEST(SoundNotation, MissingFileIsAnError) {
  EXPECT_THROW(ParseSongFile("/nonexistent/sound.mml"), ParseError);
}

} // namespace
} // namespace morvik::sound

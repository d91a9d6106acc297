// The synthesiser: pitch, silence, envelopes, loops that join up, levels and the WAV header.
#include "tools/soundbuild/MmlParser.h"
#include "tools/soundbuild/Synth.h"
#include "tools/soundbuild/WavFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace morvik::sound {
namespace {

constexpr double kRate = kSampleRate;

std::vector<float> Render(const std::string& text) { return RenderSong(ParseSong(text, "t.mml")); }

// The average period in samples between rising zero crossings within [from, to).
double Period(const std::vector<float>& s, size_t from, size_t to) {
  std::vector<double> ups;
  for (size_t i = std::max<size_t>(from, 1); i < to && i < s.size(); ++i)
    if (s[i - 1] < 0 && s[i] >= 0) ups.push_back(static_cast<double>(i - 1) + s[i - 1] / (s[i - 1] - s[i]));
  if (ups.size() < 2) return 0;
  return (ups.back() - ups.front()) / static_cast<double>(ups.size() - 1);
}

float Peak(const std::vector<float>& s, size_t from = 0, size_t to = SIZE_MAX) {
  float p = 0;
  for (size_t i = from; i < std::min(to, s.size()); ++i) p = std::max(p, std::abs(s[i]));
  return p;
}

TEST(SoundSynth, NotesSoundAtTheirPitchOnEveryWave) {
  struct Case {
    const char* wave;
    const char* note;
    double hz;
  } cases[] = {
      {"sine", "o4 a", 440}, {"pulse", "o4 a", 440}, {"pulse duty=0.25", "o5 e", 659.255},
      {"triangle", "o3 a", 220}, {"saw", "o2 c", 65.406}, {"pulse detune=0.01", "o6 c", 1046.5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.wave) + " " + c.note);
    // At tempo 60 a quarter note lasts one second; measure its steady middle.
    const auto s = Render(std::string("tempo 60\nvoice 1 ") + c.wave + "\nA: " + c.note + "4");
    EXPECT_NEAR(Period(s, 2000, 20000), kRate / c.hz, kRate / c.hz * 0.002);
  }
}

TEST(SoundSynth, RestsAreSilentAndNotesFadeInAndOut) {
  const auto s = Render("tempo 60\nvoice 1 pulse attack=0.01 release=0.05\nA: r4 c4 r4");
  // The rest before the note is exactly silent, the note is not.
  EXPECT_EQ(Peak(s, 0, 22050), 0.0f);
  EXPECT_GT(Peak(s, 22050 + 2205, 44100), 0.5f);
  // The first samples of the note rise gently from silence: no click.
  EXPECT_LT(std::abs(s[22050]), 0.01f);
  EXPECT_LT(Peak(s, 22050, 22050 + 20), 0.1f);
  // A sound played once ends with its release, in silence: the trailing rest adds nothing.
  EXPECT_NEAR(static_cast<double>(s.size()), 2.05 * kRate, 0.01 * kRate);
  EXPECT_EQ(s.back(), 0.0f);
}

TEST(SoundSynth, SlursAndSweepsChangeThePitchOfOneNote) {
  // c4&c5 slurred: the second half sounds an octave higher without a new attack.
  auto s = Render("tempo 60\nvoice 1 sine\nA: o4 c4&>c4");
  EXPECT_NEAR(Period(s, 4000, 20000), kRate / 261.63, 0.1);
  EXPECT_NEAR(Period(s, 26000, 42000), kRate / 523.25, 0.1);
  EXPECT_GT(Peak(s, 21950, 22150), 0.75f); // still at the full level of v12 across the change

  // w12: the note glides up an octave while it is held.
  s = Render("tempo 60\nvoice 1 sine\nA: w12 o4 a1");
  EXPECT_NEAR(Period(s, 1000, 3000), kRate / 440, 1.0);
  EXPECT_NEAR(Period(s, 84000, 88000), kRate / 880, 0.5);
}

TEST(SoundSynth, LoopCarriesItsTailOverTheJoin) {
  // A note held to the very end of a two-second loop rings on for half a second with its
  // release: that release must be heard at the start, so the end joins the start smoothly.
  const auto s = Render("kind loop\ntempo 120\nvoice 1 sine release=0.5\nA: r1 o4 a1");
  ASSERT_EQ(s.size(), 2u * kSampleRate * 2);
  const float level = Peak(s, s.size() - 2000, s.size());
  EXPECT_GT(level, 0.5f);
  EXPECT_LT(std::abs(s.front() - s.back()), level * 0.15f);
  EXPECT_GT(Peak(s, 0, 2000), level * 0.5f);
  EXPECT_LT(Peak(s, static_cast<size_t>(0.55 * kRate), static_cast<size_t>(0.9 * kRate)), 0.01f);
}

TEST(SoundSynth, LoopCarriesItsEchoOverTheJoin) {
  // A short blip 1.875 s into a two-second loop: its first echo a quarter second later falls
  // past the end, so it must sound 0.125 s after the start, and nothing else near it.
  const auto s = Render(
      "kind loop\ntempo 120\necho 0.25 0.5\nvoice 1 sine decay=0.05 sustain=0 echo=1\nA: r2 r4 r8 r16 a16");
  const size_t echo = kSampleRate / 8;
  EXPECT_GT(Peak(s, echo, echo + 1500), 0.2f);
  EXPECT_LT(Peak(s, echo + 1600, echo + kSampleRate / 4 - 200), 0.02f);
}

TEST(SoundSynth, NoiseHissesHigherForHigherNotes) {
  auto crossings = [](const std::vector<float>& s) {
    int n = 0;
    for (size_t i = 1; i < s.size(); ++i) n += (s[i - 1] < 0) != (s[i] < 0);
    return n;
  };
  const int low = crossings(Render("tempo 60\nvoice 1 noise\nA: o2 c4"));
  const int high = crossings(Render("tempo 60\nvoice 1 noise\nA: o6 c4"));
  EXPECT_GT(low, 100); // noise, not silence
  EXPECT_GT(high, 8 * low);
}

TEST(SoundSynth, NormaliseSetsThePeakWithoutClipping) {
  const std::vector<float> signal = {0.0f, 0.5f, -2.0f, 1.0f};
  const auto pcm = Normalise(signal, -6.0);
  const int peak = static_cast<int>(std::round(32767 * std::pow(10.0, -6.0 / 20)));
  EXPECT_EQ(pcm, (std::vector<int16_t>{0, static_cast<int16_t>(std::round(peak / 4.0)), static_cast<int16_t>(-peak),
                                       static_cast<int16_t>(std::round(peak / 2.0))}));
  EXPECT_EQ(Normalise({0.0f, 0.0f}, -1.0), (std::vector<int16_t>{0, 0}));
}

TEST(SoundSynth, WavHeaderDescribesTheData) {
  const auto b = EncodeWav({1, -2, 0x1234}, 22050);
  ASSERT_EQ(b.size(), 44u + 6);
  auto u32 = [&](size_t at) { return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24; };
  auto u16 = [&](size_t at) { return b[at] | b[at + 1] << 8; };
  EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
  EXPECT_EQ(u32(4), b.size() - 8);
  EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(u32(16), 16u);
  EXPECT_EQ(u16(20), 1);          // PCM
  EXPECT_EQ(u16(22), 1);          // mono
  EXPECT_EQ(u32(24), 22050u);
  EXPECT_EQ(u32(28), 44100u);     // bytes a second
  EXPECT_EQ(u16(32), 2);          // bytes a frame
  EXPECT_EQ(u16(34), 16);
  EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data");
  EXPECT_EQ(u32(40), 6u);
  EXPECT_EQ(u16(44), 1);
  EXPECT_EQ(u16(46), 0xFFFE);     // -2, little-endian two's complement
  EXPECT_EQ(u16(48), 0x1234);
}

} // namespace
} // namespace morvik::sound

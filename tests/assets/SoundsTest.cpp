// The rendered sound folder of the program: every effect and piece of music the game names
// exists as a sound PCM WAV file of a fitting length, without clipping, clicks or a jump
// where a music loop starts over.
#include <gtest/gtest.h>

#include <cstdio>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kSoundDir = MORVIK_SOUND_DIR;

// A WAV file read here on its own terms, independently of the writer that made it.
struct Wav {
  std::string error; // empty when the file is a consistent 16-bit PCM WAV file
  int channels = 0;
  int rate = 0;
  std::vector<int16_t> samples; // interleaved

  double Seconds() const { return channels && rate ? static_cast<double>(samples.size()) / channels / rate : 0; }
};

Wav ReadWav(const fs::path& path) {
  Wav w;
  std::ifstream f(path, std::ios::binary);
  const std::vector<uint8_t> b{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
  auto u32 = [&](size_t at) { return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24; };
  auto u16 = [&](size_t at) { return static_cast<uint32_t>(b[at] | b[at + 1] << 8); };
  auto tag = [&](size_t at) { return std::string(b.begin() + at, b.begin() + at + 4); };
  if (b.size() < 12 || tag(0) != "RIFF" || tag(8) != "WAVE") return w.error = "not a RIFF WAVE file", w;
  if (u32(4) != b.size() - 8) return w.error = "RIFF size " + std::to_string(u32(4)) + " but file holds " + std::to_string(b.size() - 8), w;
  bool fmt = false;
  for (size_t at = 12; at + 8 <= b.size();) {
    const uint32_t size = u32(at + 4);
    if (at + 8 + size > b.size()) return w.error = "chunk " + tag(at) + " runs past the end", w;
    if (tag(at) == "fmt ") {
      if (size < 16) return w.error = "short fmt chunk", w;
      if (u16(at + 8) != 1) return w.error = "not PCM", w;
      w.channels = static_cast<int>(u16(at + 10));
      w.rate = static_cast<int>(u32(at + 12));
      if (w.channels < 1 || w.channels > 2) return w.error = "channels", w;
      if (w.rate != 22050 && w.rate != 44100) return w.error = "sample rate " + std::to_string(w.rate), w;
      if (u16(at + 22) != 16) return w.error = "not 16-bit", w;
      if (u32(at + 16) != static_cast<uint32_t>(w.rate * w.channels * 2)) return w.error = "byte rate", w;
      if (u16(at + 20) != static_cast<uint32_t>(w.channels * 2)) return w.error = "block align", w;
      fmt = true;
    } else if (tag(at) == "data") {
      if (!fmt) return w.error = "data before fmt", w;
      if (size % (2 * w.channels)) return w.error = "data is not whole frames", w;
      for (size_t i = 0; i < size; i += 2) w.samples.push_back(static_cast<int16_t>(u16(at + 8 + i)));
      return w;
    }
    at += 8 + size + (size & 1);
  }
  return w.error = "no data chunk", w;
}

enum class Kind { Effect, Jingle, Music };

struct Expect {
  std::string name;
  Kind kind;
  double minSeconds;
  double maxSeconds;
};

// Every sound the game plays, by the number it plays it under.
std::vector<Expect> AllSounds() {
  std::vector<Expect> all;
  for (int n = 0; n <= 26; ++n) all.push_back({"Sound" + std::to_string(n), Kind::Effect, 0.03, 1.5});
  for (int n = 0; n <= 6; ++n) all.push_back({"bgm" + std::to_string(n), Kind::Music, 20, 150});
  all.push_back({"bgm10", Kind::Jingle, 2, 4});
  all.push_back({"bgm11", Kind::Jingle, 2, 4});
  all.push_back({"bgm12", Kind::Music, 20, 150});
  // The ending's first scenes take well over a minute before the credits: its music should
  // not start over within them.
  all.push_back({"bgm13", Kind::Music, 60, 180});
  return all;
}

double Db(double x) { return x > 0 ? 20 * std::log10(x) : -200; }

double Rms(const std::vector<int16_t>& s, size_t from, size_t to) {
  double sum = 0;
  for (size_t i = from; i < to; ++i) sum += static_cast<double>(s[i]) * s[i];
  return std::sqrt(sum / static_cast<double>(std::max<size_t>(to - from, 1))) / 32768.0;
}

TEST(Sounds, EveryFileIsAConsistentPcmWavFileOfAFittingLength) {
  for (const auto& e : AllSounds()) {
    SCOPED_TRACE(e.name);
    const Wav w = ReadWav(kSoundDir / (e.name + ".wav"));
    ASSERT_EQ(w.error, "");
    EXPECT_GE(w.Seconds(), e.minSeconds);
    EXPECT_LE(w.Seconds(), e.maxSeconds);
  }
}

TEST(Sounds, LevelsArePeakNormalisedWithoutClippingOrOffset) {
  for (const auto& e : AllSounds()) {
    SCOPED_TRACE(e.name);
    const Wav w = ReadWav(kSoundDir / (e.name + ".wav"));
    ASSERT_EQ(w.error, "");
    int peak = 0;
    int run = 0, longestRun = 0;
    double sum = 0;
    for (int16_t s : w.samples) {
      const int a = std::abs(static_cast<int>(s));
      peak = std::max(peak, a);
      run = a >= 32767 ? run + 1 : 0;
      longestRun = std::max(longestRun, run);
      sum += s;
    }
    EXPECT_EQ(longestRun, 0) << "full-scale samples";
    EXPECT_LE(Db(peak / 32768.0), -0.5);
    EXPECT_GE(Db(peak / 32768.0), -12.0) << "too quiet";
    // An offset shows over a longer stretch; over the few milliseconds of a thump the
    // average is the thump itself.
    if (e.kind != Kind::Effect) {
      EXPECT_LT(std::abs(sum / static_cast<double>(w.samples.size())), 0.01 * 32768) << "DC offset";
    }
    // Effects sound beside the music and beside each other: they must not be louder than it.
    if (e.kind == Kind::Effect) {
      EXPECT_LE(Db(Rms(w.samples, 0, w.samples.size())), -12.0);
    }
  }
}

TEST(Sounds, EffectsAndJinglesStartAndEndInSilence) {
  for (const auto& e : AllSounds()) {
    if (e.kind == Kind::Music) continue;
    SCOPED_TRACE(e.name);
    const Wav w = ReadWav(kSoundDir / (e.name + ".wav"));
    ASSERT_EQ(w.error, "");
    ASSERT_GT(w.samples.size(), 100u);
    // A click is a step from or to silence: the first and last millisecond stay near zero.
    EXPECT_LT(std::abs(w.samples.front()), 330);
    EXPECT_LT(std::abs(w.samples.back()), 330);
    EXPECT_LT(Db(Rms(w.samples, w.samples.size() - 22, w.samples.size())), -40.0);
  }
}

TEST(Sounds, MusicLoopsJoinWithoutAJump) {
  for (const auto& e : AllSounds()) {
    if (e.kind != Kind::Music) continue;
    SCOPED_TRACE(e.name);
    const Wav w = ReadWav(kSoundDir / (e.name + ".wav"));
    ASSERT_EQ(w.error, "");
    const auto& s = w.samples;
    const size_t n = s.size();
    // The step from the last sample to the first is no larger than the steps the music
    // takes from one sample to the next nearly everywhere else.
    std::vector<int> steps;
    for (size_t i = 1; i < n; ++i) steps.push_back(std::abs(s[i] - s[i - 1]));
    std::nth_element(steps.begin(), steps.begin() + steps.size() * 999 / 1000, steps.end());
    const int usual = steps[steps.size() * 999 / 1000];
    EXPECT_LE(std::abs(s.front() - s.back()), usual);
    // Nor is there a gap: the music still sounds in the last and the first 50 ms.
    const size_t win = static_cast<size_t>(w.rate * 0.05);
    EXPECT_GT(Db(Rms(s, n - win, n)), -40.0);
    EXPECT_GT(Db(Rms(s, 0, win)), -40.0);
  }
}

// The loudest 50 ms of a sound: what the ear notices of a short effect.
double LoudestWindowDb(const Wav& w) {
  const size_t win = static_cast<size_t>(w.rate * w.channels / 20);
  double best = 0;
  for (size_t at = 0; at + win <= w.samples.size(); at += win) best = std::max(best, Rms(w.samples, at, at + win));
  return Db(win > w.samples.size() ? Rms(w.samples, 0, w.samples.size()) : best);
}

TEST(Sounds, StageMusicIsEvenlyLoudAndEveryEffectStandsOutOverIt) {
  // One stage's music must not be much louder than another's, and each effect must be heard
  // over any music that plays with it (the stages' and the title's): its loudest 50 ms at
  // least 3 dB over the loudest 50 ms of every such music, whose louder passages are what
  // an effect competes with.
  double stageLow = 0, stageHigh = -200, loudest = -200;
  std::string loudestName;
  for (const char* name : {"bgm0", "bgm1", "bgm2", "bgm3", "bgm4", "bgm5", "bgm6", "bgm12"}) {
    const Wav w = ReadWav(kSoundDir / (std::string(name) + ".wav"));
    ASSERT_EQ(w.error, "") << name;
    const double level = Db(Rms(w.samples, 0, w.samples.size()));
    if (std::string(name) != "bgm12") {
      stageLow = std::min(stageLow, level);
      stageHigh = std::max(stageHigh, level);
    }
    if (LoudestWindowDb(w) > loudest) {
      loudest = LoudestWindowDb(w);
      loudestName = name;
    }
  }
  EXPECT_LE(stageHigh - stageLow, 1.5) << "stage music from " << stageLow << " to " << stageHigh << " dB RMS";
  double quietest = 0;
  std::string quietestName;
  for (const auto& e : AllSounds()) {
    if (e.kind != Kind::Effect) continue;
    const Wav w = ReadWav(kSoundDir / (e.name + ".wav"));
    ASSERT_EQ(w.error, "") << e.name;
    EXPECT_GE(LoudestWindowDb(w) - loudest, 3.0) << e.name << " is drowned by the music's loud passages (" << loudestName << ")";
    if (LoudestWindowDb(w) < quietest) {
      quietest = LoudestWindowDb(w);
      quietestName = e.name;
    }
  }
  std::printf("loudest 50 ms: music %.1f dB (%s), quietest effect %.1f dB (%s)\n", loudest, loudestName.c_str(), quietest,
              quietestName.c_str());
}

TEST(Sounds, SoundFolderStaysSmall) {
  uintmax_t total = 0;
  for (const auto& entry : fs::directory_iterator(kSoundDir)) total += entry.file_size();
  EXPECT_LT(total, 30u * 1024 * 1024);
}

} // namespace

// morvik-sounds: renders the game's sound sources into WAV files.
//
//   morvik-sounds [--info] [--notes] -o OUTDIR SOURCE...
//
// Each source "NAME.mml" becomes OUTDIR/NAME.wav. Every source is read before anything is
// written, so one faulty source fails the build without leaving half a sound folder; errors
// are printed as "file:line: reason". With --info a line of measurements is printed for
// each file (length, peak and RMS level, zero-crossing rate, and for loops the step at the
// join). With --notes the notes of every channel are listed, one a line, as
// "file channel start held pitch..." with times in ticks, for checking a score by eye or script.
#include "tools/soundbuild/MmlParser.h"
#include "tools/soundbuild/Synth.h"
#include "tools/soundbuild/WavFile.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <thread>

namespace fs = std::filesystem;
using namespace morvik::sound;

namespace {

struct Job {
  fs::path source;
  Song song;
  std::vector<int16_t> pcm;
};

double Db(double x) { return x > 0 ? 20 * std::log10(x) : -120.0; }

void PrintInfo(const Job& j) {
  const auto& s = j.pcm;
  double peak = 0, sum = 0;
  size_t crossings = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    peak = std::max(peak, std::abs(s[i] / 32768.0));
    sum += (s[i] / 32768.0) * (s[i] / 32768.0);
    if (i && ((s[i - 1] < 0) != (s[i] < 0))) ++crossings;
  }
  const double secs = static_cast<double>(s.size()) / kSampleRate;
  std::printf("%-10s %-4s %7.2f s %5.1f bars  peak %6.1f dBFS  rms %6.1f dBFS  zcr %6.0f/s",
              j.source.stem().c_str(), j.song.kind == Kind::Loop ? "loop" : "once", secs,
              static_cast<double>(j.song.length) / j.song.barTicks(), Db(peak),
              Db(std::sqrt(sum / std::max<size_t>(s.size(), 1))), crossings / std::max(secs, 1e-9));
  if (j.song.kind == Kind::Loop && s.size() > 1) std::printf("  seam step %d", std::abs(s.front() - s.back()));
  std::printf("\n");
}

void PrintNotes(const Job& j) {
  for (const Channel& ch : j.song.channels) {
    for (const Note& n : ch.notes) {
      const Wave w = j.song.voices.at(n.voice).wave;
      std::printf("%s %s %d %d %s", j.source.stem().c_str(), ch.name.c_str(), n.start, n.held,
                  w == Wave::Noise || w == Wave::Metal ? "noise" : "tone");
      for (const PitchPoint& p : n.pitches) std::printf(" %d@%d", p.pitch, p.tick);
      std::printf("\n");
    }
  }
}

} // namespace

int main(int argc, char** argv) {
  bool info = false;
  bool notes = false;
  fs::path outDir;
  std::vector<Job> jobs;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--info") info = true;
    else if (a == "--notes") notes = true;
    else if (a == "-o" && i + 1 < argc) outDir = argv[++i];
    else if (!a.empty() && a[0] == '-') {
      std::cerr << "morvik-sounds: unknown option " << a << "\n";
      return 2;
    } else jobs.push_back({a, {}, {}});
  }
  if (outDir.empty() || jobs.empty()) {
    std::cerr << "usage: morvik-sounds [--info] [--notes] -o OUTDIR SOURCE...\n";
    return 2;
  }

  bool failed = false;
  for (Job& j : jobs) {
    try {
      j.song = ParseSongFile(j.source.string());
    } catch (const ParseError& e) {
      std::cerr << e.what() << "\n";
      failed = true;
    }
  }
  if (failed) return 1;
  if (notes)
    for (const Job& j : jobs) PrintNotes(j);

  // Two workers share the sources; each song renders on its own.
  std::atomic<size_t> next{0};
  auto work = [&] {
    for (size_t k; (k = next++) < jobs.size();)
      jobs[k].pcm = Normalise(RenderSong(jobs[k].song), jobs[k].song.levelDb);
  };
  std::thread helper(work);
  work();
  helper.join();

  std::error_code ec;
  fs::create_directories(outDir, ec);
  for (const Job& j : jobs) {
    const fs::path out = outDir / (j.source.stem().string() + ".wav");
    if (!WriteWav(out.string(), j.pcm, kSampleRate)) {
      std::cerr << out.string() << ": cannot be written\n";
      failed = true;
    }
    if (info) PrintInfo(j);
  }
  return failed ? 1 : 0;
}

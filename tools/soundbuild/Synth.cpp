#include "tools/soundbuild/Synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace morvik::sound {

namespace {

constexpr double kMinAttack = 0.001;  // no note may start with a step
constexpr double kMinRelease = 0.003; // nor stop with one
constexpr double kTwoPi = 2 * std::numbers::pi;

// Smooths the corners of a stepped wave so that it does not alias (t: phase 0..1, dt: step).
double PolyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1;
  }
  if (t > 1 - dt) {
    t = (t - 1) / dt;
    return t * t + t + t + 1;
  }
  return 0;
}

class Oscillator {
public:
  explicit Oscillator(const Voice& v) : v_(v) {}

  // One sample at frequency f; advances the phase.
  double Next(double f, int sampleRate) {
    const double dt = f / sampleRate;
    double out = 0;
    switch (v_.wave) {
    case Wave::Pulse: {
      const double d = v_.duty;
      double x = (phase_ < d ? 1.0 : -1.0);
      if (dt < 0.5) x += PolyBlep(phase_, dt) - PolyBlep(std::fmod(phase_ + 1 - d, 1.0), dt);
      // Without its average and scaled so that its larger half reaches 1.
      out = (x - (2 * d - 1)) / (1 + std::abs(2 * d - 1));
      break;
    }
    case Wave::Saw:
      out = 2 * phase_ - 1;
      if (dt < 0.5) out -= PolyBlep(phase_, dt);
      break;
    case Wave::Triangle: {
      const double p = std::fmod(phase_ + 0.25, 1.0);
      out = 1 - 4 * std::abs(p - 0.5);
      break;
    }
    case Wave::Sine:
      out = std::sin(kTwoPi * phase_);
      break;
    case Wave::Noise:
    case Wave::Metal:
      // A shift register clocked at eight times the note's frequency: high notes hiss,
      // low notes rumble; the short cycle of metal rings with a pitch of its own.
      clock_ += f * 8 / sampleRate;
      for (int i = 0; clock_ >= 1 && i < 64; ++i) {
        clock_ -= 1;
        const unsigned bit = (lfsr_ ^ (lfsr_ >> 1)) & 1u;
        lfsr_ = (lfsr_ >> 1) | (bit << 14);
        if (v_.wave == Wave::Metal) lfsr_ = (lfsr_ & ~(1u << 6)) | (bit << 6);
      }
      if (clock_ >= 1) clock_ = std::fmod(clock_, 1.0);
      return (lfsr_ & 1u) ? 1.0 : -1.0;
    }
    phase_ += dt;
    if (phase_ >= 1) phase_ -= std::floor(phase_);
    return dt < 0.5 ? out : 0.0;
  }

private:
  const Voice& v_;
  double phase_ = 0;
  double clock_ = 0;
  unsigned lfsr_ = 1;
};

class OnePole {
public:
  OnePole(double cutoff, int sampleRate) : a_(cutoff > 0 ? 1 - std::exp(-kTwoPi * cutoff / sampleRate) : 1) {}
  double Low(double x) { return y_ += a_ * (x - y_); }

private:
  double a_;
  double y_ = 0;
};

// Level of a note `t` seconds after its start that is let go after `held` seconds.
double Envelope(const Voice& v, double t, double held) {
  const double attack = std::max(v.attack, kMinAttack);
  auto holding = [&](double u) {
    if (u < attack) return u / attack;
    u -= attack;
    if (v.decay > 0 && u < v.decay) {
      const double x = 1 - u / v.decay;
      return v.sustain + (1 - v.sustain) * x * x;
    }
    return v.sustain;
  };
  if (t < held) return holding(t);
  const double release = std::max(v.release, kMinRelease);
  const double u = t - held;
  if (u >= release) return 0;
  const double x = 1 - u / release;
  return holding(held) * x * x;
}

double Frequency(double pitch) { return 440.0 * std::exp2((pitch - 69) / 12); }

} // namespace

int NoteSamples(const Note& note, const Voice& voice, double secondsPerTick, int sampleRate) {
  const double held = note.held * secondsPerTick;
  double life = held + std::max(voice.release, kMinRelease);
  if (voice.sustain == 0) life = std::min(life, std::max(voice.attack, kMinAttack) + voice.decay);
  return static_cast<int>(std::ceil(life * sampleRate));
}

void RenderNote(const Note& note, const Voice& voice, double secondsPerTick, int sampleRate,
                std::vector<float>& out, std::vector<float>& send) {
  const int64_t first = std::llround(note.start * secondsPerTick * sampleRate);
  const int count = NoteSamples(note, voice, secondsPerTick, sampleRate);
  const size_t end = static_cast<size_t>(first + count);
  if (out.size() < end) out.resize(end, 0.0f);
  if (send.size() < end) send.resize(end, 0.0f);

  const double held = note.held * secondsPerTick;
  const double amp = note.volume / 15.0 * voice.gain;
  const double detuneRatio = std::exp2(voice.detune / 1200);
  Oscillator osc(voice), osc2(voice);
  OnePole lp1(voice.lowpass, sampleRate), lp2(voice.lowpass, sampleRate), hp(voice.highpass, sampleRate);
  const double glideCoef = voice.glide > 0 ? 1 - std::exp(-1.0 / (voice.glide * sampleRate)) : 1;

  size_t point = 0;
  double pitch = note.pitches.front().pitch;
  for (int i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / sampleRate;
    while (point + 1 < note.pitches.size() && t >= note.pitches[point + 1].tick * secondsPerTick) ++point;
    pitch += (note.pitches[point].pitch - pitch) * glideCoef;
    double p = pitch;
    if (note.sweep != 0) p += note.sweep * std::min(t / std::max(held, 1e-6), 1.0);
    if (voice.dropSemitones != 0) p += voice.dropSemitones * std::exp(-t / voice.dropTime);
    if (voice.vibratoDepth > 0 && t > voice.vibratoDelay) {
      const double u = t - voice.vibratoDelay;
      p += voice.vibratoDepth * std::min(u / 0.15, 1.0) * std::sin(kTwoPi * voice.vibratoRate * u);
    }
    const double f = Frequency(p);
    double x = osc.Next(f, sampleRate);
    if (voice.detune != 0) x = 0.5 * (x + osc2.Next(f * detuneRatio, sampleRate));
    if (voice.lowpass > 0) x = lp2.Low(lp1.Low(x));
    if (voice.highpass > 0) x -= hp.Low(x);
    const double y = x * amp * Envelope(voice, t, held);
    out[first + i] += static_cast<float>(y);
    send[first + i] += static_cast<float>(y * voice.echo);
  }
}

std::vector<float> RenderSong(const Song& song, int sampleRate) {
  const double spt = song.secondsPerTick();
  std::vector<float> dry, send;
  bool echo = false;
  for (const Channel& ch : song.channels) {
    for (const Note& n : ch.notes) {
      const Voice& v = song.voices.at(n.voice);
      echo = echo || v.echo > 0;
      RenderNote(n, v, spt, sampleRate, dry, send);
    }
  }
  const size_t length = static_cast<size_t>(std::llround(song.length * spt * sampleRate));
  if (dry.size() < length) dry.resize(length, 0.0f);

  if (echo) {
    // Each repeat of the echo comes `delay` later and `feedback` times softer; render the
    // repeats until they fall below a thousandth.
    const size_t delay = std::max<size_t>(1, std::llround(song.echoDelay * sampleRate));
    const int repeats = song.echoFeedback > 0
                            ? static_cast<int>(std::ceil(std::log(1e-3) / std::log(song.echoFeedback)))
                            : 1;
    const size_t total = dry.size() + delay * repeats;
    dry.resize(total, 0.0f);
    send.resize(total, 0.0f);
    std::vector<float> wet(total, 0.0f);
    for (size_t i = delay; i < total; ++i) {
      wet[i] = send[i - delay] + static_cast<float>(song.echoFeedback) * wet[i - delay];
      dry[i] += wet[i];
    }
  }

  if (song.kind == Kind::Loop) {
    std::vector<float> loop(length, 0.0f);
    for (size_t i = 0; i < dry.size(); ++i) loop[i % length] += dry[i];
    double mean = 0;
    for (float x : loop) mean += x;
    mean /= static_cast<double>(length);
    for (float& x : loop) x -= static_cast<float>(mean);
    return loop;
  }

  // Drop the end that lies 60 dB below the peak, then fade the last few milliseconds so
  // that nothing stops short.
  float peak = 0;
  for (float x : dry) peak = std::max(peak, std::abs(x));
  size_t end = dry.size();
  while (end > 0 && std::abs(dry[end - 1]) <= peak * 1e-3f) --end;
  dry.resize(std::max<size_t>(end, 1));
  const size_t fade = std::min<size_t>(dry.size(), sampleRate / 200);
  for (size_t i = 0; i < fade; ++i) dry[dry.size() - 1 - i] *= static_cast<float>(i) / fade;
  return dry;
}

std::vector<int16_t> Normalise(const std::vector<float>& signal, double levelDb) {
  float peak = 0;
  for (float x : signal) peak = std::max(peak, std::abs(x));
  const double scale = peak > 0 ? std::pow(10.0, levelDb / 20) * 32767.0 / peak : 0.0;
  std::vector<int16_t> out(signal.size());
  for (size_t i = 0; i < signal.size(); ++i) {
    const double v = std::clamp(std::round(signal[i] * scale), -32767.0, 32767.0);
    out[i] = static_cast<int16_t>(v);
  }
  return out;
}

} // namespace morvik::sound

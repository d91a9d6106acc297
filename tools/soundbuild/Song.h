// The parsed form of one sound source: voices, channels and their timed notes.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace morvik::sound {

// Note lengths are counted in ticks; a whole note is this many ticks, so every length
// from 1 to 1/512 with its triplets and dots comes out whole.
constexpr int kTicksPerWhole = 1536;

enum class Wave { Pulse, Triangle, Saw, Sine, Noise, Metal };

// How one note sounds: oscillator, envelope and modulation. Times are in seconds,
// pitches in semitones.
struct Voice {
  Wave wave = Wave::Pulse;
  double duty = 0.5;        // pulse: fraction of the period spent high
  double attack = 0.005;    // linear rise from silence
  double decay = 0.0;       // fall from full level to the sustain level
  double sustain = 1.0;     // level held while the note is held
  double release = 0.03;    // fall to silence after the note is let go
  double vibratoDepth = 0;  // semitones either way
  double vibratoRate = 5.5; // Hz
  double vibratoDelay = 0.2;
  double dropSemitones = 0; // pitch starts this far above the note...
  double dropTime = 0.05;   // ...and falls towards it with this time constant
  double glide = 0;         // time constant of slides between slurred pitches
  double lowpass = 0;       // cut-off in Hz, 0 = none
  double highpass = 0;      // cut-off in Hz, 0 = none
  double gain = 1.0;
  double echo = 0;          // share of the note sent to the song's echo
  double detune = 0;        // cents of a second oscillator beside the first, 0 = none
};

// A pitch change inside one slurred note: from `tick` after the note's start it sounds
// MIDI pitch `pitch` (69 = A 440 Hz).
struct PitchPoint {
  int tick = 0;
  int pitch = 0;
  bool operator==(const PitchPoint&) const = default;
};

struct Note {
  int start = 0;  // tick
  int held = 0;   // ticks from the start until the note is let go
  std::vector<PitchPoint> pitches; // the first one at tick 0
  int voice = 0;
  int volume = 12; // 0..15
  int sweep = 0;   // semitones glided across the held time
};

struct Channel {
  std::string name;
  int line = 0;   // line of the channel's first text
  int length = 0; // ticks up to the end of its last note or rest
  std::vector<Note> notes;
};

// Once: an effect or jingle that ends with its last release. Loop: music whose end joins
// its start, rendered so that the join cannot be heard.
enum class Kind { Once, Loop };

struct Song {
  std::string file;
  Kind kind = Kind::Once;
  double tempo = 120;  // quarter notes a minute
  int meterBeats = 4;  // beats of a bar...
  int meterUnit = 4;   // ...each this fraction of a whole note
  double levelDb = -1; // peak level of the rendered file, dBFS
  double echoDelay = 0.25;
  double echoFeedback = 0.3;
  std::map<int, Voice> voices;
  std::vector<Channel> channels;
  int length = 0; // ticks: the longest channel

  int barTicks() const { return kTicksPerWhole / meterUnit * meterBeats; }
  double secondsPerTick() const { return 240.0 / tempo / kTicksPerWhole; }
};

} // namespace morvik::sound

// Reads the text notation of our sounds and music into a Song.
//
// A source is read line by line. Blank lines are skipped; '#' at the start of a line and
// ';' anywhere begin a comment that runs to the end of the line.
//
// Header lines (each may appear anywhere, in any order):
//   kind loop|once          loop: music whose end joins its start (every channel must be
//                           the same whole number of bars); once (default): an effect or a
//                           jingle that ends when its last note has died away
//   tempo 132               quarter notes a minute (default 120)
//   meter 3/4               bar size for '|' checks and loop lengths (default 4/4)
//   level -1                peak level of the rendered file in dBFS (default -1)
//   echo 0.3 0.35           echo delay in seconds and feedback (used by voices with echo=)
//   voice 3 pulse duty=0.25 attack=0.01 decay=0.2 sustain=0.6 release=0.1
//                           defines voice 3. Waves: pulse, triangle, saw, sine, noise,
//                           metal (short-cycle noise with a ringing tone). Parameters:
//                           duty, attack, decay, sustain, release (seconds, sustain 0..1),
//                           vibrato=depth,rate,delay (semitones, Hz, seconds),
//                           drop=semitones,time (pitch starts higher and falls),
//                           glide (slide time between slurred pitches), lowpass, highpass
//                           (Hz), gain, echo (send 0..1), detune (cents of a second
//                           oscillator)
//   let name = text         a macro: "$name" in channel text is replaced by the text
//                           (names are letters only, so "$k8" is macro k followed by 8)
//
// Channel lines: "name: commands". Every line that starts with the same name continues
// that channel; all channels start together at time 0 and are mixed. Commands:
//   c d e f g a b   a note, then optionally + or # (sharp) or - (flat), a length and dots:
//                   "c", "e-8", "f+4.", "g16". Lengths are fractions of a whole note
//                   (1, 2, 4, 8, 16, 32, 3, 6, 12, 24, ...); without one the default applies
//   r               rest, with a length like a note
//   ^len            lengthens the note or rest before it ("c4^16")
//   &               slurs the note before into the next one: no new attack; the same
//                   pitch simply goes on, another pitch changes the running note
//   o4 < >          octave (o4 a is 440 Hz; o0..o8), one octave down, one up
//   l8 l8.          default length
//   v12             volume 0..15
//   @3              voice
//   q6              the note sounds for 6/8 of its length (1..8, default 8)
//   k-2 k+5         transpose following notes by semitones
//   w-12 w+7 w0     glide each following note by that many semitones while it is held
//   [ ... ]3        repeat three times (default two); a ':' inside ends the last pass
//   |               bar line: checked to fall on a bar boundary
//   $name           macro
// Whitespace between commands is ignored.
//
// Errors throw ParseError naming the file, the line and the reason.
#pragma once

#include "tools/soundbuild/Song.h"

#include <stdexcept>
#include <string>

namespace morvik::sound {

class ParseError : public std::runtime_error {
public:
  ParseError(const std::string& file, int line, const std::string& reason);
  const std::string& file() const { return file_; }
  int line() const { return line_; }
  const std::string& reason() const { return reason_; }

private:
  std::string file_;
  int line_;
  std::string reason_;
};

// Parses the text of a source; `file` names it in errors.
Song ParseSong(const std::string& text, const std::string& file);

// Reads and parses a source file.
Song ParseSongFile(const std::string& path);

} // namespace morvik::sound

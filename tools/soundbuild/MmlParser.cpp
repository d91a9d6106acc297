#include "tools/soundbuild/MmlParser.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <map>
#include <numeric>
#include <sstream>

namespace morvik::sound {

ParseError::ParseError(const std::string& file, int line, const std::string& reason)
    : std::runtime_error(file + ":" + std::to_string(line) + ": " + reason),
      file_(file), line_(line), reason_(reason) {}

namespace {

constexpr int kMaxNotesPerChannel = 200000;
constexpr int kMaxRepeatDepth = 8;

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return {};
  size_t e = s.find_last_not_of(" \t\r\n");
  return s.substr(b, e - b + 1);
}

std::vector<std::string> Words(const std::string& s) {
  std::istringstream in(s);
  std::vector<std::string> out;
  std::string w;
  while (in >> w) out.push_back(w);
  return out;
}

bool IsIdentifier(const std::string& s) {
  if (s.empty() || !std::isalpha(static_cast<unsigned char>(s[0]))) return false;
  return std::all_of(s.begin(), s.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
  });
}

// A fraction of a whole note in its lowest terms, for messages.
std::string TicksText(int ticks) {
  int g = std::gcd(ticks, kTicksPerWhole);
  return std::to_string(ticks / g) + "/" + std::to_string(kTicksPerWhole / g);
}

// --- channel text -------------------------------------------------------------------

struct Segment {
  int line;
  std::string text;
};

struct Node {
  enum Type {
    NoteCmd, RestCmd, ExtendCmd, SlurCmd, OctaveCmd, OctaveUpCmd, OctaveDownCmd, LengthCmd,
    VolumeCmd, VoiceCmd, GateCmd, TransposeCmd, SweepCmd, RepeatCmd, BreakCmd, BarCmd
  };
  Type type = BarCmd;
  int line = 0;
  int value = 0;   // semitone above c of a note; the number of the other commands
  int divisor = 0; // length as a fraction of a whole note, 0 = the default length
  int dots = 0;
  std::vector<Node> body; // of a repeat; value is its count
};

// Walks the text of a channel across its lines, skipping blanks.
class Cursor {
public:
  Cursor(const std::string& file, const std::vector<Segment>& segs) : file_(file), segs_(segs) {}

  // The next non-blank character, or 0 at the end of the channel.
  char Peek() {
    SkipBlanks();
    return AtEnd() ? '\0' : segs_[seg_].text[pos_];
  }
  char Get() {
    char c = Peek();
    if (c) ++pos_;
    return c;
  }
  int Line() {
    SkipBlanks();
    return AtEnd() ? segs_.back().line : segs_[seg_].line;
  }
  bool PeekDigit() { return std::isdigit(static_cast<unsigned char>(Peek())) != 0; }

  // An unsigned decimal number; fails if there is none.
  int Number(const char* what) {
    int line = Line();
    if (!PeekDigit()) Fail(line, std::string("expected a number after ") + what);
    long v = 0;
    while (PeekDigitHere()) {
      v = v * 10 + (segs_[seg_].text[pos_++] - '0');
      if (v > 1000000) Fail(line, std::string("number too large after ") + what);
    }
    return static_cast<int>(v);
  }
  // A number with an optional sign.
  int SignedNumber(const char* what) {
    int sign = 1;
    if (Peek() == '+') { Get(); }
    else if (Peek() == '-') { Get(); sign = -1; }
    return sign * Number(what);
  }

  [[noreturn]] void Fail(int line, const std::string& reason) {
    throw ParseError(file_, line, reason);
  }

private:
  bool AtEnd() const { return seg_ >= segs_.size(); }
  void SkipBlanks() {
    while (!AtEnd()) {
      const std::string& t = segs_[seg_].text;
      while (pos_ < t.size() && std::isspace(static_cast<unsigned char>(t[pos_]))) ++pos_;
      if (pos_ < t.size()) return;
      ++seg_;
      pos_ = 0;
    }
  }
  // Digits of one number must stand together on one line.
  bool PeekDigitHere() const {
    return !AtEnd() && pos_ < segs_[seg_].text.size() &&
           std::isdigit(static_cast<unsigned char>(segs_[seg_].text[pos_]));
  }

  const std::string& file_;
  const std::vector<Segment>& segs_;
  size_t seg_ = 0;
  size_t pos_ = 0;
};

void ReadLength(Cursor& in, Node& n, const char* what) {
  if (in.PeekDigit()) {
    int line = in.Line();
    int d = in.Number(what);
    if (d < 1 || d > kTicksPerWhole || kTicksPerWhole % d != 0)
      in.Fail(line, "length " + std::to_string(d) + " is not a supported fraction of a whole note");
    n.divisor = d;
  }
  while (in.Peek() == '.') {
    in.Get();
    ++n.dots;
  }
}

std::vector<Node> ParseSequence(Cursor& in, int depth, int openLine) {
  static const std::map<char, int> kSemitone = {
      {'c', 0}, {'d', 2}, {'e', 4}, {'f', 5}, {'g', 7}, {'a', 9}, {'b', 11}};
  std::vector<Node> seq;
  bool sawBreak = false;
  for (;;) {
    int line = in.Line();
    char c = in.Get();
    Node n;
    n.line = line;
    switch (c) {
    case '\0':
      if (depth > 0) in.Fail(openLine, "'[' is never closed by ']'");
      return seq;
    case ']':
      if (depth == 0) in.Fail(line, "']' without '['");
      return seq;
    case 'c': case 'd': case 'e': case 'f': case 'g': case 'a': case 'b':
      n.type = Node::NoteCmd;
      n.value = kSemitone.at(c);
      while (in.Peek() == '+' || in.Peek() == '#' || in.Peek() == '-') n.value += in.Get() == '-' ? -1 : 1;
      ReadLength(in, n, "a note");
      break;
    case 'r': n.type = Node::RestCmd; ReadLength(in, n, "a rest"); break;
    case '^': n.type = Node::ExtendCmd; ReadLength(in, n, "'^'"); break;
    case 'l':
      n.type = Node::LengthCmd;
      if (!in.PeekDigit()) in.Fail(line, "expected a number after 'l'");
      ReadLength(in, n, "'l'");
      break;
    case '&': n.type = Node::SlurCmd; break;
    case '<': n.type = Node::OctaveDownCmd; break;
    case '>': n.type = Node::OctaveUpCmd; break;
    case '|': n.type = Node::BarCmd; break;
    case 'o':
      n.type = Node::OctaveCmd;
      n.value = in.Number("'o'");
      if (n.value > 8) in.Fail(line, "octave " + std::to_string(n.value) + " is out of range 0..8");
      break;
    case 'v':
      n.type = Node::VolumeCmd;
      n.value = in.Number("'v'");
      if (n.value > 15) in.Fail(line, "volume " + std::to_string(n.value) + " is out of range 0..15");
      break;
    case '@': n.type = Node::VoiceCmd; n.value = in.Number("'@'"); break;
    case 'q':
      n.type = Node::GateCmd;
      n.value = in.Number("'q'");
      if (n.value < 1 || n.value > 8) in.Fail(line, "gate " + std::to_string(n.value) + " is out of range 1..8");
      break;
    case 'k':
      n.type = Node::TransposeCmd;
      n.value = in.SignedNumber("'k'");
      if (std::abs(n.value) > 48) in.Fail(line, "transposition out of range -48..48");
      break;
    case 'w':
      n.type = Node::SweepCmd;
      n.value = in.SignedNumber("'w'");
      if (std::abs(n.value) > 96) in.Fail(line, "sweep out of range -96..96");
      break;
    case ':':
      if (depth == 0) in.Fail(line, "':' outside a repeat");
      if (sawBreak) in.Fail(line, "a repeat may hold only one ':'");
      sawBreak = true;
      n.type = Node::BreakCmd;
      break;
    case '[':
      if (depth + 1 > kMaxRepeatDepth) in.Fail(line, "repeats nest too deeply");
      n.type = Node::RepeatCmd;
      n.body = ParseSequence(in, depth + 1, line);
      n.value = in.PeekDigit() ? in.Number("']'") : 2;
      if (n.value < 1) in.Fail(line, "a repeat count must be at least 1");
      break;
    default:
      in.Fail(line, std::string("unexpected character '") + c + "'");
    }
    seq.push_back(std::move(n));
  }
}

// Runs the commands of a channel and collects its notes.
class ChannelBuilder {
public:
  ChannelBuilder(const Song& song, Cursor& in, Channel& ch) : song_(song), in_(in), ch_(ch) {
    if (!song.voices.empty()) voice_ = song.voices.begin()->first;
  }

  void Run(const std::vector<Node>& seq) {
    Play(seq);
    if (slurPending_) in_.Fail(slurLine_, "'&' at the end of the channel has no note to join");
    ch_.length = pos_;
  }

private:
  int Ticks(const Node& n) {
    int t = n.divisor ? kTicksPerWhole / n.divisor : length_;
    int add = t;
    for (int i = 0; i < n.dots; ++i) {
      if (add % 2) in_.Fail(n.line, "too many dots for this length");
      add /= 2;
      t += add;
    }
    return t;
  }
  int Gated(int ticks) const { return std::max(1, ticks * gate_ / 8); }

  void Play(const std::vector<Node>& seq) {
    for (const Node& n : seq) {
      switch (n.type) {
      case Node::NoteCmd: PlayNote(n); break;
      case Node::RestCmd:
        if (slurPending_) in_.Fail(n.line, "'&' must be followed by a note, not a rest");
        pos_ += Ticks(n);
        last_ = Last::Rest;
        break;
      case Node::ExtendCmd: {
        int t = Ticks(n);
        if (last_ == Last::Note) {
          pieceLength_ += t;
          Note& note = ch_.notes.back();
          note.held = pieceStart_ - note.start + Gated(pieceLength_);
        } else if (last_ != Last::Rest) {
          in_.Fail(n.line, "'^' must follow a note or a rest");
        }
        pos_ += t;
        break;
      }
      case Node::SlurCmd:
        if (last_ != Last::Note) in_.Fail(n.line, "'&' must follow a note");
        slurPending_ = true;
        slurLine_ = n.line;
        break;
      case Node::OctaveCmd: octave_ = n.value; break;
      case Node::OctaveUpCmd:
        if (++octave_ > 8) in_.Fail(n.line, "'>' goes above octave 8");
        break;
      case Node::OctaveDownCmd:
        if (--octave_ < 0) in_.Fail(n.line, "'<' goes below octave 0");
        break;
      case Node::LengthCmd: length_ = Ticks(n); break;
      case Node::VolumeCmd: volume_ = n.value; break;
      case Node::VoiceCmd:
        if (!song_.voices.count(n.value)) in_.Fail(n.line, "voice " + std::to_string(n.value) + " is not defined");
        voice_ = n.value;
        break;
      case Node::GateCmd: gate_ = n.value; break;
      case Node::TransposeCmd: transpose_ = n.value; break;
      case Node::SweepCmd: sweep_ = n.value; break;
      case Node::BarCmd:
        if (pos_ % song_.barTicks() != 0)
          in_.Fail(n.line, "bar line " + TicksText(pos_ % song_.barTicks()) + " of a whole note into bar " +
                               std::to_string(pos_ / song_.barTicks() + 1) + " of channel " + ch_.name);
        break;
      case Node::RepeatCmd:
        for (int i = 0; i < n.value; ++i) {
          const bool lastPass = i == n.value - 1;
          auto stop = std::find_if(n.body.begin(), n.body.end(),
                                   [](const Node& m) { return m.type == Node::BreakCmd; });
          Play(std::vector<Node>(n.body.begin(), lastPass ? stop : n.body.end()));
        }
        break;
      case Node::BreakCmd: break;
      }
    }
  }

  void PlayNote(const Node& n) {
    if (voice_ < 0) in_.Fail(n.line, "a note is played but no voice is defined");
    const int pitch = 12 * (octave_ + 1) + n.value + transpose_;
    if (pitch < 0 || pitch > 127) in_.Fail(n.line, "note is outside the playable range");
    const int t = Ticks(n);
    if (slurPending_) {
      Note& note = ch_.notes.back();
      if (note.pitches.back().pitch != pitch) note.pitches.push_back({pos_ - note.start, pitch});
      note.held = pos_ - note.start + Gated(t);
      slurPending_ = false;
    } else {
      if (ch_.notes.size() >= kMaxNotesPerChannel) in_.Fail(n.line, "too many notes in channel " + ch_.name);
      Note note;
      note.start = pos_;
      note.held = Gated(t);
      note.pitches = {{0, pitch}};
      note.voice = voice_;
      note.volume = volume_;
      note.sweep = sweep_;
      ch_.notes.push_back(std::move(note));
    }
    pieceStart_ = pos_;
    pieceLength_ = t;
    pos_ += t;
    last_ = Last::Note;
  }

  enum class Last { Nothing, Note, Rest };

  const Song& song_;
  Cursor& in_;
  Channel& ch_;
  int pos_ = 0;
  int octave_ = 4;
  int length_ = kTicksPerWhole / 4;
  int volume_ = 12;
  int voice_ = -1;
  int gate_ = 8;
  int transpose_ = 0;
  int sweep_ = 0;
  Last last_ = Last::Nothing;
  bool slurPending_ = false;
  int slurLine_ = 0;
  int pieceStart_ = 0;
  int pieceLength_ = 0;
};

// --- header lines -------------------------------------------------------------------

double ParseNumber(const std::string& text, const std::string& what, const std::string& file, int line) {
  double v = 0;
  const char* b = text.data();
  const char* e = b + text.size();
  auto r = std::from_chars(b, e, v);
  if (r.ec != std::errc() || r.ptr != e || !std::isfinite(v))
    throw ParseError(file, line, "'" + text + "' is not a number (" + what + ")");
  return v;
}

double InRange(double v, double lo, double hi, const std::string& what, const std::string& file, int line) {
  if (v < lo || v > hi) {
    std::ostringstream s;
    s << what << " " << v << " is out of range " << lo << ".." << hi;
    throw ParseError(file, line, s.str());
  }
  return v;
}

std::vector<double> NumberList(const std::string& text, size_t count, const std::string& what,
                               const std::string& file, int line) {
  std::vector<double> out;
  std::string item;
  std::istringstream in(text);
  while (std::getline(in, item, ',')) out.push_back(ParseNumber(item, what, file, line));
  if (out.size() != count)
    throw ParseError(file, line, what + " needs " + std::to_string(count) + " numbers separated by commas");
  return out;
}

Voice ParseVoice(const std::vector<std::string>& w, const std::string& file, int line) {
  static const std::map<std::string, Wave> kWaves = {
      {"pulse", Wave::Pulse}, {"square", Wave::Pulse}, {"triangle", Wave::Triangle}, {"saw", Wave::Saw},
      {"sine", Wave::Sine}, {"noise", Wave::Noise}, {"metal", Wave::Metal}};
  Voice v;
  if (w.size() < 3) throw ParseError(file, line, "a voice needs a number and a wave");
  auto wave = kWaves.find(w[2]);
  if (wave == kWaves.end()) throw ParseError(file, line, "unknown wave '" + w[2] + "'");
  v.wave = wave->second;
  for (size_t i = 3; i < w.size(); ++i) {
    size_t eq = w[i].find('=');
    if (eq == std::string::npos) throw ParseError(file, line, "voice parameter '" + w[i] + "' has no '='");
    const std::string key = w[i].substr(0, eq);
    const std::string val = w[i].substr(eq + 1);
    auto num = [&](double lo, double hi) { return InRange(ParseNumber(val, key, file, line), lo, hi, key, file, line); };
    if (key == "duty") v.duty = num(0.01, 0.99);
    else if (key == "attack") v.attack = num(0, 10);
    else if (key == "decay") v.decay = num(0, 10);
    else if (key == "sustain") v.sustain = num(0, 1);
    else if (key == "release") v.release = num(0, 10);
    else if (key == "glide") v.glide = num(0, 2);
    else if (key == "lowpass") v.lowpass = num(0, 20000);
    else if (key == "highpass") v.highpass = num(0, 20000);
    else if (key == "gain") v.gain = num(0, 4);
    else if (key == "echo") v.echo = num(0, 1);
    else if (key == "detune") v.detune = num(-100, 100);
    else if (key == "vibrato") {
      auto l = NumberList(val, 3, key, file, line);
      v.vibratoDepth = InRange(l[0], 0, 12, "vibrato depth", file, line);
      v.vibratoRate = InRange(l[1], 0, 50, "vibrato rate", file, line);
      v.vibratoDelay = InRange(l[2], 0, 10, "vibrato delay", file, line);
    } else if (key == "drop") {
      auto l = NumberList(val, 2, key, file, line);
      v.dropSemitones = InRange(l[0], -96, 96, "drop", file, line);
      v.dropTime = InRange(l[1], 0.0001, 10, "drop time", file, line);
    } else {
      throw ParseError(file, line, "unknown voice parameter '" + key + "'");
    }
  }
  return v;
}

std::string ExpandMacros(const std::string& text, const std::map<std::string, std::string>& macros,
                         const std::string& file, int line) {
  std::string s = text;
  for (int round = 0; s.find('$') != std::string::npos; ++round) {
    if (round == 16) throw ParseError(file, line, "macros nest too deeply");
    std::string out;
    for (size_t i = 0; i < s.size();) {
      if (s[i] != '$') {
        out += s[i++];
        continue;
      }
      size_t j = i + 1;
      while (j < s.size() && std::isalpha(static_cast<unsigned char>(s[j]))) ++j;
      const std::string name = s.substr(i + 1, j - i - 1);
      auto m = macros.find(name);
      if (m == macros.end()) throw ParseError(file, line, "macro '" + name + "' is not defined");
      out += " " + m->second + " ";
      i = j;
    }
    s = out;
  }
  return s;
}

} // namespace

Song ParseSong(const std::string& text, const std::string& file) {
  Song song;
  song.file = file;
  std::map<std::string, std::string> macros;
  std::vector<std::pair<std::string, std::vector<Segment>>> channels; // in order of appearance
  std::istringstream in(text);
  std::string raw;
  int line = 0;
  while (std::getline(in, raw)) {
    ++line;
    std::string s = raw.substr(0, raw.find(';'));
    s = Trim(s);
    if (s.empty() || s[0] == '#') continue;

    const size_t colon = s.find(':');
    const auto w = Words(s);
    const std::string& key = w[0];
    static const char* const kDirectives[] = {"kind", "tempo", "meter", "level", "echo", "voice", "let"};
    const bool directive = std::find(std::begin(kDirectives), std::end(kDirectives), key) != std::end(kDirectives);
    if (!directive && colon != std::string::npos && IsIdentifier(Trim(s.substr(0, colon)))) {
      const std::string name = Trim(s.substr(0, colon));
      auto it = std::find_if(channels.begin(), channels.end(), [&](const auto& c) { return c.first == name; });
      if (it == channels.end()) {
        channels.push_back({name, {}});
        it = channels.end() - 1;
      }
      it->second.push_back({line, s.substr(colon + 1)});
      continue;
    }
    auto need = [&](size_t n) {
      if (w.size() != n) throw ParseError(file, line, "'" + key + "' needs " + std::to_string(n - 1) + " value(s)");
    };
    if (key == "kind") {
      need(2);
      if (w[1] == "loop") song.kind = Kind::Loop;
      else if (w[1] == "once") song.kind = Kind::Once;
      else throw ParseError(file, line, "kind must be 'loop' or 'once'");
    } else if (key == "tempo") {
      need(2);
      song.tempo = InRange(ParseNumber(w[1], "tempo", file, line), 20, 2000, "tempo", file, line);
    } else if (key == "meter") {
      need(2);
      const size_t slash = w[1].find('/');
      if (slash == std::string::npos) throw ParseError(file, line, "meter must be written like 3/4");
      const int beats = static_cast<int>(ParseNumber(w[1].substr(0, slash), "meter", file, line));
      const int unit = static_cast<int>(ParseNumber(w[1].substr(slash + 1), "meter", file, line));
      if (beats < 1 || beats > 32 || unit < 1 || unit > 64 || kTicksPerWhole % unit != 0)
        throw ParseError(file, line, "meter " + w[1] + " is not supported");
      song.meterBeats = beats;
      song.meterUnit = unit;
    } else if (key == "level") {
      need(2);
      song.levelDb = InRange(ParseNumber(w[1], "level", file, line), -40, 0, "level", file, line);
    } else if (key == "echo") {
      need(3);
      song.echoDelay = InRange(ParseNumber(w[1], "echo delay", file, line), 0.01, 2, "echo delay", file, line);
      song.echoFeedback = InRange(ParseNumber(w[2], "echo feedback", file, line), 0, 0.9, "echo feedback", file, line);
    } else if (key == "voice") {
      if (w.size() < 2) throw ParseError(file, line, "a voice needs a number and a wave");
      const int n = static_cast<int>(InRange(ParseNumber(w[1], "voice number", file, line), 0, 255, "voice number", file, line));
      if (song.voices.count(n)) throw ParseError(file, line, "voice " + std::to_string(n) + " is defined twice");
      song.voices[n] = ParseVoice(w, file, line);
    } else if (key == "let") {
      const size_t eq = s.find('=');
      if (eq == std::string::npos) throw ParseError(file, line, "a macro is written 'let name = text'");
      const std::string name = Trim(s.substr(3, eq - 3));
      if (name.empty() || !std::all_of(name.begin(), name.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)); }))
        throw ParseError(file, line, "macro names are letters only");
      if (macros.count(name)) throw ParseError(file, line, "macro '" + name + "' is defined twice");
      macros[name] = Trim(s.substr(eq + 1));
    } else {
      throw ParseError(file, line, "unknown line starting with '" + key + "'");
    }
  }
  if (channels.empty()) throw ParseError(file, line, "no channel has any notes");

  for (auto& [name, segs] : channels) {
    for (auto& seg : segs) seg.text = ExpandMacros(seg.text, macros, file, seg.line);
    Channel ch;
    ch.name = name;
    ch.line = segs.front().line;
    Cursor cur(file, segs);
    ChannelBuilder(song, cur, ch).Run(ParseSequence(cur, 0, ch.line));
    song.length = std::max(song.length, ch.length);
    song.channels.push_back(std::move(ch));
  }

  if (song.length == 0) throw ParseError(file, song.channels.front().line, "the sound has no length");
  if (song.kind == Kind::Loop) {
    const int bar = song.barTicks();
    for (const Channel& ch : song.channels) {
      if (ch.length != song.length) {
        const Channel& longest = *std::max_element(song.channels.begin(), song.channels.end(),
                                                   [](const Channel& a, const Channel& b) { return a.length < b.length; });
        throw ParseError(file, ch.line, "channel " + ch.name + " lasts " + TicksText(ch.length) +
                                            " whole notes but channel " + longest.name + " " + TicksText(longest.length) +
                                            "; the channels of a loop must end together");
      }
    }
    if (song.length % bar != 0)
      throw ParseError(file, song.channels.front().line,
                       "a loop must be whole bars; it runs " + TicksText(song.length % bar) + " of a whole note into bar " +
                           std::to_string(song.length / bar + 1));
  }
  return song;
}

Song ParseSongFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  if (!f) throw ParseError(path, 0, "cannot be read");
  std::ostringstream s;
  s << f.rdbuf();
  return ParseSong(s.str(), path);
}

} // namespace morvik::sound

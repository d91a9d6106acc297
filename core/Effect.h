#pragma once
// Effect scripts: what the player must see and hear, in order, as the rules report it.
// The rules append; the play screen performs them on its scheduler; the solver discards them.
#include <cstdint>
#include <string>
#include <vector>

#include "core/Chara.h"

namespace morvik {

enum class Fx : std::uint8_t {
  Sound,         // a = effect number
  PaintTile,     // a, b = cell; c = picture of the tile store
  RenewShores,   // a, b = cell
  InWaterAnime,  // a, b = cell; c = ms between frames (the screen plays it as InWaterFrame steps)
  InWaterFrame,  // a, b = cell; c = frame 0 to 5 of the in-water pictures, -1 hides them
  HideChara,     // a = pool; b = index; c = 1 also disabled
  HeroPose,      // a = picture of the tile store
  NudgeHero,     // a, b = pixels; the hero and its shadow move together
  NudgeChara,    // a = pool; b = index; c, d = pixels
  PlaceHero,     // a, b = left, top in pixels
  PlaceShadow,   // a, b = left, top in pixels
  ShowShadow,    // a = 1 shown, 0 hidden
  Pause,         // a = ms
  Yield,         // let pending window events run (paint) before going on
  SetNext,       // a = picture shown in the next-flower box
  ItemTaken,     // a = 0 yellow, 1 red, 2 PX piece (already counted on the board)
  AnswerMove,    // a, b = hero cell; c = 0 step, 2 jump landing (guide check, then recording)
  AnswerDig,     // a, b = the cell just dug
  StageEnd,      // a = outcome code; nothing of the attempt follows
};

struct Effect {
  Fx kind;
  std::int16_t a = 0, b = 0, c = 0, d = 0;
  friend bool operator==(const Effect&, const Effect&) = default;
};

class Script {
 public:
  explicit Script(bool recording = true) : recording_(recording) {}
  void Add(Fx kind, int a = 0, int b = 0, int c = 0, int d = 0) {
    if (recording_)
      items_.push_back({kind, static_cast<std::int16_t>(a), static_cast<std::int16_t>(b),
                        static_cast<std::int16_t>(c), static_cast<std::int16_t>(d)});
  }
  const std::vector<Effect>& Items() const { return items_; }
  bool Empty() const { return items_.empty(); }
  void Clear() { items_.clear(); }
  void Append(const Script& other) { items_.insert(items_.end(), other.items_.begin(), other.items_.end()); }

 private:
  bool recording_;
  std::vector<Effect> items_;
};

// "Sound 8", "Paint 3,4=33", "Hide Y0", ...: one word per effect, for tests and traces.
std::string Describe(const Effect& e);
// The effects joined by " | "; Yield and Pause are left out unless asked for.
std::string Describe(const Script& s, bool withTiming = false);

}  // namespace morvik

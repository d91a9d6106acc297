#include "core/Effect.h"

namespace morvik {

namespace {
char PoolLetter(int pool) { return "SYRP"[pool & 3]; }
std::string N(int v) { return std::to_string(v); }
}  // namespace

std::string Describe(const Effect& e) {
  switch (e.kind) {
    case Fx::Sound: return "Sound " + N(e.a);
    case Fx::PaintTile: return "Paint " + N(e.a) + "," + N(e.b) + "=" + N(e.c);
    case Fx::RenewShores: return "Shores " + N(e.a) + "," + N(e.b);
    case Fx::InWaterAnime: return "InWater " + N(e.a) + "," + N(e.b) + "/" + N(e.c);
    case Fx::InWaterFrame: return "InWaterFrame " + N(e.a) + "," + N(e.b) + "#" + N(e.c);
    case Fx::HideChara: return std::string(e.c ? "Hide " : "HideOnly ") + PoolLetter(e.a) + N(e.b);
    case Fx::HeroPose: return "Pose " + N(e.a);
    case Fx::NudgeHero: return "NudgeHero " + N(e.a) + "," + N(e.b);
    case Fx::NudgeChara: return std::string("Nudge ") + PoolLetter(e.a) + N(e.b) + " " + N(e.c) + "," + N(e.d);
    case Fx::PlaceHero: return "PlaceHero " + N(e.a) + "," + N(e.b);
    case Fx::PlaceShadow: return "PlaceShadow " + N(e.a) + "," + N(e.b);
    case Fx::ShowShadow: return e.a ? "ShowShadow" : "HideShadow";
    case Fx::Pause: return "Pause " + N(e.a);
    case Fx::Yield: return "Yield";
    case Fx::SetNext: return "Next " + N(e.a);
    case Fx::ItemTaken: return "Taken " + N(e.a);
    case Fx::AnswerMove: return "Answer " + N(e.a) + "," + N(e.b) + "/" + N(e.c);
    case Fx::AnswerDig: return "AnswerDig " + N(e.a) + "," + N(e.b);
    case Fx::StageEnd: return "End " + N(e.a);
  }
  return "?";
}

std::string Describe(const Script& s, bool withTiming) {
  std::string out;
  for (const Effect& e : s.Items()) {
    if (!withTiming && (e.kind == Fx::Yield || e.kind == Fx::Pause)) continue;
    if (!out.empty()) out += " | ";
    out += Describe(e);
  }
  return out;
}

}  // namespace morvik

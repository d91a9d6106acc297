#pragma once
// The effect sounds, named by what they sound like and numbered as their files in the sound
// folder ("Sound<n>.wav"): the rules name them in their effect scripts and the screens play
// them. One sound may serve several events: the chime opens a gate, unlocks a story and
// greets the visitor.
namespace morvik::sfx {

enum SoundEffect : int {
  Step = 0,         // a step, and the take-off of a jump
  PushStone = 1,
  Splash = 2,       // into water
  Bump = 3,         // against what does not give way, onto spikes or a flower
  Thud = 4,         // into a hole
  Dig = 5,
  DigRefused = 6,
  Turn = 7,
  YellowFlower = 8,
  RedFlower = 9,
  PushPX = 10,
  PXIntoHole = 11,
  Chime = 12,
  JumpShort = 13,   // a landing less than five cells on
  MeterStart = 14,
  Refused = 15,     // a key that does nothing now
  JumpLong = 16,
  StoneBounce = 17,
  PadBounce = 18,
  Slide = 19,
  Blink = 20,
  AdviceOpens = 21,
  NoAdvice = 22,
  Warp = 23,
  GuideShown = 24,
  GuideStep = 25,
  IceBreaks = 26,
};

}  // namespace morvik::sfx

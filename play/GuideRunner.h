#pragma once
// The answer guide on the field: the answer file of the stage file being played, read on
// request, its next move marked on the field and blinking, followed as the player makes the
// moves. It owns the guide's place and the blink timer and draws the mark in the field scene;
// the play screen reports each move the rules make and stops the guide with the attempt.
#include <functional>
#include <string>

#include "play/AnswerGuide.h"
#include "play/FieldScene.h"
#include "platform/Platform.h"

namespace morvik {

class GuideRunner {
 public:
  GuideRunner(Platform& platform, FieldScene& scene, std::function<void()> repaint);
  ~GuideRunner();
  GuideRunner(const GuideRunner&) = delete;
  GuideRunner& operator=(const GuideRunner&) = delete;

  // Reads the answer file beside mapFilePath and starts the guide at its first move. False
  // when there is none to follow: the player was told why.
  bool Load(const std::string& mapFilePath);
  // The rules made a move (action 0 step, 1 dig, 2 jump landing, at that cell).
  void MoveMade(int action, int x, int y);
  // An undo took the moves back: a running guide goes back to where it stood then; a guide
  // started since keeps its place.
  void Rewind(const AnswerGuide& to);
  // The mark goes back onto the guide's move (after something else borrowed it).
  void Mark();
  void Stop();

  const AnswerGuide& Guide() const { return guide_; }
  bool Running() const { return guide_.Running(); }
  bool Blinking() const { return blinkTimer_ != 0; }

 private:
  void Blink();

  Platform& platform_;
  FieldScene& scene_;
  std::function<void()> repaint_;
  AnswerGuide guide_;
  Scheduler::Id blinkTimer_ = 0;
};

}  // namespace morvik

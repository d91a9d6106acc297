#pragma once
// A play screen on virtual time: a map file in a temporary folder, recording sound,
// answering message boxes, placeholder pictures, and real key events.
#include <QKeyEvent>
#include <QTemporaryDir>
#include <deque>
#include <memory>

#include "core/ModMain.h"
#include "play/FormMain.h"
#include "platform/VirtualScheduler.h"

namespace morvik::test {

class AnsweringMessages final : public MessageBoxes {
 public:
  MsgResult Show(const QString& text, const QString& title, MsgIcon, MsgButtons) override {
    shown.push_back(title + "|" + text);
    if (answers.empty()) return MsgResult::Ok;
    const MsgResult r = answers.front();
    answers.pop_front();
    return r;
  }
  std::vector<QString> shown;
  std::deque<MsgResult> answers;
};

// Stage block n, written by the stage writer from rows in the stage picture notation (what is
// not drawn is light ground); first 1 puts red first. A letter the notation does not know
// throws, naming row and column.
std::string StageBlock(int n, const std::vector<std::string>& rows, int first = 0, int music = 1);

struct PlayFixture {
  explicit PlayFixture(const std::string& mapText);
  // Stage n of the map in story play, through its opening.
  void Start(int stage, bool skipOpening = true);
  void Key(int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier);
  void Advance(int ms) { scheduler.Advance(ms); }

  QTemporaryDir dir;
  ModMain game;
  VirtualScheduler scheduler;
  RecordingSound sound;
  AnsweringMessages messages;
  PictureStore pictures;
  Platform platform{scheduler, sound, messages, pictures};
  std::unique_ptr<FormMain> form;
  int endings = 0, titles = 0, programEnds = 0;
};

}  // namespace morvik::test
